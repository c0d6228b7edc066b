// Recording stand-ins for the seams whose real service would block (a modal
// box) or reach outside (a browser, ending the test process).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/owned.h"
#include "platform/printer.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/seams.h"
#include "ui/controls/keyboard.h"

namespace pulvar::testing {

struct ShownBox {
    std::string text;
    std::string title;
    unsigned style;
};

// Answers from a script (OK when the script is empty) and records every box.
class FakePrompt : public Prompt {
public:
    int Show(void*, const std::string& text, const std::string& title, unsigned style) override {
        shown.push_back({text, title, style});
        if (whileShown) std::exchange(whileShown, nullptr)();
        if (answers.empty()) return kAnswerOk;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<ShownBox> shown;
    std::deque<int> answers;
    // What happens while the next box is up, before it is answered.
    std::function<void()> whileShown;
};

class FakeClock : public Clock {
public:
    std::string TimeOfDay() override { return now; }
    std::string now = "13:05:09";
};

class FakeLocale : public Locale {
public:
    NumberFormat Number() override { return format; }
    NumberFormat format{",", "."};
};

class FakeShell : public Shell {
public:
    void Open(void* owner, const std::string& address) override {
        owners.push_back(owner);
        opened.push_back(address);
        // The apartment the real shell would be called in. Asking to enter a
        // single-threaded one tells whether the thread is already in one
        // (S_FALSE), in none (S_OK) or in the multithreaded one; Wine's
        // CoGetApartmentType still names an apartment the thread has left.
        const HRESULT entered = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        if (SUCCEEDED(entered)) CoUninitialize();
        apartments.push_back(entered == S_FALSE ? kInSingleThreaded : entered == S_OK ? kInNone : kInMultithreaded);
    }
    static constexpr int kInNone = 0, kInSingleThreaded = 1, kInMultithreaded = 2;
    std::vector<void*> owners;
    std::vector<std::string> opened;
    std::vector<int> apartments;
};

class FakeEnding : public Ending {
public:
    void EndProgram() override { ++ended; }
    void TerminateProgram() override { ++terminated; }
    int ended = 0;
    int terminated = 0;
};

// Wine always answers that high contrast is off, so the case of it on is
// only seen through this.
class FakeAppearance : public Appearance {
public:
    bool HighContrast() override { return highContrast; }
    bool highContrast = false;
};

// Every seam: fakes where listed above, the real printer, registry and
// program starter otherwise (tests swap them where they need to).
struct TestServices {
    FakePrompt prompt;
    FakeClock clock;
    FakeLocale locale;
    FakeShell shell;
    FakeEnding ending;
    FakeAppearance appearance;
    Services services{prompt, clock, locale, shell, ending, RealPrinter(), RealRegistry(), RealPrograms(), appearance};
};

// The width of an icon's or a cursor's image, 0 for none.
inline int ImageWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    Owned<HBITMAP, DeleteObject> mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    return bm.bmWidth;
}

// The CreateFont height of the font a window draws its text in.
inline int FontHeight(HWND window) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

// Delivers whatever is waiting in this thread's queue (posted and sent messages).
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Delivers what is waiting the way the program's own message loop does, the
// keyboard navigation of the active window included.
inline void PumpAsTheProgram() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DeliverMessage(msg);
}

// A key pressed on the control that has the focus, through that loop.
inline void PressKey(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    PumpAsTheProgram();
}

}  // namespace pulvar::testing
