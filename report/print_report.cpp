#include "report/print_report.h"

#include "app/version.h"
#include "core/identity.h"
#include "core/report.h"
#include "platform/printer.h"

namespace pulvar {

namespace {
constexpr Version kVersion{PULVAR_VERSION_MAJOR, PULVAR_VERSION_MINOR, PULVAR_VERSION_REVISION};
}

void PrintReport(HWND owner, Services& services, const ReportInput& input) {
    if (services.prompt.Show(owner, kReportQuestion, kReportQuestionTitle, kBoxOkCancel | kBoxIconQuestion) !=
        kAnswerOk)
        return;

    const std::vector<ReportLine> lines = ReportLines(input.name, input.reading, input.pulse, input.pressure,
                                                      services.locale.Number(), kVersion);
    Printer& printer = services.printer;
    bool printed = printer.StartDocument(kReportDocumentTitle);
    if (printed) {
        // A line that fails does not stop the others: the rest of the report
        // is still worth having on paper.
        for (const ReportLine& line : lines) printed = printer.PrintLine(line.indentColumns, line.text) && printed;
        // Always ended: a document left open never reaches the queue.
        printed = printer.EndDocument() && printed;
    }
    if (!printed) services.prompt.Show(owner, kReportFailure, kReportFailureTitle, kBoxOk | kBoxIconExclamation);
}

}  // namespace pulvar
