// COM on the user-interface thread: a single-threaded apartment, as the
// shell and OLE pictures need, entered the first time a command needs it
// (never at start-up) and kept until the program ends, so that no COM
// object outlives its apartment.
#pragma once

namespace pulvar {

// Enters the apartment on this thread unless it is in one already; true when
// COM can be used here (a thread that is in another apartment keeps it).
bool UseCom();

// Leaves the apartment UseCom entered on this thread, once every COM object
// made on it has been released: the last thing the program does.
void LeaveCom();

// A single-threaded apartment for one scope on a thread of the program's own:
// a printer driver's code and the print-to-file box it may show use COM on
// the thread that prints. Left as the scope ends, if it was entered here.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_ = false;
};

}  // namespace pulvar
