#include "ui/controls_win.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

#include "platform/text.h"

namespace pulvar {

namespace {

constexpr wchar_t kPictureClass[] = L"PulvarPictureBox";

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// Hands a mouse message on to a tooltip, which shows and hides the control's
// tip from them.
void RelayToTooltip(HWND tooltip, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (!tooltip) return;
    MSG relayed{};
    relayed.hwnd = control;
    relayed.message = msg;
    relayed.wParam = wp;
    relayed.lParam = lp;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD pos = GetMessagePos();
    relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// What every control does with the pointer: the form's tooltip sees the
// mouse messages, and the form hears when the pointer moves over the control
// (the hints need it, and controls do not report it on their own).
void ReportPointer(HWND tooltip, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
            RelayToTooltip(tooltip, control, msg, wp, lp);
            SendMessageW(GetParent(control), kMsgControlMouseMove, static_cast<WPARAM>(GetDlgCtrlID(control)),
                         reinterpret_cast<LPARAM>(control));
            break;
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
            RelayToTooltip(tooltip, control, msg, wp, lp);
            break;
    }
}

// State of one picture box, owned by the window and freed at WM_NCDESTROY.
struct PictureData {
    COLORREF back = CLR_INVALID;  // CLR_INVALID: the standard button face
    int dpi = 96;
    Icon bigIcon;
    Icon smallIcon;
    Bitmap bitmap;
    HWND tooltip = nullptr;  // the form's, which shows this box's tip
};

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
        case kMsgPictureSetDpi:
            if (data) data->dpi = static_cast<int>(wp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case kMsgPictureGetBack:
            return data ? static_cast<LRESULT>(data->back) : CLR_INVALID;
        case kMsgPictureGetBigIcon:
            return data ? reinterpret_cast<LRESULT>(data->bigIcon.get()) : 0;
        case kMsgPictureGetSmallIcon:
            return data ? reinterpret_cast<LRESULT>(data->smallIcon.get()) : 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            COLORREF back = data && data->back != CLR_INVALID ? data->back : GetSysColor(COLOR_BTNFACE);
            SetDCBrushColor(dc, back);
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            if (data && data->bigIcon) {
                const int size = MulDiv(32, data->dpi, 96);
                DrawIconEx(dc, 0, 0, data->bigIcon.get(), size, size, 0, nullptr, DI_NORMAL);
            } else if (data && data->bitmap) {
                BITMAP bm{};
                GetObjectW(data->bitmap.get(), sizeof bm, &bm);
                HDC mem = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(mem, data->bitmap.get());
                BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
                SelectObject(mem, old);
                DeleteDC(mem);
            }
            if (GetFocus() == hwnd) DrawFocusRect(dc, &rc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_LBUTTONDOWN:
            if (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) SetFocus(hwnd);
            return 0;
        case WM_LBUTTONUP:
            SendMessageW(GetParent(hwnd), kMsgControlClick, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                         reinterpret_cast<LPARAM>(hwnd));
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterPictureClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = Module();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureClass;
    RegisterClassExW(&wc);
    registered = true;
}

// What a subclassed control keeps: its own window procedure and the form's
// tooltip. It sits in the slot Windows leaves to the application; a window
// property would do as well, but Wine looks properties up in its server, and
// every message to every control would pay for it.
struct Subclassed {
    WNDPROC original;
    HWND tooltip;
};

// A system control reports the pointer as every control does, and a text box
// also tells its parent when it is clicked, which it does not on its own (the
// click-to-empty boxes need it).
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* mine = reinterpret_cast<Subclassed*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!mine) return DefWindowProcW(hwnd, msg, wp, lp);
    const WNDPROC original = mine->original;
    ReportPointer(mine->tooltip, hwnd, msg, wp, lp);
    switch (msg) {
        case WM_LBUTTONUP: {
            LRESULT result = CallWindowProcW(original, hwnd, msg, wp, lp);
            wchar_t cls[16] = {};
            GetClassNameW(hwnd, cls, 16);
            if (lstrcmpiW(cls, L"Edit") == 0)
                SendMessageW(GetParent(hwnd), kMsgControlClick, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                             reinterpret_cast<LPARAM>(hwnd));
            return result;
        }
        case WM_NCPAINT: {
            // A control without border or scroll bars has no frame to paint;
            // Wine would still ask its server about the monitor several times.
            RECT window, client;
            GetWindowRect(hwnd, &window);
            GetClientRect(hwnd, &client);
            if (window.right - window.left == client.right && window.bottom - window.top == client.bottom) return 0;
            break;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete mine;
            break;
    }
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

void Subclass(HWND hwnd, HWND tooltip) {
    auto* mine = new Subclassed{reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), tooltip};
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mine));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
}

