#include "core/sysinfo_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pulvar {
namespace {

// Builds the bytes a wide query returns for a string: UTF-16 little-endian.
std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// The hex text is ASCII, one char a unit; anything beyond shows as '?', so it
// cannot pass for a digit.
std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t unit : text) narrow.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    return narrow;
}

TEST(KeyValueText, StringsLoseOneTerminatingZeroOnly) {
    struct Case {
        const char* what;
        std::u16string stored;
        std::u16string expected;
    } cases[] = {
        {"with its zero", std::u16string(u"C:\\MSINFO\\x.exe\0", 16), u"C:\\MSINFO\\x.exe"},
        {"without its zero", u"C:\\MSINFO\\x.exe", u"C:\\MSINFO\\x.exe"},
        {"two zeros keep one", std::u16string(u"ab\0\0", 4), std::u16string(u"ab\0", 3)},
        {"a zero inside stays", std::u16string(u"a\0b", 3), std::u16string(u"a\0b", 3)},
        {"a lone zero leaves nothing", std::u16string(u"\0", 1), u""},
        {"one character", u"x", u"x"},
        {"blanks at the end stay", u"C:\\Program Files Test\\  ", u"C:\\Program Files Test\\  "},
        {"beyond Latin-1", u"C:\\A\u00f1o\\\u20ac.exe", u"C:\\A\u00f1o\\\u20ac.exe"},
    };
    for (const Case& c : cases) {
        KeyValueText value = KeyValueFromBytes(kRegSz, Utf16Bytes(c.stored));
        EXPECT_EQ(value.reading, ValueReading::Text) << c.what;
        EXPECT_EQ(value.text, c.expected) << c.what;
    }
}

TEST(KeyValueText, OddByteCountReadsTheMissingHighByteAsZero) {
    // 'a', then a half unit 'b' whose high byte the query never wrote.
    KeyValueText value = KeyValueFromBytes(kRegSz, std::string("a\0b", 3));
    EXPECT_EQ(value.text, u"ab");
    // A single zero byte is a terminating zero.
    EXPECT_EQ(KeyValueFromBytes(kRegSz, std::string(1, '\0')).text, u"");
}

TEST(KeyValueText, DwordBytesLastToFirstInHexAfterTheTrim) {
    struct Case {
        std::string bytes;
        const char* expected;
    } cases[] = {
        {std::string("\x78\x56\x34\x12", 4), "&h12345678"},
        {std::string("\x05\0\0\0", 4), "&h000005"},   // the top zero byte is trimmed
        {std::string("\0\x05\0\0", 4), "&h000500"},
        {std::string("\0\0\0\0", 4), "&h000000"},
        {std::string("\xff\xfe\xab\xcd", 4), "&hCDABFEFF"},  // upper-case digits
        {std::string("\x0a\x80\x00\x01", 4), "&h0100800A"},  // a zero inside stays, two digits each
        {std::string("\x07", 1), "&h07"},
        {std::string("\0", 1), "&h"},
    };
    for (const Case& c : cases) {
        KeyValueText value = KeyValueFromBytes(kRegDword, c.bytes);
        EXPECT_EQ(value.reading, ValueReading::Text) << c.expected;
        EXPECT_EQ(Narrow(value.text), c.expected);
    }
}

TEST(KeyValueText, EmptyValueIsUnreadableWhateverItsType) {
    for (std::uint32_t type : {kRegSz, kRegExpandSz, kRegBinary, kRegDword, 7u}) {
        EXPECT_EQ(KeyValueFromBytes(type, {}).reading, ValueReading::Unreadable) << type;
    }
}

TEST(KeyValueText, OtherTypesLeaveTheTextAlone) {
    const std::string path = Utf16Bytes(std::u16string(u"%SystemRoot%\\msinfo32.exe\0", 26));
    for (std::uint32_t type : {kRegExpandSz, kRegBinary, 7u /* multi-string */, 11u /* qword */}) {
        KeyValueText value = KeyValueFromBytes(type, path);
        EXPECT_EQ(value.reading, ValueReading::Unchanged) << type;
        EXPECT_EQ(value.text, u"") << type;
    }
}

TEST(ProgramPath, OnlyPathsThatNameOneFileWhereverTheProgramRuns) {
    struct Case {
        const char* what;
        std::string path;
        bool absolute;
    } cases[] = {
        {"drive and folder", "C:\\Windows\\system32\\msinfo32.exe", true},
        {"lower-case drive", "d:\\Herramientas\\MSINFO32.EXE", true},
        {"share", "\\\\servidor\\herramientas\\MSINFO32.EXE", true},
        {"long form", "\\\\?\\C:\\Herramientas\\MSINFO32.EXE", true},
        {"empty, as an unread folder leaves it", "", false},
        {"root of the current drive", "\\MSINFO32.EXE", false},
        {"relative to the current folder", "Herramientas\\MSINFO32.EXE", false},
        {"drive without its backslash", "C:MSINFO32.EXE", false},
        {"a colon in second place only", "1:\\MSINFO32.EXE", false},
        {"three backslashes", "\\\\\\MSINFO32.EXE", false},
        {"a zero inside", std::string("C:\\Herramientas") + '\0' + "\\MSINFO32.EXE", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsAbsoluteProgramPath(c.path), c.absolute) << c.what;
}

}  // namespace
}  // namespace pulvar
