#include "ui/controls/picture_box.h"
#include "platform/gdi.h"

#include <utility>

#include "ui/controls/dpi.h"
#include "ui/controls/owners.h"
#include "ui/controls/pointer.h"

namespace pulvar {

namespace {

// State of one picture box, owned by the window and freed at WM_NCDESTROY.
struct PictureData {
    COLORREF back = CLR_INVALID;  // CLR_INVALID: the standard button face
    Scale scale;
    int imageId = 0;      // the image's resource
    bool loaded = false;  // whether it has been loaded yet
    Icon bigIcon;         // at the window icons' sizes
    Icon smallIcon;
    Icon drawnIcon;       // at the size the box draws it, when that is another
    Bitmap bitmap;        // at the size the box draws it
    HWND tooltip = nullptr;  // the form's, which shows this box's tip
};

// Picture boxes keep their images until the scale changes: the status lamps
// lend theirs to the window icon, and lend it the new ones then.
// Icons come at the system's sizes for the monitor's DPI. The image is loaded
// when first painted or asked for: the boxes that have one start hidden, and
// each icon costs the system some work at start.
void Load(PictureData& data) {
    data.loaded = true;
    const int resourceId = data.imageId;
    if (resourceId == 0) return;
    if (IsBitmapResource(resourceId)) {
        auto load = [&](int width, int height) {
            return static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, width,
                                                   height, LR_CREATEDIBSECTION));
        };
        data.bitmap.reset(load(0, 0));  // 0: its own size, drawn for 96 DPI
        BITMAP bm{};
        if (data.scale.DrawDpi() != 96 && GetObjectW(data.bitmap.get(), sizeof bm, &bm))
            data.bitmap.reset(load(data.scale.Px(bm.bmWidth), data.scale.Px(bm.bmHeight)));
    } else {
        const int big = data.scale.SystemMetric(SM_CXICON);
        data.bigIcon.reset(LoadIconImage(resourceId, big));
        data.smallIcon.reset(LoadIconImage(resourceId, data.scale.SystemMetric(SM_CXSMICON)));
        // The box draws it at 32 pixels for 96 DPI: the window icon's size
        // at the monitor's DPI, but not once the text is larger.
        if (const int drawn = data.scale.Px(32); drawn != big)
            data.drawnIcon.reset(LoadIconImage(resourceId, drawn));
    }
}

// The images again for a new scale. A status lamp's are lent to the window as
// its icon: the window gets the new ones before the old ones are freed, so it
// never holds a freed icon.
void Reload(HWND box, PictureData& data) {
    const Icon oldBig = std::move(data.bigIcon), oldSmall = std::move(data.smallIcon);
    data.drawnIcon.reset();
    Load(data);
    HWND window = GetParent(box);
    if (oldBig && reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)) == oldBig.get())
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(data.bigIcon.get()));
    if (oldSmall && reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)) == oldSmall.get())
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(data.smallIcon.get()));
}

PictureData* Loaded(PictureData* data) {
    if (data && !data->loaded) Load(*data);
    return data;
}

void Paint(HWND hwnd, const PictureData* data) {
    PaintScope paint(hwnd);
    HDC dc = paint.dc();
    RECT rc;
    GetClientRect(hwnd, &rc);
    COLORREF back = data && data->back != CLR_INVALID ? data->back : GetSysColor(COLOR_BTNFACE);
    SetDCBrushColor(dc, back);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (data && data->bigIcon) {
        const int size = data->scale.Px(32);
        DrawIconEx(dc, 0, 0, data->drawnIcon ? data->drawnIcon.get() : data->bigIcon.get(), size, size, 0, nullptr,
                   DI_NORMAL);
    } else if (data && data->bitmap) {
        BITMAP bm{};
        GetObjectW(data->bitmap.get(), sizeof bm, &bm);
        MemoryDc mem(CreateCompatibleDC(dc));
        Selection selected(mem.get(), data->bitmap.get());
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
    }
    if (GetFocus() == hwnd) DrawFocusRect(dc, &rc);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* data = reinterpret_cast<PictureData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (data) ReportPointer(data->tooltip, hwnd, msg, wp, lp);
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PictureData));
            break;
        case WM_NCDESTROY:
            delete data;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        case kMsgPictureSetBack:
            if (data && data->back != static_cast<COLORREF>(wp)) {
                data->back = static_cast<COLORREF>(wp);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case kMsgPictureSetScale:
            if (const Scale scale(static_cast<int>(wp), static_cast<int>(lp)); data && data->scale != scale) {
                data->scale = scale;
                if (data->loaded && (data->bigIcon || data->bitmap)) Reload(hwnd, *data);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case kMsgPictureSetTooltip:
            if (data) data->tooltip = reinterpret_cast<HWND>(wp);
            return 0;
        case kMsgPictureLoadImage:
            if (data) {
                data->imageId = static_cast<int>(wp);
                data->loaded = false;
            }
            return 0;
        case kMsgPictureGetBack:
            return data ? static_cast<LRESULT>(data->back) : CLR_INVALID;
        case kMsgPictureGetBigIcon:
            return Loaded(data) ? reinterpret_cast<LRESULT>(data->bigIcon.get()) : 0;
        case kMsgPictureGetSmallIcon:
            return Loaded(data) ? reinterpret_cast<LRESULT>(data->smallIcon.get()) : 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(hwnd, Loaded(data));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_LBUTTONDOWN:
            if (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) SetFocus(hwnd);
            return 0;
        case WM_LBUTTONUP:
            ReportClick(hwnd);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool RegisterPictureBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PictureProc;
        wc.hInstance = Module();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPictureBoxClass;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

bool IsBitmapResource(int resourceId) {
    return FindResourceW(Module(), MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(2) /*RT_BITMAP*/) != nullptr;
}

}  // namespace pulvar
