// The outside services the windows use, each behind a small interface so the
// handlers can be driven by tests. The program wires the Win32 implementations
// (RealServices); tests wire fakes where the real service would block or reach
// outside the machine.
#pragma once

#include <string>

#include "core/reading.h"

namespace pulvar {

// Message box styles and answers, with the values Windows gives them.
enum : unsigned {
    kBoxOk = 0,
    kBoxOkCancel = 1,
    kBoxIconQuestion = 32,
    kBoxIconExclamation = 48,
};
enum : int { kAnswerOk = 1, kAnswerCancel = 2 };

// owner is the HWND the box is modal to (may be null).
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual int Show(void* owner, const std::string& text, const std::string& title,
                     unsigned style) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The local time of day in the user's regional time format.
    virtual std::string TimeOfDay() = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    virtual NumberFormat Number() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Hands an address to the default browser; the outcome is not reported.
    virtual void Open(void* owner, const std::string& address) = 0;
};

// Ends the program at once: every window goes, no close handler runs.
class Ending {
public:
    virtual ~Ending() = default;
    virtual void EndProgram() = 0;
    // The same while a thread may be stuck inside a printer's driver: no DLL
    // is told that the process ends, since its detach code could wait for
    // that thread for good.
    virtual void TerminateProgram() = 0;
};

// The user's display settings that the system colours do not tell.
class Appearance {
public:
    virtual ~Appearance() = default;
    // Whether high contrast is on (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON).
    virtual bool HighContrast() = 0;
};
Appearance& RealAppearance();

class Printer;   // platform/printer.h
class Registry;  // platform/registry.h
class Programs;  // platform/programs.h

struct Services {
    Prompt& prompt;
    Clock& clock;
    Locale& locale;
    Shell& shell;
    Ending& ending;
    Printer& printer;
    Registry& registry;
    Programs& programs;
    // The system's own unless a test wires another.
    Appearance& appearance = RealAppearance();
};

// The Win32 implementations, for the program itself.
Services& RealServices();

}  // namespace pulvar
