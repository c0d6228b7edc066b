#include "ui/window.h"

#include <algorithm>
#include <utility>

#include "platform/messages.h"
#include "ui/controls/dpi.h"
#include "ui/controls/focus.h"
#include "ui/controls/pointer.h"

namespace pulvar {

namespace {

// WM_GETDPISCALEDSIZE, which the headers give only to programs for Windows 10
// 1703 and later; older systems never send it.
constexpr UINT kMsgGetDpiScaledSize = 0x02E4;
constexpr UINT kMsgBringWorkForward = WM_APP + 20;

bool IsButtonDown(UINT mouseMessage) {
    return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_MBUTTONDOWN ||
           mouseMessage == WM_XBUTTONDOWN;
}

}  // namespace

Window::~Window() { DestroyUnhandled(); }

void Window::DestroyUnhandled() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(hwnd_, nullptr));
}

bool Window::registerClass() const {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(Module(), kind_.className, &wc)) return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Trampoline;
    wc.hInstance = Module();
    // No class icon: each window hands over its own two sizes at creation,
    // and a class icon would only be loaded, and scaled down, to be replaced.
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kind_.className;
    return RegisterClassExW(&wc) != 0;
}

Scale Window::scaleFor(int dpi, const RECT& work) const {
    return ScaleToFit(dpi, textPercent_, kind_.style, kind_.exStyle, kind_.clientWidthTwips, kind_.clientHeightTwips,
                      work);
}

RECT Window::centredFor(const Scale& scale) const {
    const SIZE size = scale.WindowSize(kind_.style, kind_.exStyle, kind_.clientWidthTwips, kind_.clientHeightTwips);
    const int x = work_.left + ((work_.right - work_.left) - size.cx) / 2;
    const int y = work_.top + ((work_.bottom - work_.top) - size.cy) / 2;
    return {x, y, x + size.cx, y + size.cy};
}

bool Window::CreateCentred(HWND owner, HWND nearWindow) {
    if (!registerClass()) return false;
    work_ = WorkAreaNear(nearWindow);
    textPercent_ = TextScalePercent(registry_);

    // The system's DPI first; the monitor's own is only known once the
    // window is on it (WM_CREATE takes it).
    scale_ = scaleFor(ScreenDpi(), work_);
    const Scale first = scale_;
    const RECT rc = centredFor(first);
    destroyed_ = false;
    if (!CreateWindowExW(kind_.exStyle, kind_.className, L"", kind_.style, rc.left, rc.top, rc.right - rc.left,
                         rc.bottom - rc.top, owner, nullptr, Module(), this))
        return false;
    if (scale_ != first) applyScale(scale_, centredFor(scale_));
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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
    // A handler that closed its own window returns into this object, so it
    // goes only once the outermost message is over.
    if (self->destroyed_ && self->depth_ == 0) self->onGone();
    return result;
}

// What every window has before its own WM_CREATE handler runs.
void Window::createParts() {
    scale_ = scaleFor(WindowDpi(hwnd_), work_);
    controls_.Create(hwnd_, kind_.rows, kind_.rowCount, scale_);
    loadIcons();
    // The tooltip is made when the pointer first moves over a control, as
    // its first mouse message is handed on (no tip can show before that),
    // or when the keyboard first moves the focus on.
}

