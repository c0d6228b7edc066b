#include "core/identity.h"

namespace pulvar {

std::string VersionText(Version version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string ProductTitle(Version version) { return "Pulvar.    " + VersionText(version); }

}  // namespace pulvar
