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

// Breaks text into lines no wider than maxWidth, as measure tells widths.
// Text that fits is returned as it is, blanks included. Otherwise lines break
// at runs of blanks, which the break swallows; a word wider than maxWidth on
// its own is cut between characters (never inside a UTF-8 sequence), at least
// one character a line. measure must grow with the text.
std::vector<std::string> WrapWords(const std::string& text, int maxWidth,
                                   const std::function<int(const std::string&)>& measure);

}  // namespace pulvar
