#include "report/print_report.h"

#include <vector>

#include "core/identity.h"
#include "core/report.h"
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
    explicit BusyWindows(HWND owner)
        : owner_(owner),
          focus_(GetFocus()),
          wasForeground_(owner && GetForegroundWindow() == owner),
          cursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
        Disable(owner_);
        EnumThreadWindows(GetCurrentThreadId(), DisableShown, reinterpret_cast<LPARAM>(this));
        // The windows answer the session's end with a no while this runs
        // (ui/window.cpp); the system shows the user why.
        if (owner_) blocksShutdown_ = ShutdownBlockReasonCreate(owner_, Widen(kReportShutdownReason).c_str()) != FALSE;
    }
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;
    ~BusyWindows() {
        if (blocksShutdown_ && IsWindow(owner_)) ShutdownBlockReasonDestroy(owner_);
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        SetCursor(cursor_);
        if (!owner_ || !IsWindow(owner_)) return;
        // Disabling the window took the focus from its control.
        if (focus_ && IsWindow(focus_) && IsChild(owner_, focus_) && GetActiveWindow() == owner_ &&
            GetFocus() != focus_)
            SetFocus(focus_);
    }

    // A driver's own box that closed as the document started, while the
    // window was still disabled, handed the activation to another program's
    // window: take it back, now. Not at the end: a person who turns to
    // another program during a long report keeps it in front.
    void DocumentStarted() {
        if (wasForeground_ && IsWindow(owner_) && GetForegroundWindow() != owner_) SetForegroundWindow(owner_);
    }

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

    LongWork work_;  // first: the windows show the wait cursor from here on
    HWND owner_;
    HWND focus_;
    bool wasForeground_;
    HCURSOR cursor_;
    bool blocksShutdown_ = false;
    std::vector<HWND> disabled_;
};

enum class Outcome { Printed, Cancelled, Failed };

// On the printing thread, the only one that drives the printer. `started` is
// set once the document's start has returned, whatever it gave.
Outcome PrintDocument(Printer& printer, const std::vector<ReportLine>& lines, HANDLE started) {
    bool open = false;
    try {
        const PrintStart start = printer.StartDocument(kReportDocumentTitle);
        SetEvent(started);
        switch (start) {
            case PrintStart::Started: open = true; break;
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
        // Out of memory halfway, say: half a report is not handed to the
        // queue, and no document stays open to block the next one.
        if (open) printer.AbortDocument();
        return Outcome::Failed;
    }
}

Outcome Print(HWND owner, Services& services, const ReportInput& input) {
    BusyWindows busy(owner);
    const std::vector<ReportLine> lines =
        ReportLines(input.name, input.reading, input.pulse, input.pressure, services.locale.Number(), kVersion);
    Event started(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!started) return Outcome::Failed;
    Printer& printer = services.printer;
    Outcome outcome = Outcome::Failed;
    {
        JobThread job([&] { outcome = PrintDocument(printer, lines, started.get()); });
        if (!job) return Outcome::Failed;
        struct Current {
            HANDLE before;
            ~Current() { printingJob = before; }
        } current{printingJob};
        printingJob = job.Handle();
        HANDLE handles[] = {started.get(), job.Handle()};
        if (WaitServingMessages(handles, 2, kWaitForever) == 0) {
            busy.DocumentStarted();
            WaitServingMessages(&handles[1], 1, kWaitForever);
        }
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

bool WaitForReport(unsigned long timeoutMs) {
    if (!printingJob) return true;
    HANDLE job = printingJob;
    return WaitServingMessages(&job, 1, timeoutMs) == 0;
}

}  // namespace pulvar
