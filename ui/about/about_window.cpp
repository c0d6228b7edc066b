#include "ui/about/about_window.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "core/identity.h"
#include "res/resource.h"
#include "ui/about/sysinfo.h"

namespace pulvar {

using about::Ctl;

namespace {

constexpr wchar_t kClassName[] = L"PulvarAbout";
constexpr UINT_PTR kPicture1Subclass = 7;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

std::unique_ptr<AboutWindow> g_about;

bool RegisterAboutClass(HINSTANCE module, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(module, kClassName, &wc)) return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IMG_LIGHTS));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

AboutWindow* CurrentAboutWindow() { return g_about && g_about->Hwnd() ? g_about.get() : nullptr; }

void ShowAboutWindow(Services& services) {
    if (AboutWindow* about = CurrentAboutWindow()) {
        if (IsIconic(about->Hwnd())) ShowWindow(about->Hwnd(), SW_RESTORE);
        SetWindowPos(about->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(about->Hwnd());
        return;
    }
    // Kept apart until it exists: a window that dies while being created must
    // not take the global with it.
    auto about = std::make_unique<AboutWindow>(services);
    if (!about->Create()) return;
    g_about = std::move(about);
    HWND hwnd = g_about->Hwnd();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    SetFocus(g_about->Control(Ctl::cmdOK));
}

void CloseAboutWindow() {
    if (AboutWindow* about = CurrentAboutWindow()) about->cmdOK_Click();
}

AboutWindow::AboutWindow(Services& services) : services_(services) {}

AboutWindow::~AboutWindow() {
    if (hwnd_) {
        // Destroyed from outside its own messages: the window must not try to
        // free this object a second time.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (owner_) DestroyWindow(owner_);
}

bool AboutWindow::Create() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (!RegisterAboutClass(module, WindowProc)) return false;

    const int dpi = ScreenDpi();
    RECT rc{0, 0, TwipsToPixels(about::kClientWidthTwips, dpi), TwipsToPixels(about::kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&rc, kStyle, FALSE, kExStyle);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    owner_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
    return CreateWindowExW(kExStyle, kClassName, L"", kStyle, x, y, width, height, owner_, nullptr, module, this) !=
           nullptr;
}

LRESULT CALLBACK AboutWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<AboutWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);

    LRESULT result = 0;
    ++self->depth_;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->destroyed_ = true;
        result = DefWindowProcW(hwnd, msg, wp, lp);
    } else {
        // No exception may unwind into USER32.
        try {
            result = self->onMessage(msg, wp, lp);
        } catch (...) {
            result = DefWindowProcW(hwnd, msg, wp, lp);
        }
    }
    --self->depth_;
    // The object goes once the outermost message it was handling is over, so
    // a handler that closed the window never runs on in freed memory.
    if (self->destroyed_ && self->depth_ == 0 && g_about.get() == self) g_about.reset();
    return result;
}

