#include "ui/about/about_window.h"

#include <commctrl.h>

#include <utility>

#include "core/identity.h"
#include "platform/gdi.h"
#include "res/resource.h"
#include "ui/about/sysinfo.h"
#include "ui/controls/dpi.h"
#include "ui/controls/window_text.h"

namespace pulvar {

using about::Ctl;

namespace {

constexpr UINT_PTR kPicture1Subclass = 7;

// A fixed dialog frame; WS_CLIPCHILDREN because the window paints the lines itself.
constexpr WindowKind kKind{L"PulvarAbout", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME,
                           about::kClientWidthTwips, about::kClientHeightTwips, about::kLayout.data(),
                           about::kLayout.size(), IMG_LIGHTS};

// What each control does.
using Event = EventRow<AboutWindow>;
constexpr Event kClicks[] = {
    {about::id(Ctl::cmdOK), &AboutWindow::cmdOK_Click},
    {about::id(Ctl::cmdSysInfo), &AboutWindow::cmdSysInfo_Click},
    {about::id(Ctl::lblDisclaimer), &AboutWindow::lblDisclaimer_Click},
};
constexpr Event kPointerOver[] = {{about::id(Ctl::lblDisclaimer), &AboutWindow::lblDisclaimer_MouseMove}};
// Picture boxes, which have no click notification of their own.
constexpr Event kBoxClicks[] = {
    {about::id(Ctl::picIcon), &AboutWindow::picIcon_Click},
    {about::id(Ctl::Picture1), &AboutWindow::Picture1_Click},
};

// The hand pointer at the size for the scale, its hot spot still on the
// fingertip: the resource's own image at 96 DPI, scaled from it above.
HCURSOR HandCursorFor(const Scale& scale) {
    auto load = [](int size) {
        return static_cast<HCURSOR>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IMG_HAND_CURSOR), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR));
    };
    Cursor own(load(0));  // 0: its own size
    ICONINFO ownInfo{};
    if (!own || scale.DrawDpi() == 96 || !GetIconInfo(own.get(), &ownInfo)) return own.release();
    Bitmap ownMask(ownInfo.hbmMask), ownColour(ownInfo.hbmColor);
    BITMAP bm{};
    GetObjectW(ownInfo.hbmMask, sizeof bm, &bm);
    Cursor scaled(load(scale.Px(bm.bmWidth)));
    ICONINFO info{};
    if (!scaled || !GetIconInfo(scaled.get(), &info)) return own.release();
    Bitmap mask(info.hbmMask), colour(info.hbmColor);
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(scale.Px(static_cast<int>(ownInfo.xHotspot)));
    info.yHotspot = static_cast<DWORD>(scale.Px(static_cast<int>(ownInfo.yHotspot)));
    HCURSOR made = CreateIconIndirect(&info);
    return made ? made : own.release();
}

}  // namespace

AboutWindow* AboutSlot::Current() const { return window_ && window_->Hwnd() ? window_.get() : nullptr; }

void AboutSlot::Show(HWND nearWindow) {
    if (AboutWindow* about = Current()) {
        if (IsIconic(about->Hwnd())) ShowWindow(about->Hwnd(), SW_RESTORE);
        SetWindowPos(about->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(about->Hwnd());
        return;
    }
    // Kept apart until it exists: a window that dies while being created must
    // not take the slot with it.
    auto about = std::make_unique<AboutWindow>(services_, this);
    if (!about->Create(nearWindow)) return;
    window_ = std::move(about);
    HWND hwnd = window_->Hwnd();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    SetFocus(window_->Control(Ctl::cmdOK));
}

void AboutSlot::Close() {
    if (AboutWindow* about = Current()) about->cmdOK_Click();
}

void AboutSlot::Gone(AboutWindow* window) {
    if (window_.get() == window) window_.reset();
}

AboutWindow::AboutWindow(Services& services, AboutSlot* slot)
    : Window(kKind, services.registry), services_(services), slot_(slot) {}

AboutWindow::~AboutWindow() {
    // Destroyed from outside its own messages: the window must not try to
    // free this object a second time.
    DestroyUnhandled();
    if (owner_) DestroyWindow(owner_);
}

bool AboutWindow::Create(HWND nearWindow) {
    owner_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Module(), nullptr);
    return CreateCentred(owner_, nearWindow);
}

void AboutWindow::onGone() {
    if (slot_) slot_->Gone(this);
}

LRESULT AboutWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            cmdOK_Click();
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(about::id(Ctl::cmdOK), DC_HASDEFID);
        case WM_MOUSEMOVE:
            Form_MouseMove();
            return 0;
        case WM_PAINT:
            onPaint();
            return 0;
    }
    return Window::onMessage(msg, wp, lp);
}

