// ParseLeadingNumber on any text: it never throws, always gives a finite
// value, and what follows the number does not change it.
#include <cmath>
#include <string>

#include "fuzz/fuzz_input.h"

namespace {

double Read(std::string_view text, const pulvar::NumberFormat& format) {
    try {
        return pulvar::ParseLeadingNumber(text, format);
    } catch (...) {
        pulvar::fuzz::Fail("ParseLeadingNumber threw", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pulvar;
    if (size == 0) return 0;
    const fuzz::Input in = fuzz::Split(data, size);

    const double value = Read(in.rest, in.format);
    fuzz::Check(std::isfinite(value), "ParseLeadingNumber gave a value that is not finite",
                in.rest, std::to_string(value));

    // 'x' can neither continue a number nor be skipped, so it ends the read.
    const std::string longer = std::string(in.rest) + "x";
    const double again = Read(longer, in.format);
    fuzz::Check(again == value && std::signbit(again) == std::signbit(value),
                "a trailing character changed the leading number", in.rest,
                std::to_string(value) + " became " + std::to_string(again));
    return 0;
}
