// The system's default printer, driven line by line. Its calls may block for
// long (a driver loading, a print server that does not answer, a driver's own
// box), so the program makes them on a thread of its own, and only there.
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

enum class PrintEnd {
    Queued,
    // The user cancelled the document at some step since it started: deleted
    // it from the print queue, or declined the file name that some drivers
    // ask for only at the end. A choice, not a fault.
    Cancelled,
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
    // Hands the document to the print queue.
    virtual PrintEnd EndDocument() = 0;
    // Gives up the open document, if there is one: none of it is printed.
    virtual void AbortDocument() = 0;
    // Whether a document is open or being opened.
    virtual bool DocumentOpen() const = 0;
};

Printer& RealPrinter();

// Whether the error a step of a document failed with is the user's cancel:
// a declined file name or a job deleted from the queue, which drivers and the
// spooler answer with either of two codes.
bool IsUserCancel(unsigned long error);

}  // namespace pulvar
