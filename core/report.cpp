#include "core/report.h"

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

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The end of the code point that starts at pos.
size_t nextCodePoint(const std::string& text, size_t pos) {
    ++pos;
    while (pos < text.size() && isContinuationByte(text[pos])) ++pos;
    return pos;
}

}  // namespace

std::vector<std::string> WrapWords(const std::string& text, int maxWidth,
                                   const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (true) {
        std::string rest = text.substr(pos);
        if (rest.empty() || measure(rest) <= maxWidth) {
            // Blanks left over after the last break are nothing to print.
            if (!rest.empty() || lines.empty()) lines.push_back(rest);
            break;
        }

        // The longest run of whole words that fits; widths only grow, so the
        // first break that does not fit ends the search.
        size_t best = std::string::npos;
        for (size_t b = pos + 1; b < text.size(); ++b) {
            if (text[b] != ' ' || text[b - 1] == ' ') continue;
            if (measure(text.substr(pos, b - pos)) > maxWidth) break;
            best = b;
        }

        if (best != std::string::npos) {
            lines.push_back(text.substr(pos, best - pos));
            pos = best;
            while (pos < text.size() && text[pos] == ' ') ++pos;
            if (pos == text.size()) break;
            continue;
        }

        // Not even the first word fits: cut it where the page ends. The blanks
        // in front of it stay with it; what follows the cut goes on the next line.
        size_t wordEnd = pos;
        while (wordEnd < text.size() && text[wordEnd] == ' ') ++wordEnd;
        while (wordEnd < text.size() && text[wordEnd] != ' ') ++wordEnd;
        size_t cut = nextCodePoint(text, pos);
        while (cut < wordEnd) {
            size_t next = nextCodePoint(text, cut);
            if (measure(text.substr(pos, next - pos)) > maxWidth) break;
            cut = next;
        }
        lines.push_back(text.substr(pos, cut - pos));
        pos = cut;
        if (pos < text.size() && text[pos] == ' ') {
            while (pos < text.size() && text[pos] == ' ') ++pos;
            if (pos == text.size()) break;
        }
    }
    return lines;
}

}  // namespace pulvar
