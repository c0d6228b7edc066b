// The system's default printer, driven line by line.
#pragma once

#include <string>

namespace pulvar {

enum class PrintStart {
    Started,
    // The user declined to name the file that a printer printing to a file
    // asks for: a choice, not a fault.
    Cancelled,
    // No default printer, it cannot be started, or a document is open already.
    Failed,
};

class Printer {
public:
    virtual ~Printer() = default;
    // Opens a document on the default printer. While one is open no other
    // starts, and the open one is left as it is.
    virtual PrintStart StartDocument(const std::string& title) = 0;
    // One line after indentColumns blank widths. A line wider than the page
    // wraps at word boundaries and continues at the same indentation.
    virtual bool PrintLine(int indentColumns, const std::string& text) = 0;
    // Hands the document to the print queue; false when that fails.
    virtual bool EndDocument() = 0;
    // Gives up the open document, if there is one: none of it is printed.
    virtual void AbortDocument() = 0;
    // Whether a document is open or being opened.
    virtual bool DocumentOpen() const = 0;
};

Printer& RealPrinter();

// Whether the error a document's start failed with is the user declining the
// output file's name: drivers answer with either of two codes.
bool IsUserCancel(unsigned long error);

}  // namespace pulvar
