// "Imprimir ": confirm, then print the report of the last evaluation.
#pragma once

#include <windows.h>

#include <string>

#include "core/reading.h"
#include "platform/seams.h"

namespace pulvar {

// What the report reads from the main window at the moment it is printed.
struct ReportInput {
    std::string name;      // Text1 as it stands now
    Reading reading;       // the last captured reading
    std::string pulse;     // Label7
    std::string pressure;  // Label8
};

void PrintReport(HWND owner, Services& services, const ReportInput& input);

}  // namespace pulvar
