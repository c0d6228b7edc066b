// The font the report is printed in.
#pragma once

#include <windows.h>

namespace pulvar {

// A face with the Latin, Greek and Cyrillic letters a name may hold, at the
// report's size on a device of the given vertical resolution. Scripts the face
// lacks come from the fonts Windows links to it.
LOGFONTW ReportFont(int pixelsPerInch);

}  // namespace pulvar
