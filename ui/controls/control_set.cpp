#include "ui/controls/control_set.h"
#include "platform/gdi.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "ui/controls/dpi.h"
#include "ui/controls/ink.h"
#include "ui/controls/picture_box.h"
#include "ui/controls/pointer.h"

namespace pulvar {

namespace {

// Longer tips wrap at this width, in pixels at 96 DPI.
constexpr int kTipMaxWidth96 = 400;
constexpr UINT_PTR kTooltipSubclass = 1;

struct ClassAndStyle {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
};

// The window class and styles of each kind of row (labels add their shape).
ClassAndStyle ClassFor(const ControlRow& row) {
    switch (row.kind) {
        case Kind::Frame: return {L"Button", BS_GROUPBOX, 0};
        case Kind::Label: return {L"Static", SS_NOTIFY | SS_NOPREFIX, 0};
        case Kind::LabelCentred: return {L"Static", SS_CENTER | SS_NOTIFY | SS_NOPREFIX, 0};
        case Kind::TextBox: return {L"Edit", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case Kind::Button: return {L"Button", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Kind::PictureButton:
            return {L"Button", static_cast<DWORD>(WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                                                  (IsBitmapResource(row.image) ? BS_BITMAP : BS_ICON)), 0};
        case Kind::PictureBox:
            return {kPictureBoxClass, static_cast<DWORD>(WS_TABSTOP | (row.border == Border::Flat ? WS_BORDER : 0)),
                    static_cast<DWORD>(row.border == Border::Sunken ? WS_EX_CLIENTEDGE : 0)};
        case Kind::Slider: return {TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ, 0};
        case Kind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
        case Kind::Line: break;
    }
    return {L"Static", 0, 0};
}

}  // namespace

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
    int x = scale_->Twips(origin.x + row->rc.left) + inset;
    int y = scale_->Twips(origin.y + row->rc.top) + inset;
    return {x, y, x + scale_->Twips(row->rc.width), y + scale_->Twips(row->rc.height)};
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

void ControlSet::Create(HWND parent, const ControlRow* rows, size_t count, const Scale& scale) {
    RegisterPictureBoxClass();
    parent_ = parent;
    rows_ = rows;
    count_ = count;
    scale_ = &scale;
    fonts_.Create(scale);

    // Each new control goes below those made before it, so they are made in
    // their final z-order: the gauges in front of the picture box that holds
    // them, then the layout's order (which is also the tab order), and the
    // frames at the bottom so the controls drawn inside them stay visible.
    // Moving them afterwards would cost a round trip to the window system
    // for each.
    std::vector<size_t> order;
    order.reserve(count);
    auto inPictureBox = [&](const ControlRow& row) {
        const ControlRow* c = Row(row.container);
        return c && c->kind == Kind::PictureBox;
    };
    for (size_t i = count; i-- > 0;)
        if (rows[i].kind != Kind::Frame && inPictureBox(rows[i])) order.push_back(i);
    for (size_t i = 0; i < count; ++i)
        if (rows[i].kind != Kind::Frame && !inPictureBox(rows[i])) order.push_back(i);
    for (size_t i = 0; i < count; ++i)
        if (rows[i].kind == Kind::Frame) order.push_back(i);

    for (size_t i : order) {
        const ControlRow& row = rows[i];
        if (row.kind == Kind::Line) continue;  // drawn by the window itself
        HWND hwnd = createControl(parent, row);
        if (!hwnd) continue;
        hwnds_[row.id] = hwnd;
        // Picture boxes are this program's own class and report for themselves.
        if (row.kind == Kind::PictureBox) {
            // The scale first, so the icon is loaded once, at its size.
            PictureBox(hwnd).SetScale(scale);
            if (row.image != 0) PictureBox(hwnd).LoadImage(row.image);
        } else {
            Subclass(hwnd);
        }
        // No length limit of its own: whatever is typed or pasted is kept.
        if (row.kind == Kind::TextBox) SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    }
    layOut(false);
}

HWND ControlSet::createControl(HWND parent, const ControlRow& row) {
    ClassAndStyle made = ClassFor(row);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (row.hidden ? 0 : WS_VISIBLE) | made.style;
    if (row.kind == Kind::Label) style |= labelStyle(row);
    // A picture button draws only its image; its tip as window text is the
    // name a screen reader speaks for it.
    const char* text = row.kind == Kind::PictureButton && row.tip ? row.tip : row.caption;
    std::wstring caption = Widen(text ? text : "");
    HMENU idParam = reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id));
    RECT rc = PixelRect(row.id);
    return CreateWindowExW(made.exStyle, made.cls, caption.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, parent, idParam, Module(), nullptr);
}

HWND ControlSet::Tooltip() const {
    CreateTooltip();
    return tooltip_;
}

void ControlSet::CreateTooltip() const {
    if (tooltip_ || !parent_) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                               Module(), nullptr);
    scaleTooltip();
    SetWindowSubclass(tooltip_, TooltipProc, kTooltipSubclass, reinterpret_cast<DWORD_PTR>(this));
    for (size_t i = 0; i < count_; ++i) {
        const ControlRow& row = rows_[i];
        HWND hwnd = (*this)[row.id];
        if (!hwnd) continue;
        if (row.kind == Kind::PictureBox)
            PictureBox(hwnd).SetTooltip(tooltip_);
        else
            SetRelayTooltip(hwnd, tooltip_);
        if (row.tip) addTip(hwnd, row.tip);
    }
}

