// ParseNumberStrict on any text: it never throws and gives either nothing
// or a finite value, and a number it accepts reads the same leniently.
#include <cmath>
#include <optional>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pulvar;
    if (size == 0) return 0;
    const fuzz::Input in = fuzz::Split(data, size);

    std::optional<double> value;
    try {
        value = ParseNumberStrict(in.rest, in.format);
    } catch (...) {
        fuzz::Fail("ParseNumberStrict threw", in.rest);
    }
    if (!value) return 0;
    fuzz::Check(std::isfinite(*value), "ParseNumberStrict gave a value that is not finite",
                in.rest);

    // With no grouping separator in it, a strictly valid number is exactly what
    // the lenient reader takes from the start of the text: the entry check and
    // the captured reading must agree on it.
    if (in.rest.find(in.format.grouping) == std::string_view::npos) {
        double lenient = 0;
        try {
            lenient = ParseLeadingNumber(in.rest, in.format);
        } catch (...) {
            fuzz::Fail("ParseLeadingNumber threw", in.rest);
        }
        fuzz::Check(lenient == *value, "strict and leading readings differ", in.rest,
                    "strict " + std::to_string(*value) + ", leading " + std::to_string(lenient));
    }
    return 0;
}
