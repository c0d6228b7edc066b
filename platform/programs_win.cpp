#include "platform/programs.h"

namespace pulvar {

Programs& RealPrograms() {
    static Programs programs;
    return programs;
}

}  // namespace pulvar
