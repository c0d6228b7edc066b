#include "core/report.h"

#include <algorithm>

namespace pulvar {

std::vector<ReportLine> ReportLines(const std::string& name, const Reading& reading,
                                    const std::string& pulseCaption,
                                    const std::string& pressureCaption,
                                    const NumberFormat& format, Version version) {
    return {
        {0, ""},
        {kReportIndent, name},
        {kReportIndent, "Su Frecuencia Cardiaca es: " + WriteValue(reading.Pulse, format) + "  " + pulseCaption},
        {kReportIndent, "Su Presiòn Arterial es: " + WriteValue(reading.Systolic, format) + " / " +
                            WriteValue(reading.Diastolic, format) + pressureCaption},
        {0, ""},
        {kReportIndent, "PULVAR - Anàlisis de la Presiòn Sanguinea. " + VersionText(version)},
    };
}

size_t NextCodePoint(const std::string& text, size_t pos) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    return pos;
}

std::vector<std::string> WrapWords(const std::string& text, int maxWidth, const PrefixWidths& prefixWidths) {
    const size_t size = text.size();
    // at[b] is the width of text[0, b) for every b where a code point starts,
    // and for the end.
    std::vector<int> at(size + 1, 0);
    if (size > 0) {
        const std::vector<int> widths = prefixWidths(text);
        size_t index = 0;
        int width = 0;
        for (size_t pos = 0; pos < size; ++index) {
            // The walk below relies on widths that never shrink.
            if (index < widths.size()) width = std::max(width, widths[index]);
            pos = NextCodePoint(text, pos);
            at[pos] = width;
        }
    }
    auto widthOf = [&at](size_t from, size_t to) { return at[to] - at[from]; };

    std::vector<std::string> lines;
    size_t pos = 0;
    while (true) {
        if (pos == size || widthOf(pos, size) <= maxWidth) {
            // Blanks left over after the last break are nothing to print.
            if (pos < size || lines.empty()) lines.push_back(text.substr(pos));
            break;
        }

        // Walks the code points of the line while they fit: the last break
        // passed ends the longest run of whole words that fits, the last code
        // point passed is where a word too wide on its own is cut. Widths only
        // grow, so the first code point that does not fit ends the walk.
        size_t lastBreak = std::string::npos, lastFit = pos;
        for (size_t b = NextCodePoint(text, pos); b < size; b = NextCodePoint(text, b)) {
            if (widthOf(pos, b) > maxWidth) break;
            lastFit = b;
            if (text[b] == ' ' && text[b - 1] != ' ') lastBreak = b;
        }

        if (lastBreak != std::string::npos) {
            lines.push_back(text.substr(pos, lastBreak - pos));
            pos = lastBreak;
            while (pos < size && text[pos] == ' ') ++pos;
            if (pos == size) break;
            continue;
        }

        // Not even the first word fits: cut it where the page ends, after one
        // character at least. The blanks in front of it stay with it; what
        // follows the cut goes on the next line.
        const size_t cut = std::max(lastFit, NextCodePoint(text, pos));
        lines.push_back(text.substr(pos, cut - pos));
        pos = cut;
        if (pos < size && text[pos] == ' ') {
            while (pos < size && text[pos] == ' ') ++pos;
            if (pos == size) break;
        }
    }
    return lines;
}

}  // namespace pulvar
