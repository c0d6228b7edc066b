#include "core/reading.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace pulvar {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWith(std::string_view text, size_t at, std::string_view what) {
    return !what.empty() && text.substr(at, what.size()) == what;
}

// A plain number ("123.45e-6": digits, at most one point, an optional
// exponent) as 0.DIGITS times ten to the power of exponent, DIGITS starting
// with a non-zero digit (empty for zero).
struct DecimalShape {
    std::string digits;
    long long exponent = 0;
};

DecimalShape ShapeOf(std::string_view plain) {
    DecimalShape shape;
    long long integerDigits = 0, leadingFractionZeros = 0, exponent = 0;
    bool point = false;
    size_t i = 0;
    for (; i < plain.size() && plain[i] != 'e'; ++i) {
        char c = plain[i];
        if (c == '.') {
            point = true;
        } else if (!shape.digits.empty() || c != '0') {
            shape.digits += c;
            if (!point) ++integerDigits;
        } else if (point) {
            ++leadingFractionZeros;
        }
    }
    if (i < plain.size()) {
        bool negative = ++i < plain.size() && plain[i] == '-';
        if (i < plain.size() && (plain[i] == '-' || plain[i] == '+')) ++i;
        for (; i < plain.size(); ++i)
            if (exponent < 1000000000) exponent = exponent * 10 + (plain[i] - '0');  // saturates
        if (negative) exponent = -exponent;
    }
    shape.exponent = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
    return shape;
}

// The largest double is written 1.79769313486232E+308, a hair above the
// double range; that text, and whatever else rounds to it at 15 digits, still
// reads back as the largest double.
bool WritesAsLargest(const DecimalShape& shape) {
    if (shape.exponent != 309) return false;
    std::string first = shape.digits.substr(0, 16);
    first.resize(16, '0');
    return first < "1797693134862325";
}

enum class Range { Inside, Overflow, Underflow };

// from_chars takes no leading '+', so the caller hands over the sign apart.
std::optional<double> toDouble(const std::string& plain, bool negative, Range* range = nullptr) {
    double value = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (range) *range = Range::Inside;
    if (ec == std::errc::result_out_of_range && end == plain.data() + plain.size()) {
        DecimalShape shape = ShapeOf(plain);
        if (WritesAsLargest(shape)) return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
        if (range) *range = shape.exponent > 0 ? Range::Overflow : Range::Underflow;
        return std::nullopt;
    }
    if (ec != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::string WriteValue(std::optional<double> value, const NumberFormat& format) {
    if (!value) return {};
    double v = *value;
    if (v == 0) v = 0;  // -0 is shown as 0
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";

    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v,
                                   std::chars_format::general, 15);
    if (ec != std::errc()) return {};
    std::string out;
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.')
            out += format.decimal;
        else if (*p == 'e')
            out += 'E';
        else
            out += *p;
    }
    return out;
}

std::optional<double> ParseNumberStrict(std::string_view text, const NumberFormat& format) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    text = text.substr(begin, end - begin);

    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string plain;
    bool digits = false, point = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            plain += text[i++];
            digits = true;
        } else if (!point && startsWith(text, i, format.decimal)) {
            plain += '.';
            point = true;
            i += format.decimal.size();
        } else if (!point && startsWith(text, i, format.grouping)) {
            i += format.grouping.size();
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        bool expDigits = false;
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return toDouble(plain, negative);
}

double ParseLeadingNumber(std::string_view text, const NumberFormat& format) {
    auto skippable = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && skippable(text[i])) ++i;
    };

    skip();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
        skip();
    }

    std::string mantissa;
    bool point = false;
    bool significant = false;
    for (;; skip()) {
        if (i >= text.size()) break;
        if (isDigit(text[i])) {
            char c = text[i++];
            mantissa += c;
            if (c != '0') significant = true;
        } else if (!point && text[i] == '.') {
            mantissa += '.';
            point = true;
            ++i;
        } else if (!point && startsWith(text, i, format.decimal)) {
            mantissa += '.';
            point = true;
            i += format.decimal.size();
        } else {
            break;
        }
    }
    bool anyDigit = mantissa.find_first_of("0123456789") != std::string::npos;
    if (!anyDigit) return 0;

    std::string exponent;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        size_t mark = i++;
        skip();
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i++] == '-';
            skip();
        }
        for (; i < text.size() && isDigit(text[i]); ++i, skip()) {
            exponent += text[i];
        }
        if (exponent.empty()) {
            i = mark;  // "1e" reads as 1
        } else {
            exponent = (expNegative ? "e-" : "e") + exponent;
        }
    }
    if (!significant) return negative ? -0.0 : 0.0;

    Range range = Range::Inside;
    if (auto value = toDouble(mantissa + exponent, negative, &range)) return *value;
    double limit = range == Range::Overflow ? std::numeric_limits<double>::max() : 0.0;
    return negative ? -limit : limit;
}

EntryCheck CheckEntries(std::string_view pulseText, std::string_view systolicText,
                        std::string_view diastolicText, const NumberFormat& format) {
    auto pulse = ParseNumberStrict(pulseText, format);
    if (pulse && *pulse > 0) return {};
    EntryCheck check;
    check.messages = 1;
    if (ParseLeadingNumber(diastolicText, format) > ParseLeadingNumber(systolicText, format)) {
        check.messages = 2;
        check.emptyNumericBoxes = true;
    }
    return check;
}

Reading CaptureReading(std::string_view pulseText, std::string_view systolicText,
                       std::string_view diastolicText, const NumberFormat& format) {
    Reading reading;
    reading.Pulse = ParseLeadingNumber(pulseText, format);
    reading.Diastolic = ParseLeadingNumber(diastolicText, format);
    reading.Systolic = ParseLeadingNumber(systolicText, format);
    return reading;
}

}  // namespace pulvar
