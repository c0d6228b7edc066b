// The program's texts are UTF-8; Windows gets UTF-16. These are the only
// conversions, so the host's ANSI code page never enters.
#pragma once

#include <string>
#include <string_view>

namespace pulvar {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace pulvar
