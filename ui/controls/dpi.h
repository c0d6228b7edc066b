// DPI: what the screen and a window have, and sizes that follow it.
#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace pulvar {

// The screen's DPI, and a window's own where the system has one per monitor.
int ScreenDpi();
int WindowDpi(HWND hwnd);

// A system metric (an icon size, say) as the system gives it at that DPI.
int SystemMetricForDpi(int index, int dpi);

// A size drawn for 96 DPI (an image, a hot spot) at the given DPI.
constexpr int ScalePx(int px96, int dpi) { return TwipsToPixels(px96 * (kTwipsPerInch / 96), dpi); }

// Grows a client rectangle to the window rectangle with the frame the system
// draws at that DPI.
void AdjustWindowRectForDpi(RECT* rc, DWORD style, DWORD exStyle, int dpi);

// The size of a window whose client area is the given twips at that DPI, in
// the frame the system draws there.
SIZE WindowSizeForDpi(HWND hwnd, int widthTwips, int heightTwips, int dpi);

// After a DPI change: the window goes to the suggested place with a client
// area of exactly the given twips at the new DPI, in the frame the system
// draws at that DPI. A minimised window stays as it is and is restored at
// that size.
void FitClientAreaForDpi(HWND hwnd, RECT suggested, int widthTwips, int heightTwips, int dpi);

}  // namespace pulvar
