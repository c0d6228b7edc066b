// The current measurement and the number rules that fill and show it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pulvar {

// The user's regional number format. Windows allows separators of up to
// three characters, so they are texts (UTF-8).
struct NumberFormat {
    std::string decimal = ".";
    std::string grouping = ",";
};

// One measurement. Each field is unset until the first evaluation captures it.
struct Reading {
    std::optional<double> Pulse;
    std::optional<double> Systolic;
    std::optional<double> Diastolic;
};

// General form, up to 15 significant digits, no grouping, the regional decimal
// separator, no trailing zeros; exponent form only below 1E-04 or from 1E+15.
// An unset value gives the empty text.
std::string WriteValue(std::optional<double> value, const NumberFormat& format);

// The whole text must be one number in the regional format (blanks around it
// allowed); anything else, or a number beyond the double range, gives nothing.
std::optional<double> ParseNumberStrict(std::string_view text, const NumberFormat& format);

// Reads the longest number at the start of the text and ignores the rest.
// Never fails: no digits give 0, a number beyond the double range gives the
// largest finite double with its sign. Blanks, tabs and line feeds are skipped
// wherever they stand. The full stop and the regional decimal separator are
// both taken as the decimal point (at most one).
double ParseLeadingNumber(std::string_view text, const NumberFormat& format);

// What the entry check asks the window to do before the reading is captured.
struct EntryCheck {
    int messages = 0;                 // how often the input message box is shown
    bool emptyNumericBoxes = false;   // empty Text2, Text3, Text4 and focus Text2
};

// The pulse entry must be a positive number. Only when it is not are the
// pressures compared; a diastolic value above the systolic one means the
// entries are muddled, and they are emptied.
EntryCheck CheckEntries(std::string_view pulseText, std::string_view systolicText,
                        std::string_view diastolicText, const NumberFormat& format);

Reading CaptureReading(std::string_view pulseText, std::string_view systolicText,
                       std::string_view diastolicText, const NumberFormat& format);

}  // namespace pulvar
