// Shared by the fuzz targets: how an input chooses its regional number
// format, and how a broken property stops the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/reading.h"

namespace pulvar::fuzz {

// The first byte chooses the format by its lowest bit: odd for the comma as
// decimal separator (Spanish-style settings), even for the full stop. Its
// 0x20 bit is free for a target's own choice (write_value: text or raw bits).
// Seed files begin with 'c' or 'p' (comma, punto), so "c72,5" and "p72.5"
// are the same reading under the two settings.
struct Input {
    NumberFormat format;
    unsigned char lead = 0;
    std::string_view rest;
};

inline Input Split(const std::uint8_t* data, std::size_t size) {
    Input in;
    in.lead = data[0];
    in.format = (in.lead & 1) ? NumberFormat{",", "."} : NumberFormat{".", ","};
    in.rest = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    return in;
}

// A property that does not hold: say which, with the texts involved, and
// crash so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* property, std::string_view input,
                              std::string_view detail = {}) {
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n  input:  \"%.*s\"\n", property,
                 static_cast<int>(input.size()), input.data());
    if (!detail.empty())
        std::fprintf(stderr, "  detail: %.*s\n", static_cast<int>(detail.size()), detail.data());
    __builtin_trap();
}

inline void Check(bool holds, const char* property, std::string_view input,
                  std::string_view detail = {}) {
    if (!holds) Fail(property, input, detail);
}

}  // namespace pulvar::fuzz
