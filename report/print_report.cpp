#include "report/print_report.h"

namespace pulvar {

void PrintReport(HWND, Services&, const ReportInput&) {}

}  // namespace pulvar