void AboutWindow::onCreate() {
    SendMessageW(Control(Ctl::cmdOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    handCursor_.reset(HandCursorFor(Scaling()));
    donate_.Load(IMG_DONATE_GIF);
    highContrast_ = services_.appearance.HighContrast();
    SetWindowSubclass(Control(Ctl::Picture1), Picture1Proc, kPicture1Subclass, reinterpret_cast<DWORD_PTR>(this));
    Form_Load();
}

void AboutWindow::onCommand(int id, int code) {
    // Enter and Escape arrive from the dialog manager as IDOK and IDCANCEL.
    if (id == IDOK || id == IDCANCEL) {
        cmdOK_Click();
        return;
    }
    if (code == BN_CLICKED) RunHandler(*this, kClicks, id);  // STN_CLICKED has the same value
}

// Only the disclaimer reacts; over any other control the colours stay as they are.
void AboutWindow::onControlMouseMove(int id) { RunHandler(*this, kPointerOver, id); }

void AboutWindow::onControlClick(int id) { RunHandler(*this, kBoxClicks, id); }

// The scheme's text colour, black in every ordinary scheme, unless the label
// has its own. Blue on a dark high-contrast face is hardly readable (about
// 2.4:1), so there the scheme's link and highlight colours stand for the
// disclaimer's blue and red.
COLORREF AboutWindow::LabelTextColour(HWND label) const {
    if (label != Control(Ctl::lblDisclaimer)) return Window::LabelTextColour(label);
    if (!highContrast_) return disclaimerColour_;
    return GetSysColor(disclaimerColour_ == about::kRed ? COLOR_HIGHLIGHT : COLOR_HOTLIGHT);
}

void AboutWindow::onColoursChanged() { highContrast_ = services_.appearance.HighContrast(); }

void AboutWindow::onScaleChanged() {
    const Cursor old = std::exchange(handCursor_, Cursor(HandCursorFor(Scaling())));
    // A cursor in use must not be destroyed: the new hand takes its place first.
    if (old && GetCursor() == old.get()) SetCursor(handCursor_.get());
}

HCURSOR AboutWindow::CursorOver(HWND control) const {
    return control == Control(Ctl::Picture1) ? handCursor_.get() : nullptr;
}

void AboutWindow::onPaint() {
    PaintScope paint(hwnd_);
    HDC dc = paint.dc();
    const Scale& scale = Scaling();
    for (const about::LineStyle& style : about::kLineStyles) {
        const ControlRow* row = controls_.Row(style.id);
        if (!row) continue;
        const int x1 = scale.Twips(row->rc.left), y1 = scale.Twips(row->rc.top);
        const int x2 = scale.Twips(row->rc.width), y2 = scale.Twips(row->rc.height);
        // The layout gives the widths in pixels: thicker only with larger text.
        const int width = scale.MonitorPx(style.widthPixels);
        SetDCBrushColor(dc, style.colour);
        SetDCPenColor(dc, style.colour);
        if (y1 == y2 || x1 == x2) {
            // Straight lines as rectangles: a wide pen would be centred on the
            // line and cover the grey half of the etched pair.
            RECT rc = y1 == y2 ? RECT{x1, y1, x2 + 1, y1 + width} : RECT{x1, y1, x1 + width, y2 + 1};
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        } else {
            Pen pen(CreatePen(PS_SOLID, width, style.colour));
            Selection selected(dc, pen.get());
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
        }
    }
}

LRESULT CALLBACK AboutWindow::Picture1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    auto* about = reinterpret_cast<AboutWindow*>(self);
    switch (msg) {
        case WM_PAINT: {
            PaintScope paint(hwnd);
            about->paintPicture1(paint.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            about->paintPicture1(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, Picture1Proc, kPicture1Subclass);
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void AboutWindow::paintPicture1(HDC dc) {
    HWND picture = Control(Ctl::Picture1);
    RECT rc;
    GetClientRect(picture, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    // The picture is drawn for 96 DPI; a scaled mapping grows it with the
    // window, its transparent pixels still leaving the face colour alone.
    const SIZE own = donate_.PixelSize();
    const int oldMode = SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, own.cx, own.cy, nullptr);
    SetViewportExtEx(dc, Scaling().Px(own.cx), Scaling().Px(own.cy), nullptr);
    donate_.Draw(dc, 0, 0);
    SetMapMode(dc, oldMode);
    if (GetFocus() == picture) DrawFocusRect(dc, &rc);
}

void AboutWindow::setDisclaimerColour(COLORREF colour) {
    if (colour == disclaimerColour_) return;
    disclaimerColour_ = colour;
    InvalidateRect(Control(Ctl::lblDisclaimer), nullptr, TRUE);
}

// Unchanged text is not set again: the pointer moving over the label would
// otherwise make the description flicker.
void AboutWindow::setText(Ctl c, const std::string& text) {
    if (WindowTextUtf8(Control(c)) != text) SetWindowTextUtf8(Control(c), text);
}

void AboutWindow::Form_Load() {
    SetWindowTextUtf8(hwnd_, std::string(about::kCaptionPrefix) + kAppTitle);
    setText(Ctl::lblVersion, about::kVersionPrefix + VersionText(kVersion));
    setText(Ctl::lblTitle, kAppTitle);
}

void AboutWindow::Form_MouseMove() { setDisclaimerColour(about::kBlue); }

void AboutWindow::lblDisclaimer_MouseMove() {
    setText(Ctl::lblDescription, about::CreditLine());
    setDisclaimerColour(about::kRed);
}

void AboutWindow::lblDisclaimer_Click() {
    ShowWindow(Control(Ctl::cmdSysInfo), SW_SHOWNA);
    services_.shell.Open(hwnd_, about::SiteAddress());
}

void AboutWindow::picIcon_Click() { setText(Ctl::lblDescription, about::kDescriptionUnquoted); }

void AboutWindow::Picture1_Click() { services_.shell.Open(hwnd_, about::DonationAddress()); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(services_, hwnd_); }

void AboutWindow::cmdOK_Click() { DestroyWindow(hwnd_); }

}  // namespace pulvar