LRESULT AboutWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_CLOSE:
            cmdOK_Click();
            return 0;
        case WM_ACTIVATE:
            if (KeepFocusAcrossActivation(hwnd_, wp, lastFocus_)) return 0;
            break;
        case DM_GETDEFID:
            return MAKELRESULT(about::id(Ctl::cmdOK), DC_HASDEFID);
        case WM_COMMAND:
            onCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_MOUSEMOVE:
            Form_MouseMove();
            return 0;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wp))) return TRUE;
            break;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_CTLCOLORSTATIC:
            return onCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_PAINT:
            onPaint();
            return 0;
        case kMsgControlMouseMove:
            onControlMouseMove(static_cast<int>(wp));
            return 0;
        case kMsgControlClick:
            onControlClick(static_cast<int>(wp));
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void AboutWindow::onCreate() {
    controls_.Create(hwnd_, about::kLayout.data(), about::kLayout.size(), ScreenDpi());
    SendMessageW(Control(Ctl::cmdOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);

    iconBig_.reset(LoadIconImage(IMG_LIGHTS, GetSystemMetrics(SM_CXICON)));
    iconSmall_.reset(LoadIconImage(IMG_LIGHTS, GetSystemMetrics(SM_CXSMICON)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_.get()));

    // Loaded at its own size, so the hot spot stays the fingertip.
    handCursor_.reset(static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IMG_HAND_CURSOR),
                                                      IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
    donate_.Load(IMG_DONATE_GIF);
    SetWindowSubclass(Control(Ctl::Picture1), Picture1Proc, kPicture1Subclass, reinterpret_cast<DWORD_PTR>(this));
    Form_Load();
}

void AboutWindow::onCommand(int id, int code) {
    // Enter and Escape arrive from the dialog manager as IDOK and IDCANCEL.
    if (id == IDOK || id == IDCANCEL) {
        cmdOK_Click();
        return;
    }
    if (code != BN_CLICKED) return;  // STN_CLICKED has the same value
    switch (static_cast<Ctl>(id)) {
        case Ctl::cmdOK: cmdOK_Click(); break;
        case Ctl::cmdSysInfo: cmdSysInfo_Click(); break;
        case Ctl::lblDisclaimer: lblDisclaimer_Click(); break;
        default: break;
    }
}

void AboutWindow::onControlMouseMove(int id) {
    // Only the disclaimer reacts; over any other control the colours stay as they are.
    if (static_cast<Ctl>(id) == Ctl::lblDisclaimer) lblDisclaimer_MouseMove();
}

void AboutWindow::onControlClick(int id) {
    switch (static_cast<Ctl>(id)) {
        case Ctl::picIcon: picIcon_Click(); break;
        case Ctl::Picture1: Picture1_Click(); break;
        default: break;
    }
}

void AboutWindow::onDpiChanged(int dpi, RECT suggested) {
    controls_.SetDpi(dpi);
    FitClientAreaForDpi(hwnd_, suggested, about::kClientWidthTwips, about::kClientHeightTwips, dpi);
}

LRESULT AboutWindow::onCtlColorStatic(HDC dc, HWND label) {
    COLORREF text = GetSysColor(COLOR_BTNTEXT);  // the scheme's, unless the label has its own
    if (label == Control(Ctl::lblDisclaimer))
        text = disclaimerColour_;
    else
        for (Ctl black : about::kBlackLabels)
            if (label == Control(black)) text = about::kBlack;
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

BOOL AboutWindow::onSetCursor(HWND over) {
    if (over == Control(Ctl::Picture1) && handCursor_) {
        SetCursor(handCursor_.get());
        return TRUE;
    }
    return FALSE;
}

void AboutWindow::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const int dpi = controls_.Dpi();
    for (const about::LineStyle& style : about::kLineStyles) {
        const ControlRow* row = controls_.Row(style.id);
        if (!row) continue;
        const int x1 = TwipsToPixels(row->rc.left, dpi), y1 = TwipsToPixels(row->rc.top, dpi);
        const int x2 = TwipsToPixels(row->rc.width, dpi), y2 = TwipsToPixels(row->rc.height, dpi);
        SetDCBrushColor(dc, style.colour);
        SetDCPenColor(dc, style.colour);
        if (y1 == y2 || x1 == x2) {
            // Straight lines as rectangles: a wide pen would be centred on the
            // line and cover the grey half of the etched pair.
            RECT rc = y1 == y2 ? RECT{x1, y1, x2 + 1, y1 + style.widthPixels}
                               : RECT{x1, y1, x1 + style.widthPixels, y2 + 1};
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        } else {
            Owned<HPEN, DeleteObject> pen(CreatePen(PS_SOLID, style.widthPixels, style.colour));
            HGDIOBJ old = SelectObject(dc, pen.get());
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
            SelectObject(dc, old);
        }
    }
    EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK AboutWindow::Picture1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    auto* about = reinterpret_cast<AboutWindow*>(self);
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            about->paintPicture1(dc);
            EndPaint(hwnd, &ps);
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
    donate_.Draw(dc, 0, 0);
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
