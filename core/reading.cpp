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

// from_chars takes no leading '+', so the caller hands over the sign apart.
std::optional<double> toDouble(const std::string& plain, bool negative) {
    double value = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
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
    // Where the first significant digit stands relative to the decimal point,
    // to tell an overflow from an underflow when the value is out of range.
    long long integerDigits = 0, leadingFractionZeros = 0;
    bool significant = false;
    for (;; skip()) {
        if (i >= text.size()) break;
        if (isDigit(text[i])) {
            char c = text[i++];
            mantissa += c;
            if (c != '0') significant = true;
            if (!point && significant) ++integerDigits;
            if (point && !significant) ++leadingFractionZeros;
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
    long long exponentValue = 0;
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
            if (exponentValue < 1000000000) exponentValue = exponentValue * 10 + (text[i] - '0');
        }
        if (exponent.empty()) {
            i = mark;  // "1e" reads as 1
        } else {
            if (expNegative) exponentValue = -exponentValue;
            exponent = (expNegative ? "e-" : "e") + exponent;
        }
    }
    if (!significant) return negative ? -0.0 : 0.0;

    if (auto value = toDouble(mantissa + exponent, negative)) return *value;
    // Out of range: decide by the decimal magnitude of the number.
    long long magnitude = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponentValue;
    double limit = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
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
