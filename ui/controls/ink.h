// Images whose black is ink: drawn in the scheme's button text colour, so
// that on a dark face they show as they do on a light one.
#pragma once

#include <windows.h>

namespace pulvar {

// A new icon: `icon` with its opaque black pixels in `ink`. Null when there
// is nothing to change (the ink is black) or the icon cannot be read.
HICON InkedIcon(HICON icon, COLORREF ink);

}  // namespace pulvar