void ControlSet::addTip(HWND control, const char* tip) const {
    std::wstring text = Widen(tip);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;  // the controls relay their mouse messages
    ti.hwnd = parent_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// The tips wrap at a width, and are written in the system's message font,
// that grow with the window.
void ControlSet::scaleTooltip() const {
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_->Px(kTipMaxWidth96));
    Font font = MessageFont(*scale_);
    if (!font) return;
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    tooltipFont_ = std::move(font);  // the old one goes once the tooltip has the new one
}

// A tooltip takes the system's font again whenever a setting changes (it
// is a top-level window and hears every WM_SETTINGCHANGE): it is given back
// the window's, whatever order the windows hear the change in.
LRESULT CALLBACK ControlSet::TooltipProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_SETTINGCHANGE) {
        if (HFONT font = reinterpret_cast<const ControlSet*>(self)->tooltipFont_.get())
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, TooltipProc, kTooltipSubclass);
    }
    return result;
}

// Only a box tall enough for two lines wraps; a one-line box clips, so no
// half-visible second line appears.
DWORD ControlSet::labelStyle(const ControlRow& row) const {
    const bool wraps = scale_->Twips(row.rc.height) >= -2 * FontSet::HeightFor(row.font, *scale_);
    return wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

void ControlSet::Rescale() {
    if (tooltip_) scaleTooltip();
    FontSet oldFonts = std::move(fonts_);  // freed once no control uses them
    fonts_.Create(*scale_);
    layOut(true);
}

// Fonts, images and label shapes for the current scale; moving also puts every
// control in its place (new controls are created there).
void ControlSet::layOut(bool moving) {
    std::vector<Font> oldFitted = std::move(fittedFonts_);
    std::vector<Icon> oldIcons = std::move(buttonIcons_);
    std::vector<Icon> oldInkIcons = std::move(inkIcons_);
    std::vector<Bitmap> oldBitmaps = std::move(buttonBitmaps_);
    fittedFonts_.clear();
    buttonIcons_.clear();
    inkIcons_.clear();
    buttonBitmaps_.clear();
    MemoryDc measure(CreateCompatibleDC(nullptr));  // captions are measured here, off screen

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
            const DWORD shape = labelStyle(row);
            if (moving) {
                LONG style = GetWindowLongW(hwnd, GWL_STYLE) & ~(SS_TYPEMASK);
                SetWindowLongW(hwnd, GWL_STYLE, style | static_cast<LONG>(shape));
            }
            std::wstring caption = Widen(row.caption ? row.caption : "");
            if (!caption.empty())
                if (Font fitted = CondensedToFit(measure.get(), caption, font, rc, shape == SS_LEFT)) {
                    font = fitted.get();
                    fittedFonts_.push_back(std::move(fitted));
                }
        }
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), moving);
        if (row.image != 0 && row.kind == Kind::PictureButton) setButtonImage(hwnd, row.image);
        if (row.kind == Kind::PictureBox) PictureBox(hwnd).SetScale(*scale_);
        if (row.kind == Kind::Label || row.kind == Kind::LabelCentred) clipUnderControls(row, rc, moving);
    }
}

void ControlSet::SystemColoursChanged() {
    std::vector<Icon> old = std::move(inkIcons_);  // freed once the buttons have their new ones
    inkIcons_.clear();
    for (int id : inkIds_) {
        const ControlRow* row = Row(id);
        if (HWND button = (*this)[id]; row && row->image != 0 && button) setButtonImage(button, row->image);
    }
}

bool ControlSet::inInk(int id) const {
    for (int ink : inkIds_)
        if (ink == id) return true;
    return false;
}

// The best-fitting image for this scale: the 96 DPI art, scaled.
void ControlSet::setButtonImage(HWND button, int resourceId) {
    if (IsBitmapResource(resourceId)) {
        Bitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(Module(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        BITMAP bm{};
        if (scale_->DrawDpi() != 96 && GetObjectW(bitmap.get(), sizeof bm, &bm))
            bitmap.reset(static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP,
                                                         scale_->Px(bm.bmWidth), scale_->Px(bm.bmHeight),
                                                         LR_DEFAULTCOLOR)));
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
        buttonBitmaps_.push_back(std::move(bitmap));
    } else {
        Icon icon(LoadIconImage(resourceId, scale_->Px(32)));
        const bool ink = inInk(GetDlgCtrlID(button));
        if (HICON inked = ink ? InkedIcon(icon.get(), GetSysColor(COLOR_BTNTEXT)) : nullptr) icon.reset(inked);
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
        (ink ? inkIcons_ : buttonIcons_).push_back(std::move(icon));
    }
}

// A label lies beneath the boxes and buttons it overlaps, as if it were
// painted on the window itself: its window leaves out their area, whatever
// its place in the z-order (which screen readers use to pair it with its box).
void ControlSet::clipUnderControls(const ControlRow& label, RECT rc, bool redraw) {
    HWND hwnd = (*this)[label.id];
    Region region(CreateRectRgn(0, 0, rc.right - rc.left, rc.bottom - rc.top));
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
        Region cut(CreateRectRgnIndirect(&overlap));
        CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
        clipped = true;
    }
    if (clipped) {
        // The window owns the region from here on.
        if (SetWindowRgn(hwnd, region.get(), redraw)) region.release();
    } else if (redraw) {
        SetWindowRgn(hwnd, nullptr, TRUE);
    }
}

}  // namespace pulvar
