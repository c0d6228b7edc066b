#include "report/print_report.h"

#include <vector>

#include "core/identity.h"
#include "core/report.h"
#include "platform/messages.h"
#include "platform/printer.h"

namespace pulvar {

namespace {

// While a report prints, the program's windows take no input and show the
// wait cursor: a printer may take many seconds, or run a message loop of its
// own (the box that asks where to print to a file), and no click may start a
// second document on top of the first. Messages are still served meanwhile
// (platform/messages.h), so input to the About window must be kept out too.
// Undone however the printing ends.
class BusyWindows {
public:
    explicit BusyWindows(HWND owner)
        : owner_(owner),
          focus_(GetFocus()),
          wasForeground_(owner && GetForegroundWindow() == owner),
          cursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
        Disable(owner_);
        EnumThreadWindows(GetCurrentThreadId(), DisableShown, reinterpret_cast<LPARAM>(this));
    }
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;
    ~BusyWindows() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        SetCursor(cursor_);
        if (!owner_ || !IsWindow(owner_)) return;
        // A driver's own box that closes while the window is still disabled
        // hands the activation to another program's window: take it back.
        if (wasForeground_ && GetForegroundWindow() != owner_) SetForegroundWindow(owner_);
        // Disabling the window took the focus from its control.
        if (focus_ && IsWindow(focus_) && IsChild(owner_, focus_) && GetFocus() != focus_) SetFocus(focus_);
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
    std::vector<HWND> disabled_;
};

enum class Outcome { Printed, Cancelled, Failed };

Outcome Print(HWND owner, Services& services, const ReportInput& input) {
    BusyWindows busy(owner);
    Printer& printer = services.printer;
    bool started = false;
    try {
        const std::vector<ReportLine> lines = ReportLines(input.name, input.reading, input.pulse, input.pressure,
                                                          services.locale.Number(), kVersion);
        switch (printer.StartDocument(kReportDocumentTitle)) {
            case PrintStart::Started: started = true; break;
            case PrintStart::Cancelled: return Outcome::Cancelled;
            case PrintStart::Failed: return Outcome::Failed;
        }
        // A line that fails does not stop the others: the rest of the report
        // is still worth having on paper.
        bool printed = true;
        for (const ReportLine& line : lines) {
            printed = printer.PrintLine(line.indentColumns, line.text) && printed;
            ServeWaitingMessages();
        }
        // Always ended: a document left open never reaches the queue.
        started = false;
        switch (printer.EndDocument()) {
            case PrintEnd::Queued: return printed ? Outcome::Printed : Outcome::Failed;
            case PrintEnd::Cancelled: return Outcome::Cancelled;
            case PrintEnd::Failed: break;
        }
        return Outcome::Failed;
    } catch (...) {
        // Out of memory halfway, say: half a report is not handed to the
        // queue, and no document stays open to block the next one.
        if (started) printer.AbortDocument();
        return Outcome::Failed;
    }
}

}  // namespace

void PrintReport(HWND owner, Services& services, const ReportInput& input) {
    if (services.prompt.Show(owner, kReportQuestion, kReportQuestionTitle, kBoxOkCancel | kBoxIconQuestion) !=
        kAnswerOk)
        return;
    if (Print(owner, services, input) == Outcome::Failed)
        services.prompt.Show(owner, kReportFailure, kAppTitle, kBoxOk | kBoxIconExclamation);
}

}  // namespace pulvar
