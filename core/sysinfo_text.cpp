#include "core/sysinfo_text.h"

namespace pulvar {

namespace {

std::u16string TextUnits(std::string_view data) {
    std::u16string units;
    units.reserve((data.size() + 1) / 2);
    for (size_t i = 0; i < data.size(); i += 2) {
        // An odd last byte has no high byte: the query's buffer was zero there.
        unsigned high = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0u;
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(data[i]) | (high << 8)));
    }
    if (!units.empty() && units.back() == u'\0') units.pop_back();
    return units;
}

std::u16string ReversedHex(std::string_view data) {
    if (!data.empty() && data.back() == '\0') data.remove_suffix(1);
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text = u"&h";
    for (size_t i = data.size(); i-- > 0;) {
        const unsigned byte = static_cast<unsigned char>(data[i]);
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0xF]);
    }
    return text;
}

}  // namespace

KeyValueText KeyValueFromBytes(std::uint32_t type, std::string_view data) {
    if (data.empty()) return {ValueReading::Unreadable, {}};
    switch (type) {
        case kRegSz: return {ValueReading::Text, TextUnits(data)};
        case kRegDword: return {ValueReading::Text, ReversedHex(data)};
        default: return {ValueReading::Unchanged, {}};
    }
}

bool IsAbsoluteProgramPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos) return false;
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    // "\\server\share" and the long forms "\\?\C:\..." and "\\.\...":
    // two backslashes and then a name.
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

}  // namespace pulvar
