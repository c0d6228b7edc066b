// Keeping a plain window's focused control while another window is active.
#pragma once

#include <windows.h>

namespace pulvar {

// A plain window (not a dialog) forgets its focused control when it is
// deactivated: call at WM_ACTIVATE. True when the focus was put back, and
// WM_ACTIVATE must then not reach DefWindowProc.
bool KeepFocusAcrossActivation(HWND window, WPARAM activateState, HWND& lastFocus);

}  // namespace pulvar
