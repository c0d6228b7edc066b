// How the system-information launcher turns a registry value's bytes into
// text. Kept apart from the registry calls so the rules are checked natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pulvar {

// Registry value types, with the numbers Windows gives them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

enum class ValueReading {
    Text,        // text holds the value
    Unchanged,   // a type the launcher does not read: the caller's text stays as it was
    Unreadable,  // no bytes at all: the launcher gives up
};

struct KeyValueText {
    ValueReading reading;
    std::u16string text;
};

// data: exactly the bytes the wide registry query reported for the value.
// Text values are UTF-16 (little-endian); one terminating zero is dropped when
// it is the last character, and only that one. A character is one UTF-16 unit
// for text and one byte for a DWORD, which is how the narrow query read both.
// A DWORD becomes "&h" and its kept bytes from last to first, two upper-case
// hex digits each: 5 reads "&h000005", since its top byte is a zero that goes.
KeyValueText KeyValueFromBytes(std::uint32_t type, std::string_view data);

// A path that names the same file whatever the current folder and drive: a
// drive letter, a colon and a backslash ("C:\..."), or a UNC path
// ("\\server\share..."), with no zero character in it (the file functions
// would stop at it and look at a shorter path).
bool IsAbsoluteProgramPath(std::string_view path);

}  // namespace pulvar
