// A window's fixed layout, kept as data. No Windows types here, so the tables
// are checked by the native tests; one Win32 loop (ui/controls/control_set.cpp) turns
// rows into controls, and no other code holds geometry.
#pragma once

namespace pulvar {

enum class Kind {
    Frame,          // captioned group box
    Label,          // left-aligned, wraps at word boundaries
    LabelCentred,
    TextBox,        // single line
    Button,         // caption
    PictureButton,  // image centred, no caption
    PictureBox,     // shows an image or just its background colour
    Slider,         // horizontal track bar
    ProgressBar,
    Line,           // straight line: rc holds x1, y1, x2, y2
};

// Sans12BoldName is Sans12Bold for the person's name, which may be in any script.
enum class FontId { Default, Sans975, Sans975Bold, Sans12Bold, Sans18Bold, Sans12BoldName };

enum class Border { None, Flat, Sunken };  // picture boxes: none, one line, 3-D

struct TwipsRect {
    int left, top, width, height;
};

// id and container are a window's own control enum, stored as int.
struct ControlRow {
    int id;
    Kind kind;
    int container;  // 0: the window's client area
    TwipsRect rc;
    const char* caption;
    FontId font;
    const char* tip;
    int tab;        // -1: no tab index (lines)
    bool hidden;
    int image;      // resource id, 0 for none
    Border border;
};

inline constexpr int kTwipsPerInch = 1440;

// The one conversion from twips to pixels: MulDiv's rounding, half away from zero.
constexpr int TwipsToPixels(int twips, int dpi) {
    long long n = static_cast<long long>(twips) * dpi;
    return static_cast<int>(n >= 0 ? (n + kTwipsPerInch / 2) / kTwipsPerInch
                                   : -((-n + kTwipsPerInch / 2) / kTwipsPerInch));
}

// Font height for CreateFont: negative, a character height in pixels.
constexpr int PointsToFontHeight(double points, int dpi) {
    double px = points * dpi / 72.0;
    return -static_cast<int>(px + 0.5);
}

}  // namespace pulvar
