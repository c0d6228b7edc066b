// How the program writes its own name and version.
#pragma once

#include <string>

namespace pulvar {

struct Version {
    int major;
    int minor;
    int revision;
};

// "1.0.4": plain decimal integers joined by full stops.
std::string VersionText(Version version);

// The main window's title: the product name, a full stop, four blanks, the version.
std::string ProductTitle(Version version);

}  // namespace pulvar
