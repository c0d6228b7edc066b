#include "report/print_report.h"

#include <optional>
#include <vector>

#include "core/identity.h"
#include "core/report.h"
#include "platform/com.h"
#include "platform/messages.h"
#include "platform/owned.h"
#include "platform/printer.h"
#include "platform/text.h"

namespace pulvar {

namespace {

using Event = Owned<HANDLE, CloseHandle>;

// The report now printing, for the end of the session to wait for; the
// user-interface thread's only.
HANDLE printingJob = nullptr;

// While a report prints, the program's windows take no input, run no command
// and show the wait cursor: a printer may take many seconds, or show a box
// of its own (where a print to file goes), and no click may start a second
// document on top of the first. Messages are still served meanwhile
// (platform/messages.h), so the About window is disabled too. The session
// does not end under the report. Undone however the printing ends.
class BusyWindows {
public:
    explicit BusyWindows(HWND owner) : owner_(owner), focus_(GetFocus()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        Disable(owner_);
        EnumThreadWindows(GetCurrentThreadId(), DisableShown, reinterpret_cast<LPARAM>(this));
        // The main window answers the session's end with a no while this
        // runs; the system shows the user why.
        if (owner_) blocksShutdown_ = ShutdownBlockReasonCreate(owner_, Widen(kReportShutdownReason).c_str()) != FALSE;
    }
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;
    ~BusyWindows() {
        if (blocksShutdown_ && IsWindow(owner_)) ShutdownBlockReasonDestroy(owner_);
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        work_.reset();  // from here on the windows choose their pointers again
        ShowPointerUnderMouse();
        if (!owner_ || !IsWindow(owner_)) return;
        // Also when nothing is in front any more, as Wine may leave it some
        // time after the box closed.
        HWND front = GetForegroundWindow();
        if (takeBackAtEnd_ || (boxClosed_ && (!front || front == GetDesktopWindow()))) TakeActivationBack();
        // Disabling the window took the focus from its control.
        if (focus_ && IsWindow(focus_) && IsChild(owner_, focus_) && GetActiveWindow() == owner_ &&
            GetFocus() != focus_)
            SetFocus(focus_);
    }

    void PrintsOn(DWORD thread) {
        thread_ = thread;
        LongWork::RunsOn(thread);  // a click on a disabled window brings its boxes forward (ui/window.cpp)
    }

    // A driver's box closed while in front, and the system gave the
    // activation to the next window that takes it, another program's: take
    // it back, now, or once the windows are enabled again.
    void TakeActivationBack() {
        if (!IsWindow(owner_)) return;
        boxClosed_ = true;
        HWND front = GetForegroundWindow();
        // One of ours has it, or another box of the driver's (the one that
        // closes may still be in front, hidden).
        if (front && (GetAncestor(front, GA_ROOTOWNER) == owner_ ||
                      (GetWindowThreadProcessId(front, nullptr) == thread_ && IsWindowVisible(front))))
            return;
        SetForegroundWindow(owner_);
    }
    void TakeActivationBackAtEnd() { takeBackAtEnd_ = true; }

private:
    void Disable(HWND window) {
        if (!window || !IsWindowEnabled(window)) return;
        disabled_.push_back(window);  // first: a window is never left disabled unrecorded
        EnableWindow(window, FALSE);
    }
    static BOOL CALLBACK DisableShown(HWND window, LPARAM self) {
        try {
            if (IsWindowVisible(window)) reinterpret_cast<BusyWindows*>(self)->Disable(window);
            return TRUE;
        } catch (...) {
            return FALSE;  // no exception may unwind into USER32
        }
    }

    // Not the pointer shown before: a DPI change during the report may have
    // freed it (the slider's is made anew). The arrow, until the window under
    // the mouse, if it is one of ours, sets its own.
    static void ShowPointerUnderMouse() {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        POINT at{};
        HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
        if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return;
        const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
    }