LRESULT Window::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            createParts();
            onCreate();
            return 0;
        case WM_ACTIVATE:
            // Activated from the taskbar or Alt+Tab while a printer driver's
            // box is up: the box, not this disabled window, comes forward.
            // Once this activation is over.
            if (LOWORD(wp) != WA_INACTIVE && LongWork::Running()) PostMessageW(hwnd_, kMsgBringWorkForward, 0, 0);
            if (KeepFocusAcrossActivation(hwnd_, wp, lastFocus_)) return 0;
            break;
        case kMsgBringWorkForward:
            if (LongWork::Running()) LongWork::BringForward();
            return 0;
        case WM_COMMAND:
            // While a report prints no command runs, however it comes: a click
            // sent to a button (BM_CLICK, as screen readers, voice control and
            // key macros click one) goes past the disabled window.
            if (!LongWork::Running()) onCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_SETCURSOR:
            // The windows serve their messages while a report prints, and the
            // pointer moving over any of them must not lose the wait cursor.
            if (LongWork::Running()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                // A click on a disabled window: as Windows does for a window
                // with a modal box, what the program waits for comes forward,
                // or the click beeps.
                if (static_cast<short>(LOWORD(lp)) == HTERROR && IsButtonDown(HIWORD(lp)) && !LongWork::BringForward())
                    MessageBeep(0);
                return TRUE;
            }
            if (HCURSOR cursor = CursorOver(reinterpret_cast<HWND>(wp))) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        case kMsgControlMouseMove:
            controls_.CreateTooltip();
            onControlMouseMove(static_cast<int>(wp));
            return 0;
        case kMsgControlClick:
            if (!LongWork::Running()) onControlClick(static_cast<int>(wp));
            return 0;
        case kMsgControlFocusFromSibling:
            controls_.CreateTooltip();
            return 0;
        case WM_SYSCOLORCHANGE:
            followColours(msg, wp, lp);
            break;
        case WM_SETTINGCHANGE:
            if (wp == SPI_SETHIGHCONTRAST) followColours(msg, wp, lp);
            followTextSize();
            break;
        case kMsgGetDpiScaledSize:
            // The size the window takes at the new DPI, so the rectangle the
            // system suggests with WM_DPICHANGED is already the right one. The
            // message does not say which monitor that is: the text size is
            // limited by the work area of the one the window is on.
            *reinterpret_cast<SIZE*>(lp) = WindowSizeFor(hwnd_, kind_.clientWidthTwips, kind_.clientHeightTwips,
                                                         scaleFor(static_cast<int>(wp), WorkAreaNear(hwnd_)));
            return TRUE;
        case WM_DPICHANGED: {
            const RECT suggested = *reinterpret_cast<const RECT*>(lp);
            applyScale(scaleFor(HIWORD(wp), WorkAreaOf(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST))),
                       suggested);
            return 0;
        }
        case WM_SIZE:
            // A DPI change that came while the window was minimised sized only
            // the place it is restored to, in the frame it expected the system
            // to draw: once restored, the client area is made exact.
            if (wp == SIZE_RESTORED && std::exchange(fitOnRestore_, false)) {
                RECT now{};
                GetWindowRect(hwnd_, &now);
                FitClientArea(hwnd_, now, kind_.clientWidthTwips, kind_.clientHeightTwips, scale_);
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Labels and frames sit on the window's own face colour, in the
            // text colour of the user's scheme (light on a dark one).
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, LabelTextColour(reinterpret_cast<HWND>(lp)));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// The window's own icons at the system's sizes for the monitor's DPI. The
// window shows them unless a handler lent it others, which it then lends again.
void Window::loadIcons() {
    const bool shown =
        !iconBig_ || reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0)) == iconBig_.get();
    Icon big(LoadIconImage(kind_.iconId, scale_.SystemMetric(SM_CXICON)));
    Icon small(LoadIconImage(kind_.iconId, scale_.SystemMetric(SM_CXSMICON)));
    if (shown) SetIcons(big.get(), small.get());
    // The old ones go only now that the window no longer uses them.
    iconBig_ = std::move(big);
    iconSmall_ = std::move(small);
}

void Window::applyScale(const Scale& scale, RECT place) {
    if (scale != scale_) {
        scale_ = scale;
        controls_.Rescale();
        loadIcons();
        onScaleChanged();
    }
    fitOnRestore_ = IsIconic(hwnd_) != FALSE;
    FitClientArea(hwnd_, place, kind_.clientWidthTwips, kind_.clientHeightTwips, scale_);
}

// The user's text size may have changed: the window takes the new size where
// it stands, its top-left corner kept, inside its monitor's work area.
void Window::followTextSize() {
    textPercent_ = TextScalePercent(registry_);
    const RECT work = WorkAreaNear(hwnd_);
    const Scale scale = scaleFor(scale_.MonitorDpi(), work);
    if (scale == scale_) return;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    const SIZE size = WindowSizeFor(hwnd_, kind_.clientWidthTwips, kind_.clientHeightTwips, scale);
    const LONG x = std::max(work.left, std::min(now.left, work.right - size.cx));
    const LONG y = std::max(work.top, std::min(now.top, work.bottom - size.cy));
    applyScale(scale, {x, y, x + size.cx, y + size.cy});
}

// Common controls learn of new system colours only from their parent.
void Window::followColours(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYSCOLORCHANGE)
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, msg, wp, lp);
    controls_.SystemColoursChanged();
    onColoursChanged();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Window::SetIcons(HICON big, HICON small) {
    if (reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0)) != big)
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0)) != small)
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

}  // namespace pulvar
