#include "ui/controls/dpi.h"
#include "platform/gdi.h"

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

int WindowDpi(HWND hwnd) {
    static auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow && hwnd)
        if (UINT dpi = getDpiForWindow(hwnd)) return static_cast<int>(dpi);
    return ScreenDpi();
}

void AdjustWindowRectForDpi(RECT* rc, DWORD style, DWORD exStyle, int dpi) {
    static auto adjust = User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjust)
        adjust(rc, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(rc, style, FALSE, exStyle);
}

void FitClientAreaForDpi(HWND hwnd, RECT suggested, int widthTwips, int heightTwips, int dpi) {
    // The frame keeps whatever thickness the system gives it; the client
    // area is what must come out exact.
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, TwipsToPixels(widthTwips, dpi) + frameWidth,
                 TwipsToPixels(heightTwips, dpi) + frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace pulvar