bool IsBitmapResource(int resourceId) {
    return FindResourceW(Module(), MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(2) /*RT_BITMAP*/) != nullptr;
}

// One row per font of the layouts.
struct FontSpec {
    FontId id;
    double points;
    int weight;
    // For text the user types, in any script: "MS Sans Serif" is a bitmap
    // font with the Western European letters only, and Windows links other
    // fonts for the scripts it lacks to its TrueType twin, never to it.
    bool anyScript;
};

constexpr FontSpec kFonts[] = {
    {FontId::Sans975, 9.75, FW_NORMAL, false},   {FontId::Sans975Bold, 9.75, FW_BOLD, false},
    {FontId::Sans12Bold, 12, FW_BOLD, false},    {FontId::Sans18Bold, 18, FW_BOLD, false},
    {FontId::Sans12BoldName, 12, FW_BOLD, true}, {FontId::Default, 8.25, FW_NORMAL, false},
};
static_assert(std::size(kFonts) == ControlSet::kFontCount);

size_t FontIndex(FontId font) {
    for (size_t i = 0; i < std::size(kFonts); ++i)
        if (kFonts[i].id == font) return i;
    return std::size(kFonts) - 1;
}

}  // namespace

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

// The per-monitor DPI functions exist from Windows 10 on; older systems have
// one DPI for the whole screen.
int WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd)
        if (UINT dpi = getDpiForWindow(hwnd)) return static_cast<int>(dpi);
    return ScreenDpi();
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

bool KeepFocusAcrossActivation(HWND window, WPARAM activateState, HWND& lastFocus) {
    if (LOWORD(activateState) == WA_INACTIVE) {
        lastFocus = GetFocus();
    } else if (lastFocus && IsWindow(lastFocus) && GetParent(lastFocus) == window) {
        SetFocus(lastFocus);
        return true;
    }
    return false;
}

int FontHeightFor(FontId font, int dpi) { return PointsToFontHeight(kFonts[FontIndex(font)].points, dpi); }

