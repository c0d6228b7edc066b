// The Win32 side of the seams the windows use.
#include <windows.h>

#include "platform/com.h"
#include "platform/printer.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/seams.h"
#include "platform/system_library.h"
#include "platform/text.h"

namespace pulvar {

namespace {

class WinPrompt : public Prompt {
public:
    int Show(void* owner, const std::string& text, const std::string& title, unsigned style) override {
        return MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), Widen(title).c_str(), style);
    }
};

class WinClock : public Clock {
public:
    std::string TimeOfDay() override {
        wchar_t buffer[80] = {};
        if (!GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, buffer, 80)) return {};
        return Narrow(buffer);
    }
};

class WinLocale : public Locale {
public:
    NumberFormat Number() override {
        NumberFormat format;
        wchar_t buffer[8] = {};
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) format.decimal = Narrow(buffer);
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8) > 1) format.grouping = Narrow(buffer);
        return format;
    }
};

class WinShell : public Shell {
public:
    void Open(void* owner, const std::string& address) override {
        // The shell is loaded on the first link followed, not with the program.
        using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
        static const auto shellExecute = SystemFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
        // Browsers from the Store and associations that run through COM fail
        // quietly on a thread without an apartment. The outcome is deliberately
        // not examined: a missing browser is not something the program can mend.
        UseCom();
        if (shellExecute)
            shellExecute(static_cast<HWND>(owner), L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
};

class WinEnding : public Ending {
public:
    // Ends at once, as the user asked: no window gets to ask again.
    void EndProgram() override { ExitProcess(0); }
    void TerminateProgram() override { TerminateProcess(GetCurrentProcess(), 0); }
};

class WinAppearance : public Appearance {
public:
    bool HighContrast() override {
        HIGHCONTRASTW contrast{};
        contrast.cbSize = sizeof contrast;
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
               (contrast.dwFlags & HCF_HIGHCONTRASTON);
    }
};

}  // namespace

Appearance& RealAppearance() {
    static WinAppearance appearance;
    return appearance;
}

Services& RealServices() {
    static WinPrompt prompt;
    static WinClock clock;
    static WinLocale locale;
    static WinShell shell;
    static WinEnding ending;
    static Services services{prompt,        clock,          locale,         shell,           ending,
                             RealPrinter(), RealRegistry(), RealPrograms(), RealAppearance()};
    return services;
}

}  // namespace pulvar
