#include "platform/messages.h"

#include <windows.h>

namespace pulvar {

namespace {

// A flood of posted messages must not keep the work from going on: the rest
// waits for the next call.
constexpr int kMostMessagesPerCall = 200;

bool IsInput(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) || msg == WM_NCMOUSEHOVER ||
           msg == WM_NCMOUSELEAVE || msg == WM_MOUSEHOVER || msg == WM_MOUSELEAVE;
}

// Keyboard input goes to the focus window even while its top-level window is
// disabled, so the top-level window is what counts.
bool TakesNoInput(HWND hwnd) {
    if (!hwnd) return false;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return !IsWindowEnabled(hwnd) || (root && !IsWindowEnabled(root));
}

int longWorks = 0;  // the user-interface thread's only

}  // namespace

LongWork::LongWork() { ++longWorks; }
LongWork::~LongWork() { --longWorks; }
bool LongWork::Running() { return longWorks > 0; }

void ServeWaitingMessages() {
    MSG msg;
    for (int i = 0; i < kMostMessagesPerCall && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsInput(msg.message) && TakesNoInput(msg.hwnd)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MessageServing::ServeIfDue() {
    LARGE_INTEGER now{}, perSecond{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&perSecond);
    if (lastTicks_ >= 0 && (now.QuadPart - lastTicks_) * 1000 < intervalMs_ * perSecond.QuadPart) return;
    lastTicks_ = now.QuadPart;
    ServeWaitingMessages();
}

}  // namespace pulvar
