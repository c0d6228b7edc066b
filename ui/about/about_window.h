// frmAbout: shown from the main window's About button, at most one at a time.
#pragma once

#include "platform/seams.h"

namespace pulvar {

// Creates the About window if there is none, otherwise brings it to the front.
void ShowAboutWindow(Services& services);

}  // namespace pulvar
