// "Imprimir ": confirm, then print the report of the last evaluation.
#pragma once

#include <windows.h>

#include <string>

#include "core/reading.h"
#include "platform/seams.h"

namespace pulvar {

inline constexpr char kReportQuestion[] = "Desea imprimir un reporte?";
inline constexpr char kReportQuestionTitle[] = "Impresiòn en papel";
inline constexpr char kReportFailure[] = "No se pudo imprimir el reporte. Compruebe la impresora predeterminada.";
// The print job's name, which the print queue shows.
inline constexpr char kReportDocumentTitle[] = "PULVAR - Reporte";
// Why the program holds up the end of the session while a report prints.
inline constexpr char kReportShutdownReason[] = "Pulvar está imprimiendo un reporte.";

// What the report reads from the main window at the moment it is printed.
struct ReportInput {
    std::string name;      // Text1 as it stands now
    Reading reading;       // the last captured reading
    std::string pulse;     // Label7
    std::string pressure;  // Label8
};

// Each confirmed report is a document of its own, handed to the queue before
// this returns. The lines are made here; the printer is driven from a thread
// of its own, while this thread's windows are disabled but their messages
// are served, and the end of the session is held up with a reason given.
// When a driver's own box has closed while in front, and the system has
// given the activation to another program's window, owner takes it back;
// afterwards it has the focus where it was. A failure shows one message box
// and changes nothing else; a document the user cancelled (a declined file
// name, a job deleted from the queue) ends quietly.
void PrintReport(HWND owner, Services& services, const ReportInput& input);

// For the end of the session: waits at most timeoutMs, serving messages, for
// the report being printed to reach the queue. True when none is printing.
bool WaitForReport(unsigned long timeoutMs);

// Whether the printer is still at the report: not yet queued, failed or
// cancelled.
bool ReportPrinting();

// Posted to owner from the printing thread as the report ends, however it
// ends: a message box of owner's may be running its own message loop.
inline constexpr UINT kMsgReportEnded = WM_APP + 30;

}  // namespace pulvar
