#include "ui/controls/dpi.h"
#include "platform/gdi.h"
#include "platform/registry.h"
#include "platform/system_library.h"

#include <algorithm>
#include <cstring>

#include "ui/layout.h"

namespace pulvar {

namespace {

// Functions of newer systems, looked up so the program still starts where
// they are missing (Windows 7 has one DPI for the whole screen).
template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int ScreenDpi() {
    ScreenDc screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

namespace {

// Windows 8.1, and Windows 10 before 1607, have a DPI per monitor but no
// GetDpiForWindow: the monitor the window is on tells it instead.
int MonitorDpi(HWND hwnd) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    static const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (!getDpiForMonitor ||
        FAILED(getDpiForMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) || !y)
        return 0;
    return static_cast<int>(y);
}

}  // namespace

int WindowDpi(HWND hwnd) {
    static auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (hwnd) {
        if (getDpiForWindow) {
            if (UINT dpi = getDpiForWindow(hwnd)) return static_cast<int>(dpi);
        } else if (const int dpi = MonitorDpi(hwnd)) {
            return dpi;
        }
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static auto forDpi = User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    // Before Windows 10 1607 the metrics are those of the system's DPI.
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

void AdjustWindowRectForDpi(RECT* rc, DWORD style, DWORD exStyle, int dpi) {
    static auto adjust = User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjust)
        adjust(rc, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(rc, style, FALSE, exStyle);
}

int TextScalePercent(Registry& registry) {
    constexpr DWORD kSmallest = 100, kLargest = 225;
    RegistryKey key;
    if (registry.Open(RegistryRoot::CurrentUser, "Software\\Microsoft\\Accessibility", kRegistryQueryValue, &key) !=
        kRegistryOk)
        return static_cast<int>(kSmallest);
    unsigned char data[4] = {};
    std::uint32_t type = 0, size = sizeof data;
    if (registry.Query(key, "TextScaleFactor", &type, data, &size) != kRegistryOk || type != REG_DWORD ||
        size != sizeof data)
        return static_cast<int>(kSmallest);
    DWORD percent = 0;
    std::memcpy(&percent, data, sizeof percent);
    return static_cast<int>(std::clamp(percent, kSmallest, kLargest));
}

int Scale::MonitorPx(int px) const { return MulDiv(px, draw_, monitor_); }

SIZE Scale::WindowSize(DWORD style, DWORD exStyle, int widthTwips, int heightTwips) const {
    // The frame at the monitor's DPI: with per-monitor frames its caption and
    // borders change with the DPI, so the old thickness would be wrong.
    RECT frame{0, 0, Twips(widthTwips), Twips(heightTwips)};
    AdjustWindowRectForDpi(&frame, style, exStyle, monitor_);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

Scale ScaleToFit(int monitorDpi, int textPercent, DWORD style, DWORD exStyle, int widthTwips, int heightTwips,
                 const RECT& work) {
    // At the usual text size there is nothing to limit: no frame to measure at start.
    if (textPercent <= 100) return Scale(monitorDpi, monitorDpi);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectForDpi(&frame, style, exStyle, monitorDpi);
    const int room = (work.right - work.left) - (frame.right - frame.left);
    const int roomHigh = (work.bottom - work.top) - (frame.bottom - frame.top);
    int draw = MulDiv(monitorDpi, textPercent, 100);
    while (draw > monitorDpi &&
           (TwipsToPixels(widthTwips, draw) > room || TwipsToPixels(heightTwips, draw) > roomHigh))
        --draw;
    return Scale(monitorDpi, std::max(draw, monitorDpi));
}

RECT WorkAreaNear(HWND hwnd) {
    return WorkAreaOf(hwnd ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

SIZE WindowSizeFor(HWND hwnd, int widthTwips, int heightTwips, const Scale& scale) {
    return scale.WindowSize(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)), widthTwips, heightTwips);
}

void FitClientArea(HWND hwnd, RECT place, int widthTwips, int heightTwips, const Scale& scale) {
    const SIZE size = WindowSizeFor(hwnd, widthTwips, heightTwips, scale);
    if (IsIconic(hwnd)) {
        // Moving a minimised window would move its button-sized rectangle:
        // only the place it is restored to takes the new size.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(hwnd, &placement)) {
            placement.rcNormalPosition.right = placement.rcNormalPosition.left + size.cx;
            placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + size.cy;
            placement.showCmd = IsWindowVisible(hwnd) ? SW_SHOWMINNOACTIVE : SW_HIDE;
            SetWindowPlacement(hwnd, &placement);
        }
        return;
    }
    const int width = scale.Twips(widthTwips), height = scale.Twips(heightTwips);
    SetWindowPos(hwnd, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    // A system that draws the frame at another DPI than the window's own
    // (no per-monitor frames) leaves the client area off by the difference.
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != width || client.bottom != height) {
        RECT window{};
        GetWindowRect(hwnd, &window);
        SetWindowPos(hwnd, nullptr, 0, 0, (window.right - window.left) + width - client.right,
                     (window.bottom - window.top) + height - client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace pulvar
