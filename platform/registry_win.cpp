#include "platform/registry.h"

namespace pulvar {

Registry& RealRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace pulvar
