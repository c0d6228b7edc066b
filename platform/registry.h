// Read-only access to the Windows registry.
#pragma once

#include <cstdint>
#include <string>

namespace pulvar {

class Registry {
public:
    virtual ~Registry() = default;
};

Registry& RealRegistry();

}  // namespace pulvar
