// WriteValue on any double: the general form with the regional decimal
// separator, no grouping, at most 15 significant digits, no trailing zeros,
// and text that reads back (strictly) to a value written the same way.
//
// After the format byte, the input is either a text read with
// ParseLeadingNumber (0x20 bit set: 'c', 'p') or the raw bits of a double,
// up to 8 bytes, little end first (0x20 bit clear: 'C', 'P'), which reaches
// NaN, the infinities and the subnormals.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "fuzz/fuzz_input.h"

namespace {

using pulvar::NumberFormat;
using pulvar::fuzz::Check;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text of a finite value: [-]digits[<decimal>digits][E(+|-)digits].
void CheckShape(const std::string& text, const NumberFormat& format, std::string_view input) {
    const std::string& dec = format.decimal;
    Check(text.find(format.grouping) == std::string::npos, "a grouping separator was written",
          input, text);

    size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const size_t mantissaBegin = i;
    size_t exponentAt = text.find('E');
    const size_t mantissaEnd = exponentAt == std::string::npos ? text.size() : exponentAt;
    const std::string mantissa = text.substr(mantissaBegin, mantissaEnd - mantissaBegin);

    size_t digits = 0, significant = 0, points = 0;
    bool leading = true;
    for (size_t k = 0; k < mantissa.size();) {
        if (mantissa.compare(k, dec.size(), dec) == 0) {
            ++points;
            k += dec.size();
            continue;
        }
        Check(IsDigit(mantissa[k]), "an unexpected character in the mantissa", input, text);
        ++digits;
        if (mantissa[k] != '0') leading = false;
        if (!leading) ++significant;
        ++k;
    }
    Check(digits > 0 && points <= 1, "the mantissa is not one number", input, text);
    Check(significant <= 15, "more than 15 significant digits", input, text);
    if (points == 1) {
        Check(mantissa.back() != '0', "a trailing zero after the decimal separator", input, text);
        Check(mantissa.size() < dec.size() ||
                  mantissa.compare(mantissa.size() - dec.size(), dec.size(), dec) != 0,
              "a decimal separator with no digits after it", input, text);
        Check(mantissa.compare(0, dec.size(), dec) != 0, "no digit before the decimal separator",
              input, text);
    }
    if (exponentAt != std::string::npos) {
        size_t e = exponentAt + 1;
        Check(e < text.size() && (text[e] == '+' || text[e] == '-'), "an exponent without its sign",
              input, text);
        ++e;
        Check(text.size() - e >= 2, "an exponent of fewer than two digits", input, text);
        for (; e < text.size(); ++e) Check(IsDigit(text[e]), "a non-digit in the exponent", input, text);
    }
}

void CheckValue(double value, const NumberFormat& format, std::string_view input) {
    std::string text;
    try {
        text = pulvar::WriteValue(value, format);
    } catch (...) {
        pulvar::fuzz::Fail("WriteValue threw", input);
    }
    if (!std::isfinite(value)) {
        Check(text.find(format.grouping) == std::string::npos, "a grouping separator was written",
              input, text);
        return;
    }
    CheckShape(text, format, input);

    std::optional<double> back;
    try {
        back = pulvar::ParseNumberStrict(text, format);
    } catch (...) {
        pulvar::fuzz::Fail("ParseNumberStrict threw", text);
    }
    Check(back.has_value(), "the written value does not read back strictly", input, text);
    std::string again = pulvar::WriteValue(*back, format);
    Check(again == text, "the value read back writes differently", input, text + " became " + again);

    // 15 digits keep the value to within half a unit of the 15th digit
    // (plus one subnormal step once it is read back).
    const double error = std::fabs(*back - value);
    Check(error <= std::fabs(value) * 6e-15 + std::numeric_limits<double>::denorm_min(),
          "the written value is not the value to 15 digits", input, text);

    // Exponent form exactly below 1E-04 and from 1E+15 (judged on the value as
    // written, since rounding to 15 digits can carry into the next power of ten).
    const double shown = std::fabs(*back);
    const bool exponent = text.find('E') != std::string::npos;
    Check(exponent == (shown != 0 && (shown < 1e-4 || shown >= 1e15)),
          "exponent form where the fixed form belongs, or the other way round", input, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const pulvar::fuzz::Input in = pulvar::fuzz::Split(data, size);

    double value = 0;
    if (in.lead & 0x20) {
        try {
            value = pulvar::ParseLeadingNumber(in.rest, in.format);
        } catch (...) {
            pulvar::fuzz::Fail("ParseLeadingNumber threw", in.rest);
        }
    } else {
        unsigned char bits[sizeof(double)] = {};
        std::memcpy(bits, in.rest.data(), std::min(in.rest.size(), sizeof bits));
        std::memcpy(&value, bits, sizeof value);
    }
    CheckValue(value, in.format, in.rest);
    return 0;
}
