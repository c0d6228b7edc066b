// One step of the program's message loop, with the keyboard navigation that
// both windows share.
#pragma once

#include <windows.h>

namespace pulvar {

// Delivers one message taken from the queue. In the active window, Tab,
// Shift+Tab, Escape and access keys go through the dialog manager, and Enter
// on a focused push button presses that button; elsewhere Enter does what the
// window's default button (DM_GETDEFID) says, if it has one.
void DeliverMessage(MSG& msg);

}  // namespace pulvar
