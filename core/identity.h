// How the program writes its own name and version.
#pragma once

#include <string>

#include "res/version.h"  // written by the build from CMakeLists.txt

namespace pulvar {

struct Version {
    int major;
    int minor;
    int revision;
};

// The program's own version, and the title of its message boxes and About window.
inline constexpr Version kVersion{PULVAR_VERSION_MAJOR, PULVAR_VERSION_MINOR, PULVAR_VERSION_REVISION};
inline constexpr char kAppTitle[] = "PULVAR";

// "1.0.4": plain decimal integers joined by full stops.
std::string VersionText(Version version);

// The main window's title: the product name, a full stop, four blanks, the version.
std::string ProductTitle(Version version);

}  // namespace pulvar
