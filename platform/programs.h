// Testing for a program file and starting it.
#pragma once

#include <string>

namespace pulvar {

class Programs {
public:
    virtual ~Programs() = default;
};

Programs& RealPrograms();

}  // namespace pulvar
