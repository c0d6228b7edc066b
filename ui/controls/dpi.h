// DPI: what the screen and a window have, and the scale a window draws at.
#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace pulvar {

class Registry;

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

// The user's text size (Settings > Accessibility > Text size), in percent:
// 100 to 225, and 100 when it is missing or unreadable.
int TextScalePercent(Registry& registry);

// How one window draws its client area. The system draws the frame, and
// gives its metrics, at the monitor's DPI; the client area is drawn at the
// monitor's DPI times the user's text size. Every pixel size of a client
// area comes from here: nothing else turns twips or 96-DPI pixels into
// pixels on screen.
class Scale {
public:
    constexpr Scale() = default;
    constexpr Scale(int monitorDpi, int drawDpi) : monitor_(monitorDpi), draw_(drawDpi) {}

    constexpr int MonitorDpi() const { return monitor_; }
    constexpr int DrawDpi() const { return draw_; }
    // Layout twips in pixels.
    constexpr int Twips(int twips) const { return TwipsToPixels(twips, draw_); }
    // An image's or hot spot's size drawn for 96 DPI.
    constexpr int Px(int px96) const { return ScalePx(px96, draw_); }
    // A font of that many points, as a CreateFont height.
    constexpr int FontHeight(double points) const { return PointsToFontHeight(points, draw_); }
    // A size given in the monitor's own pixels (a line's width): it grows
    // with the text size only.
    int MonitorPx(int px) const;
    // A metric of what the system draws at the monitor's DPI (the frame's icons).
    int SystemMetric(int index) const { return SystemMetricForDpi(index, monitor_); }
    // The window around a client area of the given twips, in the frame of that style.
    SIZE WindowSize(DWORD style, DWORD exStyle, int widthTwips, int heightTwips) const;

    friend constexpr bool operator==(const Scale& a, const Scale& b) {
        return a.monitor_ == b.monitor_ && a.draw_ == b.draw_;
    }
    friend constexpr bool operator!=(const Scale& a, const Scale& b) { return !(a == b); }

private:
    int monitor_ = 96;
    int draw_ = 96;
};

// The scale for a window on a monitor of that DPI at the user's text size:
// the full size where the window fits in the work area, otherwise the
// largest that does, the same for width and height (never below the
// monitor's own DPI).
Scale ScaleToFit(int monitorDpi, int textPercent, DWORD style, DWORD exStyle, int widthTwips, int heightTwips,
                 const RECT& work);

// The work area of a monitor, and of the one a window is on (the primary
// monitor for null).
RECT WorkAreaOf(HMONITOR monitor);
RECT WorkAreaNear(HWND hwnd);

// The size of a window whose client area is the given twips at that scale,
// in the frame the system draws there.
SIZE WindowSizeFor(HWND hwnd, int widthTwips, int heightTwips, const Scale& scale);

// After a change of scale: the window goes to the given place with a client
// area of exactly the given twips at the new scale, in the frame the system
// draws at its DPI. A minimised window stays as it is and is restored at
// that size.
void FitClientArea(HWND hwnd, RECT place, int widthTwips, int heightTwips, const Scale& scale);

}  // namespace pulvar
