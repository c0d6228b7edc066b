#include "ui/controls/focus.h"

namespace pulvar {

bool KeepFocusAcrossActivation(HWND window, WPARAM activateState, HWND& lastFocus) {
    if (LOWORD(activateState) == WA_INACTIVE) {
        lastFocus = GetFocus();
    } else if (lastFocus && IsWindow(lastFocus) && GetParent(lastFocus) == window) {
        SetFocus(lastFocus);
        return true;
    }
    return false;
}

}  // namespace pulvar
