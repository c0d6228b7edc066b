// What every control does with the pointer: the form's tooltip sees the
// mouse messages, and the form hears when the pointer moves over a control
// (the hints need it, and controls do not report it on their own) and when
// the focus first comes to a control from another one.
#pragma once

#include <windows.h>

namespace pulvar {

// Sent to the parent when the pointer moves over a control (wParam: control id),
// and when a control is clicked with the mouse but has no click notification
// of its own (text boxes, picture boxes).
inline constexpr UINT kMsgControlMouseMove = WM_APP + 1;
inline constexpr UINT kMsgControlClick = WM_APP + 2;
// Sent to the parent, while it has no tooltip yet, when the focus moves to a
// control from another control of the same window (wParam: control id).
inline constexpr UINT kMsgControlFocusFromSibling = WM_APP + 3;

// Called by a control's window procedure with each of its messages. The
// tooltip is the control's slot for it: the form makes its tooltip when it
// hears of the first move, or of the focus moving between its controls, and
// the move itself is handed on after that.
void ReportPointer(const HWND& tooltip, HWND control, UINT msg, WPARAM wp, LPARAM lp);

// Tells the control's parent it was clicked.
void ReportClick(HWND control);

// Makes a system control report the pointer; a text box also reports its clicks.
void Subclass(HWND control);
// The tooltip a subclassed control hands its mouse messages to (none at first).
void SetRelayTooltip(HWND control, HWND tooltip);

}  // namespace pulvar
