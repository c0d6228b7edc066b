#include "platform/messages.h"

#include <windows.h>
#include <process.h>

#include <utility>

namespace pulvar {

namespace {

// A flood of posted messages must not keep the wait from seeing its handles:
// the rest waits for the next round.
constexpr int kMostMessagesPerRound = 200;

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

// Alt+F4, which DefWindowProc turns into a close request even for a
// disabled window.
bool IsCloseKey(const MSG& msg) { return msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4; }

BOOL CALLBACK FindShown(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The user-interface thread's only.
int longWorks = 0;
DWORD workThread = 0;

}  // namespace

int WaitServingMessages(void* const* handles, int count, unsigned long timeoutMs) {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    bool quit = false;
    WPARAM quitCode = 0;
    int signalled = -1;
    for (;;) {
        DWORD wait = INFINITE;
        if (timeoutMs != kWaitForever) {
            const ULONGLONG now = GetTickCount64();
            wait = now >= until ? 0 : static_cast<DWORD>(until - now);
        }
        // MWMO_INPUTAVAILABLE: also what came in before this wait began.
        const DWORD woken = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(count), handles, wait, QS_ALLINPUT,
                                                        MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + static_cast<DWORD>(count)) {
            signalled = static_cast<int>(woken - WAIT_OBJECT_0);
            break;
        }
        if (woken != WAIT_OBJECT_0 + static_cast<DWORD>(count)) break;  // the time ran out, or the wait failed
        MSG msg;
        for (int i = 0; i < kMostMessagesPerRound && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            if (IsInput(msg.message) && TakesNoInput(msg.hwnd) && !IsCloseKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return signalled;
}

JobThread::JobThread(std::function<void()> job) : job_(std::move(job)) {
    // _beginthreadex rather than CreateThread: the job uses the C runtime.
    thread_ = reinterpret_cast<void*>(_beginthreadex(nullptr, 0, Run, this, 0, nullptr));
}

JobThread::~JobThread() {
    if (!thread_) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

unsigned __stdcall JobThread::Run(void* self) {
    try {
        static_cast<JobThread*>(self)->job_();
    } catch (...) {
        // Nothing may unwind out of the thread: that would end the program.
    }
    return 0;
}

LongWork::LongWork() { ++longWorks; }
LongWork::~LongWork() {
    if (--longWorks == 0) workThread = 0;
}
bool LongWork::Running() { return longWorks > 0; }
void LongWork::RunsOn(unsigned long threadId) { workThread = threadId; }

bool LongWork::BringForward() {
    HWND found = nullptr;
    if (workThread) EnumThreadWindows(workThread, FindShown, reinterpret_cast<LPARAM>(&found));
    if (!found) return false;
    // A box the window found has opened in turn, if any.
    HWND popup = GetLastActivePopup(found);
    SetForegroundWindow(popup && IsWindowVisible(popup) ? popup : found);
    return true;
}

}  // namespace pulvar
