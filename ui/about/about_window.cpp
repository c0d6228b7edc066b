#include "ui/about/about_window.h"

namespace pulvar {

void ShowAboutWindow(Services&) {}

}  // namespace pulvar
