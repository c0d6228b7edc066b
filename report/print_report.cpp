#include "report/print_report.h"

#include "core/identity.h"
#include "core/report.h"
#include "platform/printer.h"

namespace pulvar {

namespace {

// While a report prints, its window takes no input and shows the wait cursor:
// a printer may take many seconds, or run a message loop of its own (the box
// that asks where to print to a file), and no click may start a second
// document on top of the first. Undone however the printing ends.
class BusyWindow {
public:
    explicit BusyWindow(HWND window)
        : window_(window),
          wasEnabled_(window && IsWindowEnabled(window)),
          cursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
        if (wasEnabled_) EnableWindow(window_, FALSE);
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;
    ~BusyWindow() {
        if (wasEnabled_) EnableWindow(window_, TRUE);
        SetCursor(cursor_);
    }

private:
    HWND window_;
    bool wasEnabled_;
    HCURSOR cursor_;
};

enum class Outcome { Printed, Cancelled, Failed };

Outcome Print(HWND owner, Services& services, const ReportInput& input) {
    BusyWindow busy(owner);
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
        for (const ReportLine& line : lines) printed = printer.PrintLine(line.indentColumns, line.text) && printed;
        // Always ended: a document left open never reaches the queue.
        printed = printer.EndDocument() && printed;
        return printed ? Outcome::Printed : Outcome::Failed;
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