    std::optional<LongWork> work_{std::in_place};  // first: the windows show the wait cursor from here on
    HWND owner_;
    HWND focus_;
    DWORD thread_ = 0;
    bool takeBackAtEnd_ = false;
    bool boxClosed_ = false;  // one closed in front during this report
    bool blocksShutdown_ = false;
    std::vector<HWND> disabled_;
};

// On the printing thread, while the report prints: notes when one of its
// top-level windows (a driver's box) that hid while in front, as a box does
// as it closes, is gone, and the system has given the activation to the
// window it chose. A box the user turned away from is not in front as it
// hides, and the other program keeps the activation.
class DriverBoxWatch {
public:
    explicit DriverBoxWatch(HANDLE closedInFront) {
        closedInFront_ = closedInFront;
        hook_.reset(SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId()));
    }

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_HIDEWINDOW) &&
            InFront(sent->hwnd))
            hiding_ = sent->hwnd;
        if (code == HC_ACTION && sent->message == WM_NCDESTROY && sent->hwnd == hiding_) {
            hiding_ = nullptr;
            SetEvent(closedInFront_);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    // No other window is in front of it: also none at all, as under Wine
    // while the focus moves between threads.
    static bool InFront(HWND window) {
        HWND front = GetForegroundWindow();
        return front == window || !front || front == GetDesktopWindow();
    }

    static inline thread_local HANDLE closedInFront_ = nullptr;
    static inline thread_local HWND hiding_ = nullptr;
    Owned<HHOOK, UnhookWindowsHookEx> hook_;
};

enum class Outcome { Printed, Cancelled, Failed };

// On the printing thread, the only one that drives the printer.
Outcome PrintDocument(Printer& printer, const std::vector<ReportLine>& lines) {
    try {
        switch (printer.StartDocument(kReportDocumentTitle)) {
            case PrintStart::Started: break;
            case PrintStart::Cancelled: return Outcome::Cancelled;
            case PrintStart::Failed: return Outcome::Failed;
        }
        // A line that fails does not stop the others: the rest of the report
        // is still worth having on paper.
        bool printed = true;
        for (const ReportLine& line : lines) printed = printer.PrintLine(line.indentColumns, line.text) && printed;
        // Always ended: a document left open never reaches the queue.
        switch (printer.EndDocument()) {
            case PrintEnd::Queued: return printed ? Outcome::Printed : Outcome::Failed;
            case PrintEnd::Cancelled: return Outcome::Cancelled;
            case PrintEnd::Failed: break;
        }
        return Outcome::Failed;
    } catch (...) {
        // Out of memory halfway, or as the document opened: half a report is
        // not handed to the queue, and the printer is not left busy for good.
        // Giving up a document that never opened does nothing.
        printer.AbortDocument();
        return Outcome::Failed;
    }
}

Outcome Print(HWND owner, Services& services, const ReportInput& input) {
    BusyWindows busy(owner);
    const std::vector<ReportLine> lines =
        ReportLines(input.name, input.reading, input.pulse, input.pressure, services.locale.Number(), kVersion);
    Event boxClosed(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!boxClosed) return Outcome::Failed;
    Printer& printer = services.printer;
    Outcome outcome = Outcome::Failed;
    {
        JobThread job([&] {
            ComApartment apartment;
            {
                DriverBoxWatch watch(boxClosed.get());
                outcome = PrintDocument(printer, lines);
            }
            if (owner) PostMessageW(owner, kMsgReportEnded, 0, 0);
        });
        if (!job) return Outcome::Failed;
        busy.PrintsOn(GetThreadId(job.Handle()));
        struct Current {
            HANDLE before;
            ~Current() { printingJob = before; }
        } current{printingJob};
        printingJob = job.Handle();
        HANDLE handles[] = {job.Handle(), boxClosed.get()};
        while (WaitServingMessages(handles, 2, kWaitForever) == 1) busy.TakeActivationBack();
        // A box that closed as the document ended.
        if (WaitForSingleObject(boxClosed.get(), 0) == WAIT_OBJECT_0) busy.TakeActivationBackAtEnd();
    }  // the job has ended here
    return outcome;
}

}  // namespace

void PrintReport(HWND owner, Services& services, const ReportInput& input) {
    if (services.prompt.Show(owner, kReportQuestion, kReportQuestionTitle, kBoxOkCancel | kBoxIconQuestion) !=
        kAnswerOk)
        return;
    Outcome outcome = Outcome::Failed;
    try {
        outcome = Print(owner, services, input);
    } catch (...) {
        // Out of memory making the lines, say: nothing was started.
    }
    if (outcome == Outcome::Failed)
        services.prompt.Show(owner, kReportFailure, kAppTitle, kBoxOk | kBoxIconExclamation);
}

bool ReportPrinting() { return printingJob && WaitForSingleObject(printingJob, 0) == WAIT_TIMEOUT; }

bool WaitForReport(unsigned long timeoutMs) {
    if (!printingJob) return true;
    HANDLE job = printingJob;
    return WaitServingMessages(&job, 1, timeoutMs) == 0;
}

}  // namespace pulvar
