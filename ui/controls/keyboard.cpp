#include "ui/controls/keyboard.h"

namespace pulvar {

namespace {

// These windows are not dialogs, so the system gives their buttons no
// default-button handling: Windows' dialog manager answers Enter with the
// window's default button even when another push button has the focus.
bool PressFocusedButton(HWND window, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (!focus || msg.hwnd != focus || !IsChild(window, focus)) return false;
    if (!IsWindowEnabled(window) || !IsWindowEnabled(focus)) return false;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
    SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                 reinterpret_cast<LPARAM>(focus));
    return true;
}

}  // namespace

void DeliverMessage(MSG& msg) {
    HWND active = GetActiveWindow();
    if (active && (PressFocusedButton(active, msg) || IsDialogMessageW(active, &msg))) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace pulvar
