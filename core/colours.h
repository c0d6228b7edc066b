// The program's colours, as Windows COLORREF values: 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace pulvar {

inline constexpr std::uint32_t kRed = 0x000000FF;
inline constexpr std::uint32_t kYellow = 0x0000FFFF;
inline constexpr std::uint32_t kGreen = 0x0000FF00;
inline constexpr std::uint32_t kCyan = 0x00FFFF00;
inline constexpr std::uint32_t kBlue = 0x00FF0000;

}  // namespace pulvar
