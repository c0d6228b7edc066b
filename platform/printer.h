// The system's default printer, driven line by line.
#pragma once

#include <string>

namespace pulvar {

class Printer {
public:
    virtual ~Printer() = default;
    // Opens a document on the default printer; false when there is none or it
    // cannot be started.
    virtual bool StartDocument(const std::string& title) = 0;
    // One line after indentColumns blank widths. A line wider than the page
    // wraps at word boundaries and continues at the same indentation.
    virtual bool PrintLine(int indentColumns, const std::string& text) = 0;
    // Hands the document to the print queue; false when that fails.
    virtual bool EndDocument() = 0;
};

Printer& RealPrinter();

}  // namespace pulvar