HICON LoadIconImage(int resourceId, int size) {
    return static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The layout was drawn with a slightly narrower MS Sans Serif than some
// systems have. A fixed caption that would be clipped (a one-line box) or need
// more lines than its box holds (a wrapping one) gets a TrueType face
// condensed just enough to fit, never below two thirds of its natural width.
HFONT ControlSet::FitCaption(HDC dc, const std::wstring& caption, HFONT font, RECT box, bool wraps) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    auto fits = [&](HFONT f, TEXTMETRICW* tm) {
        HGDIOBJ old = SelectObject(dc, f);
        RECT rc{0, 0, width, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc,
                  DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        if (tm) GetTextMetricsW(dc, tm);
        SelectObject(dc, old);
        return wraps ? rc.bottom <= height : rc.right <= width;
    };
    HFONT result = font;
    if (!fits(font, nullptr)) {
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
        lf.lfWidth = 0;
        Font natural(CreateFontIndirectW(&lf));
        TEXTMETRICW tm{};
        fits(natural.get(), &tm);
        for (int average = tm.tmAveCharWidth; average > 0 && average * 3 >= tm.tmAveCharWidth * 2; --average) {
            lf.lfWidth = average;
            Font condensed(CreateFontIndirectW(&lf));
            if (fits(condensed.get(), nullptr)) {
                result = condensed.get();
                fittedFonts_.push_back(std::move(condensed));
                break;
            }
        }
    }
    return result;
}

HFONT ControlSet::FontFor(FontId font) const { return fonts_[FontIndex(font)].get(); }

POINT ControlSet::originTwips(const ControlRow& row) const {
    POINT origin{0, 0};
    for (int c = row.container; c != 0;) {
        const ControlRow* container = Row(c);
        if (!container) break;
        origin.x += container->rc.left;
        origin.y += container->rc.top;
        c = container->container;
    }
    return origin;
}

RECT ControlSet::PixelRect(int id) const {
    const ControlRow* row = Row(id);
    if (!row) return {};
    POINT origin = originTwips(*row);
    // Inside a bordered picture box, positions count from inside the border.
    int inset = 0;
    if (const ControlRow* container = Row(row->container); container && container->kind == Kind::PictureBox)
        inset = container->border == Border::None ? 0 : 1;
    int x = TwipsToPixels(origin.x + row->rc.left, dpi_) + inset;
    int y = TwipsToPixels(origin.y + row->rc.top, dpi_) + inset;
    return {x, y, x + TwipsToPixels(row->rc.width, dpi_), y + TwipsToPixels(row->rc.height, dpi_)};
}

const ControlRow* ControlSet::Row(int id) const {
    for (size_t i = 0; i < count_; ++i)
        if (rows_[i].id == id) return &rows_[i];
    return nullptr;
}

HWND ControlSet::operator[](int id) const {
    auto it = hwnds_.find(id);
    return it == hwnds_.end() ? nullptr : it->second;
}

void ControlSet::Create(HWND parent, const ControlRow* rows, size_t count, int dpi) {
    RegisterPictureClass();
    rows_ = rows;
    count_ = count;
    dpi_ = dpi;
    CreateFonts();

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                               Module(), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);

    for (size_t i = 0; i < count; ++i) {
        const ControlRow& row = rows[i];
        if (row.kind == Kind::Line) continue;  // drawn by the window itself
        const wchar_t* cls = L"Static";
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (row.hidden ? 0 : WS_VISIBLE);
        DWORD exStyle = 0;
        switch (row.kind) {
            case Kind::Frame: cls = L"Button"; style |= BS_GROUPBOX; break;
            case Kind::Label: style |= SS_NOTIFY | SS_NOPREFIX | LabelStyle(row); break;
            case Kind::LabelCentred: style |= SS_CENTER | SS_NOTIFY | SS_NOPREFIX; break;
            case Kind::TextBox:
                cls = L"Edit";
                style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
                exStyle |= WS_EX_CLIENTEDGE;
                break;
            case Kind::Button: cls = L"Button"; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
            case Kind::PictureButton:
                cls = L"Button";
                style |= WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                         (IsBitmapResource(row.image) ? BS_BITMAP : BS_ICON);
                break;
            case Kind::PictureBox:
                cls = kPictureClass;
                style |= WS_TABSTOP;
                if (row.border == Border::Flat) style |= WS_BORDER;
                if (row.border == Border::Sunken) exStyle |= WS_EX_CLIENTEDGE;
                break;
            case Kind::Slider: cls = TRACKBAR_CLASSW; style |= WS_TABSTOP | TBS_HORZ; break;
            case Kind::ProgressBar: cls = PROGRESS_CLASSW; break;
            case Kind::Line: break;
        }
        // A picture button draws only its image; its tip as window text is the
        // name a screen reader speaks for it.
        const char* text = row.kind == Kind::PictureButton && row.tip ? row.tip : row.caption;
        std::wstring caption = Widen(text ? text : "");
        HMENU idParam = reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id));
        RECT rc = PixelRect(row.id);
        HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                                    rc.bottom - rc.top, parent, idParam, Module(), nullptr);
        if (!hwnd) continue;
        hwnds_[row.id] = hwnd;
        // Picture boxes are this program's own class and report for themselves.
        if (row.kind == Kind::PictureBox)
            reinterpret_cast<PictureData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))->tooltip = tooltip_;
        else
            Subclass(hwnd, tooltip_);
        // No length limit of its own: whatever is typed or pasted is kept.
        if (row.kind == Kind::TextBox) SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);

        if (row.image != 0 && row.kind == Kind::PictureBox) {
            {
                // Picture boxes keep their images for the window's life: the
                // status lamps lend theirs to the window icon.
                auto* data = reinterpret_cast<PictureData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
                if (IsBitmapResource(row.image)) {
                    data->bitmap.reset(static_cast<HBITMAP>(
                        LoadImageW(Module(), MAKEINTRESOURCEW(row.image), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
                } else {
                    data->bigIcon.reset(LoadIconImage(row.image, GetSystemMetrics(SM_CXICON)));
                    data->smallIcon.reset(LoadIconImage(row.image, GetSystemMetrics(SM_CXSMICON)));
                }
            }
        }
        if (row.tip) {
            std::wstring tip = Widen(row.tip);
            TTTOOLINFOW ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_IDISHWND;  // the controls relay their mouse messages
            ti.hwnd = parent;
            ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
            ti.lpszText = tip.data();
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
        if (row.kind == Kind::Slider) {
            SendMessageW(hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(0, 200));
            SendMessageW(hwnd, TBM_SETPOS, TRUE, 0);
            SendMessageW(hwnd, TBM_SETLINESIZE, 0, 1);
            SendMessageW(hwnd, TBM_SETPAGESIZE, 0, 25);
        }
        if (row.kind == Kind::ProgressBar) {
            SendMessageW(hwnd, PBM_SETRANGE32, 0, 100);
            SendMessageW(hwnd, PBM_SETPOS, 0, 0);
        }
    }

    // Frames go to the bottom so the controls drawn inside them stay visible,
    // and gauges in front of the picture box that holds them.
    for (size_t i = 0; i < count; ++i) {
        HWND hwnd = (*this)[rows[i].id];
        if (!hwnd) continue;
        if (rows[i].kind == Kind::Frame)
            SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        else if (const ControlRow* c = Row(rows[i].container); c && c->kind == Kind::PictureBox)
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    LayOut(false);
}

// Only a box tall enough for two lines wraps; a one-line box clips, so no
// half-visible second line appears.
DWORD ControlSet::LabelStyle(const ControlRow& row) const {
    const bool wraps = TwipsToPixels(row.rc.height, dpi_) >= -2 * FontHeightFor(row.font, dpi_);
    return wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

void ControlSet::CreateFonts() {
    for (size_t i = 0; i < std::size(kFonts); ++i) {
        const FontSpec& spec = kFonts[i];
        LOGFONTW lf{};
        lf.lfHeight = PointsToFontHeight(spec.points, dpi_);
        lf.lfWeight = spec.weight;
        lf.lfCharSet = spec.anyScript ? DEFAULT_CHARSET : ANSI_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        // MS Sans Serif is a bitmap font drawn for 96 DPI; at any other DPI
        // its TrueType successor scales cleanly.
        const bool bitmapFace = dpi_ == 96 && !spec.anyScript;
        lstrcpynW(lf.lfFaceName, bitmapFace ? L"MS Sans Serif" : L"Microsoft Sans Serif", LF_FACESIZE);
        fonts_[i].reset(CreateFontIndirectW(&lf));
    }
}

void ControlSet::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    Font oldFonts[kFontCount];  // freed once no control uses them
    for (size_t i = 0; i < kFontCount; ++i) oldFonts[i] = std::move(fonts_[i]);
    CreateFonts();
    LayOut(true);
}

// Fonts, images and label shapes for the current DPI; moving also puts every
// control in its place (new controls are created there).
void ControlSet::LayOut(bool moving) {
    const int dpi = dpi_;
    std::vector<Font> oldFitted = std::move(fittedFonts_);
    HDC measure = CreateCompatibleDC(nullptr);  // captions are measured here, off screen
    std::vector<Icon> oldIcons = std::move(buttonIcons_);
    std::vector<Bitmap> oldBitmaps = std::move(buttonBitmaps_);
    fittedFonts_.clear();
    buttonIcons_.clear();
    buttonBitmaps_.clear();

    for (size_t i = 0; i < count_; ++i) {
        const ControlRow& row = rows_[i];
        HWND hwnd = (*this)[row.id];
        if (!hwnd) continue;
        RECT rc = PixelRect(row.id);
        if (moving)
            SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = FontFor(row.font);
        if (row.kind == Kind::Label) {
            const DWORD shape = LabelStyle(row);
            if (moving) {
                LONG style = GetWindowLongW(hwnd, GWL_STYLE) & ~(SS_TYPEMASK);
                SetWindowLongW(hwnd, GWL_STYLE, style | static_cast<LONG>(shape));
            }
            std::wstring caption = Widen(row.caption ? row.caption : "");
            if (!caption.empty()) font = FitCaption(measure, caption, font, rc, shape == SS_LEFT);
        }
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), moving);

        if (row.image != 0 && row.kind == Kind::PictureButton) {
            // The best-fitting image for this DPI: the 32-pixel art, scaled.
            if (IsBitmapResource(row.image)) {
                Bitmap bitmap(static_cast<HBITMAP>(
                    LoadImageW(Module(), MAKEINTRESOURCEW(row.image), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
                BITMAP bm{};
                if (dpi != 96 && GetObjectW(bitmap.get(), sizeof bm, &bm))
                    bitmap.reset(static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(row.image), IMAGE_BITMAP,
                                                                 MulDiv(bm.bmWidth, dpi, 96),
                                                                 MulDiv(bm.bmHeight, dpi, 96), LR_DEFAULTCOLOR)));
                SendMessageW(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
                buttonBitmaps_.push_back(std::move(bitmap));
            } else {
                Icon icon(LoadIconImage(row.image, MulDiv(32, dpi, 96)));
                SendMessageW(hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
                buttonIcons_.push_back(std::move(icon));
            }
        }
        if (row.kind == Kind::PictureBox)
            SendMessageW(hwnd, kMsgPictureSetDpi, static_cast<WPARAM>(dpi), 0);
        if (row.kind == Kind::Label || row.kind == Kind::LabelCentred) ClipUnderControls(row, rc, moving);
    }
    DeleteDC(measure);
}

// A label lies beneath the boxes and buttons it overlaps, as if it were
// painted on the window itself: its window leaves out their area, whatever
// its place in the z-order (which screen readers use to pair it with its box).
void ControlSet::ClipUnderControls(const ControlRow& label, RECT rc, bool redraw) {
    HWND hwnd = (*this)[label.id];
    HRGN region = CreateRectRgn(0, 0, rc.right - rc.left, rc.bottom - rc.top);
    bool clipped = false;
    for (size_t i = 0; i < count_; ++i) {
        const ControlRow& other = rows_[i];
        const bool solid = other.kind == Kind::TextBox || other.kind == Kind::Button ||
                           other.kind == Kind::PictureButton || other.kind == Kind::Slider ||
                           other.kind == Kind::PictureBox;
        if (!solid || other.hidden) continue;
        RECT theirs = PixelRect(other.id), overlap{};
        if (!IntersectRect(&overlap, &rc, &theirs)) continue;
        OffsetRect(&overlap, -rc.left, -rc.top);
        HRGN cut = CreateRectRgnIndirect(&overlap);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
        clipped = true;
    }
    // The window owns the region from here on.
    if (clipped)
        SetWindowRgn(hwnd, region, redraw);
    else if (redraw)
        SetWindowRgn(hwnd, nullptr, TRUE);
    if (!clipped) DeleteObject(region);
}

std::wstring WindowTextW(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

std::string WindowTextUtf8(HWND hwnd) { return Narrow(WindowTextW(hwnd)); }

void SetWindowTextUtf8(HWND hwnd, std::string_view text) { SetWindowTextW(hwnd, Widen(text).c_str()); }

}  // namespace pulvar
