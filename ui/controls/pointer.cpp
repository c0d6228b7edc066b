#include "ui/controls/pointer.h"

#include <commctrl.h>

#include <unordered_map>

namespace pulvar {

namespace {

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

// What a subclassed control keeps: its own window procedure and the form's
// tooltip. They are looked up by the control's handle here rather than kept
// in the window: Wine asks its server for every change to a window, and
// start-up would pay one more round trip for each control.
struct Subclassed {
    WNDPROC original;
    HWND tooltip;
};
std::unordered_map<HWND, Subclassed>& SubclassedControls() {
    static std::unordered_map<HWND, Subclassed> controls;  // the user-interface thread's only
    return controls;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto found = SubclassedControls().find(hwnd);
    if (found == SubclassedControls().end()) return DefWindowProcW(hwnd, msg, wp, lp);
    const WNDPROC original = found->second.original;
    ReportPointer(found->second.tooltip, hwnd, msg, wp, lp);
    switch (msg) {
        case WM_LBUTTONUP: {
            // The click-to-empty boxes need the click, which an edit control
            // does not report on its own.
            LRESULT result = CallWindowProcW(original, hwnd, msg, wp, lp);
            wchar_t cls[16] = {};
            GetClassNameW(hwnd, cls, 16);
            if (lstrcmpiW(cls, L"Edit") == 0) ReportClick(hwnd);
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
            SubclassedControls().erase(hwnd);
            break;
    }
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

}  // namespace

void ReportPointer(const HWND& tooltip, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
            SendMessageW(GetParent(control), kMsgControlMouseMove, static_cast<WPARAM>(GetDlgCtrlID(control)),
                         reinterpret_cast<LPARAM>(control));
            RelayToTooltip(tooltip, control, msg, wp, lp);
            break;
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
            RelayToTooltip(tooltip, control, msg, wp, lp);
            break;
        case WM_SETFOCUS:
            // Screen readers read a control's help text from the tooltip, so
            // someone who only uses the keyboard needs it as well. The focus a
            // window gives its first control as it opens comes from no
            // sibling: start-up still makes no tooltip.
            if (!tooltip && wp && GetParent(reinterpret_cast<HWND>(wp)) == GetParent(control))
                SendMessageW(GetParent(control), kMsgControlFocusFromSibling,
                             static_cast<WPARAM>(GetDlgCtrlID(control)), reinterpret_cast<LPARAM>(control));
            break;
    }
}

void ReportClick(HWND control) {
    SendMessageW(GetParent(control), kMsgControlClick, static_cast<WPARAM>(GetDlgCtrlID(control)),
                 reinterpret_cast<LPARAM>(control));
}

void Subclass(HWND control) {
    SubclassedControls()[control] = {reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)), nullptr};
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
}

void SetRelayTooltip(HWND control, HWND tooltip) {
    auto found = SubclassedControls().find(control);
    if (found != SubclassedControls().end()) found->second.tooltip = tooltip;
}

}  // namespace pulvar
