// The paper report of the last evaluation: its lines, and how a line too wide
// for the page is broken.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/identity.h"
#include "core/reading.h"

namespace pulvar {

// How far the report's text lines stand in, in blank widths of the report font.
inline constexpr int kReportIndent = 15;

struct ReportLine {
    int indentColumns;
    std::string text;

    bool operator==(const ReportLine& other) const {
        return indentColumns == other.indentColumns && text == other.text;
    }
};

// The six lines of the report, top to bottom. The reading is written anew in
// the given number format; the captions are printed as the window shows them,
// so a cleared window still prints the numbers of the last evaluation.
std::vector<ReportLine> ReportLines(const std::string& name, const Reading& reading,
                                    const std::string& pulseCaption,
                                    const std::string& pressureCaption,
                                    const NumberFormat& format, Version version);

// Where the code point that starts at byte pos of UTF-8 text ends: after its
// lead byte and the continuation bytes that follow it.
size_t NextCodePoint(const std::string& text, size_t pos);

// Where WrapWords gets its widths: for a text, the width of each of its
// leading parts that ends at a code point, one number per code point, in
// order (a UTF-8 code point being a lead byte and the continuation bytes
// after it). Widths only grow, and the width of a part of the text is the
// difference of two of them, as with fonts that put one glyph after another.
using PrefixWidths = std::function<std::vector<int>(const std::string& text)>;

// Breaks text into lines no wider than maxWidth. Text that fits is returned
// as it is, blanks included. Otherwise lines break at runs of blanks, which
// the break swallows; a word wider than maxWidth on its own is cut between
// characters (never inside a UTF-8 sequence), at least one character a line.
// The text is measured once, so a long text costs time in proportion to its
// length.
std::vector<std::string> WrapWords(const std::string& text, int maxWidth, const PrefixWidths& prefixWidths);

}  // namespace pulvar
