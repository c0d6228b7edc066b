#include "core/reading.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace pulvar {
namespace {

const NumberFormat kStop{".", ","};   // English-style regional settings
const NumberFormat kComma{",", "."};  // Spanish-style regional settings

TEST(WriteValue, GeneralFormUnderBothSeparators) {
    struct Case {
        double value;
        const char* stop;
        const char* comma;
    } cases[] = {
        {72, "72", "72"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {-5, "-5", "-5"},
        {72.5, "72.5", "72,5"},
        {72.50, "72.5", "72,5"},
        {0.1, "0.1", "0,1"},
        {1234567, "1234567", "1234567"},  // never grouped
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {123456789012345, "123456789012345", "123456789012345"},
        {1e15, "1E+15", "1E+15"},
        {1e-5, "1E-05", "1E-05"},
        {-2.5e-7, "-2.5E-07", "-2,5E-07"},
        {0.0001, "0.0001", "0,0001"},
        {DBL_MAX, "1.79769313486232E+308", "1,79769313486232E+308"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteValue(c.value, kStop), c.stop) << c.value;
        EXPECT_EQ(WriteValue(c.value, kComma), c.comma) << c.value;
    }
}

TEST(WriteValue, UnsetIsEmpty) { EXPECT_EQ(WriteValue(std::nullopt, kStop), ""); }

TEST(ParseNumberStrict, AcceptsOneNumberInTheRegionalFormat) {
    struct Case {
        const char* text;
        const NumberFormat& format;
        double expected;
    } cases[] = {
        {"72", kStop, 72},        {"  72  ", kStop, 72},     {"\t72", kStop, 72},
        {"+72", kStop, 72},       {"-5", kStop, -5},         {"1e2", kStop, 100},
        {"1E+2", kStop, 100},     {"2.5e-1", kStop, 0.25},   {"72.5", kStop, 72.5},
        {"72,5", kComma, 72.5},   {"1,000", kStop, 1000},    {"1.000,5", kComma, 1000.5},
        {".5", kStop, 0.5},       {"5.", kStop, 5},          {"0", kStop, 0},
        // Under a comma locale the full stop groups digits.
        {"72.5", kComma, 725},
    };
    for (const Case& c : cases) {
        auto value = ParseNumberStrict(c.text, c.format);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
    }
}

TEST(ParseNumberStrict, RefusesAnythingElse) {
    const char* refused[] = {"",     "   ",  "72 lpm", "lpm 72", "7 2",   "1.2,3",
                             "1e",   "1e+",  "e5",     "+",      "-",     ".",
                             "1e309", "-1e309", "&H10", "٣",    "1.2.3", "1e-400"};
    for (const char* text : refused) EXPECT_FALSE(ParseNumberStrict(text, kStop)) << text;
    // Digit groups stand before the decimal separator only.
    for (const char* text : {"72,5.1", "72,5,", "1,2,3"})
        EXPECT_FALSE(ParseNumberStrict(text, kComma)) << text;
}

TEST(ParseNumberStrict, TheLargestNumberReadsBackAsWritten) {
    for (const NumberFormat* format : {&kStop, &kComma}) {
        std::string written = WriteValue(DBL_MAX, *format);
        EXPECT_EQ(ParseNumberStrict(written, *format), DBL_MAX) << written;
        EXPECT_EQ(ParseNumberStrict("-" + written, *format), -DBL_MAX) << written;
    }
    EXPECT_EQ(ParseNumberStrict("1.797693134862324999e308", kStop), DBL_MAX);
    EXPECT_FALSE(ParseNumberStrict("1.797693134862325e308", kStop));  // would be written 1.79769313486233E+308
    EXPECT_FALSE(ParseNumberStrict("1.8e308", kStop));
}

TEST(ParseLeadingNumber, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        const NumberFormat& format;
        double expected;
    } cases[] = {
        {"72", kStop, 72},
        {"072", kStop, 72},
        {"72 lpm", kStop, 72},
        {"1 20", kStop, 120},  // blanks are skipped also between digits
        {" \t\n 80", kStop, 80},
        {"- 5", kStop, -5},
        {"+7", kStop, 7},
        {"72.5", kStop, 72.5},
        {"72.5", kComma, 72.5},  // the full stop is a decimal point whatever the region
        {"72,5", kComma, 72.5},  // and so is the regional separator
        {"72,5", kStop, 72},     // a comma ends the number where it is no separator
        {"1.2.3", kStop, 1.2},
        {"1,2,3", kComma, 1.2},
        {"1e2", kStop, 100},
        {"1E-1", kStop, 0.1},
        {"1e", kStop, 1},
        {"1e+", kStop, 1},
        {"2e 2", kStop, 200},
        {"", kStop, 0},
        {"abc", kStop, 0},
        {".", kStop, 0},
        {"٣", kStop, 0},
        {"&H10", kStop, 0},  // no radix prefixes: the ampersand ends the number at once
        {"&O17", kStop, 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text, c.format), c.expected) << c.text;
}

TEST(ParseLeadingNumber, OutOfRangeSaturatesInsteadOfFailing) {
    EXPECT_EQ(ParseLeadingNumber("1e309", kStop), DBL_MAX);
    EXPECT_EQ(ParseLeadingNumber("-1e309", kStop), -DBL_MAX);
    EXPECT_EQ(ParseLeadingNumber("9e99999999999999999999", kStop), DBL_MAX);
    EXPECT_EQ(ParseLeadingNumber(std::string(400, '9'), kStop), DBL_MAX);
    EXPECT_EQ(ParseLeadingNumber("1e-400", kStop), 0);
    EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1", kStop), 0);
    EXPECT_EQ(ParseLeadingNumber("0e999999", kStop), 0);
}

TEST(CheckEntries, APositivePulseSkipsTheOrderTest) {
    for (const char* pulse : {"72", "1e2", " 72 ", "0.5"}) {
        EntryCheck check = CheckEntries(pulse, "80", "120", kStop);
        EXPECT_EQ(check.messages, 0) << pulse;
        EXPECT_FALSE(check.emptyNumericBoxes) << pulse;
    }
    EXPECT_EQ(CheckEntries("72,5", "120", "80", kComma).messages, 0);
}

TEST(CheckEntries, ABadPulseWarnsAndComparesThePressuresAsNumbers) {
    struct Case {
        const char *pulse, *systolic, *diastolic;
        int messages;
        bool emptied;
    } cases[] = {
        {"", "120", "80", 1, false},  // 80 is below 120 as a number
        {"0", "90", "60", 1, false},
        {"72 lpm", "120", "80", 1, false},
        {"-5", "120", "80", 1, false},
        {"", "", "", 1, false},
        {"", "80", "80", 1, false},  // equal is not the wrong order
        {"", "80", "120", 2, true},
        {"", "", "80", 2, true},     // an empty systolic box reads 0
        {"abc", "90", "90.5", 2, true},
    };
    for (const Case& c : cases) {
        EntryCheck check = CheckEntries(c.pulse, c.systolic, c.diastolic, kStop);
        EXPECT_EQ(check.messages, c.messages) << c.pulse << " " << c.systolic << "/" << c.diastolic;
        EXPECT_EQ(check.emptyNumericBoxes, c.emptied) << c.pulse << " " << c.systolic << "/" << c.diastolic;
    }
}

TEST(CaptureReading, FillsEveryFieldFromTheBoxes) {
    Reading r = CaptureReading("72 lpm", "120", "80", kStop);
    EXPECT_EQ(r.Pulse, 72);
    EXPECT_EQ(r.Systolic, 120);
    EXPECT_EQ(r.Diastolic, 80);

    Reading empty = CaptureReading("", "", "", kComma);
    ASSERT_TRUE(empty.Pulse && empty.Systolic && empty.Diastolic);
    EXPECT_EQ(*empty.Pulse + *empty.Systolic + *empty.Diastolic, 0);

    EXPECT_EQ(CaptureReading("72,5", "", "90,5", kComma).Diastolic, 90.5);
    EXPECT_EQ(CaptureReading("1e999", "", "", kStop).Pulse, DBL_MAX);
}

}  // namespace
}  // namespace pulvar
