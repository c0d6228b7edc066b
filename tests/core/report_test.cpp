#include "core/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/classify.h"

namespace pulvar {
namespace {

const NumberFormat kStop{".", ","};
const NumberFormat kComma{",", "."};

TEST(ReportLines, SixLinesForEveryStateOfTheWindow) {
    const Reading typical{72.0, 120.0, 80.0};
    const Results shown = ShowResultsFor(typical, kStop);
    struct Case {
        const char* what;
        std::string name;
        Reading reading;
        std::string pulseCaption, pressureCaption;
        NumberFormat format;
        std::string pulseLine, pressureLine;
    } cases[] = {
        {"before any evaluation", "Ana", Reading{}, "", "", kStop,
         "Su Frecuencia Cardiaca es:   ", "Su Presiòn Arterial es:  / "},
        {"after 72 and 120/80", "  José Pérez Ñúñez  ", typical, shown.pulseCaption, shown.pressureCaption, kStop,
         "Su Frecuencia Cardiaca es: 72  72, Completamente Normal. ",
         "Su Presiòn Arterial es: 120 / 80120/80, Normal.Debe chequear su presion cada año."},
        // "Borrar" empties the captions but keeps the reading.
        {"after a clear", "", typical, "", "", kStop,
         "Su Frecuencia Cardiaca es: 72  ", "Su Presiòn Arterial es: 120 / 80"},
        {"fractions under a comma locale", "Ana", Reading{72.5, 120.25, 80.5}, "72,5, X", "120,25/80,5, Y",
         kComma, "Su Frecuencia Cardiaca es: 72,5  72,5, X", "Su Presiòn Arterial es: 120,25 / 80,5120,25/80,5, Y"},
    };
    for (const Case& c : cases) {
        const std::vector<ReportLine> expected{
            {0, ""},
            {15, c.name},
            {15, c.pulseLine},
            {15, c.pressureLine},
            {0, ""},
            {15, "PULVAR - Anàlisis de la Presiòn Sanguinea. " + VersionText(kVersion)},
        };
        EXPECT_EQ(ReportLines(c.name, c.reading, c.pulseCaption, c.pressureCaption, c.format, kVersion), expected)
            << c.what;
    }
}

TEST(ReportLines, TheLastLineCarriesTheVersionGiven) {
    EXPECT_EQ(ReportLines("", {}, "", "", kStop, {2, 10, 0}).back().text,
              "PULVAR - Anàlisis de la Presiòn Sanguinea. 2.10.0");
}

// One unit per character, as a fixed-pitch font would measure.
int Characters(const std::string& text) {
    int n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// Widths for WrapWords from a measure of pieces, asked once for each code
// point on its own.
template <class Measure>
PrefixWidths EachCodePoint(Measure measure) {
    return [measure](const std::string& text) {
        std::vector<int> widths;
        int width = 0;
        for (size_t pos = 0; pos < text.size();) {
            const size_t next = NextCodePoint(text, pos);
            width += measure(text.substr(pos, next - pos));
            widths.push_back(width);
            pos = next;
        }
        return widths;
    };
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

TEST(WrapWords, BreaksAtBlanksAndCutsOnlyOverlongWords) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        int width;
        Lines lines;
    } cases[] = {
        {"", 10, {""}},
        {"short", 10, {"short"}},
        {"  blanks kept  ", 15, {"  blanks kept  "}},
        {"exactly ten", 11, {"exactly ten"}},
        {"one two three four", 9, {"one two", "three", "four"}},
        {"one   two", 5, {"one", "two"}},
        {"aaa bbb   ", 7, {"aaa bbb"}},
        {"  lead word", 8, {"  lead", "word"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"ab abcdefghij cd", 4, {"ab", "abcd", "efgh", "ij", "cd"}},
        {"año año", 3, {"año", "año"}},
        {"ñññññ", 2, {"ññ", "ññ", "ñ"}},
        {"abc", 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(WrapWords(c.text, c.width, EachCodePoint(Characters)), c.lines) << c.text << " @" << c.width;
}

std::string NonBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

TEST(WrapWords, TheLongestReportSentenceLosesNothingAndFitsTheWidth) {
    const std::string sentence = std::string("Su Presiòn Arterial es: 150 / 95150/95") +
                                 PressureOutput(PressureBand::Stage1).sentence;
    ASSERT_GT(Characters(sentence), 200);
    for (int width : {1, 7, 20, 60, 100, 199}) {
        const std::vector<std::string> lines = WrapWords(sentence, width, EachCodePoint(Characters));
        std::string joined, glued;
        for (const std::string& line : lines) {
            EXPECT_TRUE(Characters(line) <= width || Characters(line) == 1) << "'" << line << "' @" << width;
            EXPECT_FALSE(line.empty()) << width;
            joined += line + " ";
            glued += line;
        }
        // Cut words come back whole when their pieces are put together again.
        EXPECT_EQ(NonBlanks(glued), NonBlanks(sentence)) << width;
        // No word of the sentence is longer than 20, so from there on none is cut.
        if (width >= 20) {
            EXPECT_EQ(Words(joined), Words(sentence)) << width;
        }
    }
}

// A pasted name may be a million characters long: the text is measured once,
// a code point at a time, however many lines it makes.
TEST(WrapWords, MeasuresALongTextOnce) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "Peña" + std::to_string(i) + (i % 7 ? " " : "   ");
    text += std::string(30000, 'x') + " ñ" + std::string(20000, 'y');
    const int codePoints = Characters(text);
    long calls = 0, bytes = 0;
    auto counting = [&](const std::string& piece) {
        ++calls;
        bytes += static_cast<long>(piece.size());
        return Characters(piece);
    };
    const std::vector<std::string> lines = WrapWords(text, 60, EachCodePoint(counting));
    EXPECT_LE(calls, codePoints);
    EXPECT_LE(bytes, static_cast<long>(text.size()));
    std::string glued;
    for (const std::string& line : lines) {
        ASSERT_LE(Characters(line), 60);
        glued += line;
    }
    EXPECT_EQ(NonBlanks(glued), NonBlanks(text));
    // "ñ" and the 20000 y are one word of 20001 characters: 333 full lines and 21 over.
    EXPECT_EQ(lines.back(), std::string(21, 'y'));
}

}  // namespace
}  // namespace pulvar
