#include "ui/controls/ink.h"

#include <vector>

#include "platform/gdi.h"
#include "ui/controls/owners.h"

namespace pulvar {

HICON InkedIcon(HICON icon, COLORREF ink) {
    if (ink == RGB(0, 0, 0)) return nullptr;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return nullptr;
    Bitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bm{};
    if (!colour || !GetObjectW(colour.get(), sizeof bm, &bm)) return nullptr;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bm.bmWidth;
    format.bmiHeader.biHeight = -bm.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const size_t count = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight);
    std::vector<RGBQUAD> pixels(count), transparent(count);
    ScreenDc screen;
    const UINT rows = static_cast<UINT>(bm.bmHeight);
    if (GetDIBits(screen.get(), colour.get(), 0, rows, pixels.data(), &format, DIB_RGB_COLORS) != bm.bmHeight ||
        GetDIBits(screen.get(), mask.get(), 0, rows, transparent.data(), &format, DIB_RGB_COLORS) != bm.bmHeight)
        return nullptr;
    for (size_t i = 0; i < count; ++i) {
        RGBQUAD& p = pixels[i];
        // A set mask bit with black colour is a transparent pixel, not ink.
        if (transparent[i].rgbRed || p.rgbRed || p.rgbGreen || p.rgbBlue) continue;
        p.rgbRed = GetRValue(ink);
        p.rgbGreen = GetGValue(ink);
        p.rgbBlue = GetBValue(ink);
    }
    if (SetDIBits(screen.get(), colour.get(), 0, rows, pixels.data(), &format, DIB_RGB_COLORS) != bm.bmHeight)
        return nullptr;
    return CreateIconIndirect(&info);
}

}  // namespace pulvar
