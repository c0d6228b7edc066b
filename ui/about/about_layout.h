// frmAbout: every control, where it sits and what it starts with.
#pragma once

#include <array>

#include "core/colours.h"
#include "res/resource.h"
#include "ui/about/about_texts.h"
#include "ui/layout.h"

namespace pulvar::about {

// Also the Win32 control ids; clear of IDOK and IDCANCEL, which the window
// maps onto cmdOK itself.
enum class Ctl : int {
    None = 0,
    cmdOK = 2001, picIcon, cmdSysInfo, lblDescription, lblDisclaimer, lblTitle, lblVersion, Picture1,
    Line1_0, Line1_1,  // the control array Line1, index 0 and 1
};

constexpr int id(Ctl c) { return static_cast<int>(c); }

inline constexpr int kClientWidthTwips = 5940;
inline constexpr int kClientHeightTwips = 3555;

using pulvar::kBlue;  // the disclaimer's two colours
using pulvar::kRed;
inline constexpr unsigned kLineGrey = 0x808080;
inline constexpr unsigned kLineWhite = 0xFFFFFF;
// Labels the form colours black. They take the scheme's button text colour
// like the others (but the disclaimer, which has colours of its own): black
// in every ordinary scheme, light on a dark one.
inline constexpr Ctl kBlackLabels[] = {Ctl::lblDescription, Ctl::lblTitle};

// The icon's tool tip names the tool that really built this binary.
struct ToolText {
    char text[64];
};

constexpr ToolText MadeWith(const char* tool, int major) {
    ToolText out{};
    int n = 0;
    for (const char* s = "Hecho con "; *s;) out.text[n++] = *s++;
    for (const char* s = tool; *s;) out.text[n++] = *s++;
    out.text[n++] = ' ';
    char digits[12] = {};
    int d = 0;
    do {
        digits[d++] = static_cast<char>('0' + major % 10);
        major /= 10;
    } while (major > 0);
    while (d > 0) out.text[n++] = digits[--d];
    return out;
}

#if defined(__clang__)
inline constexpr ToolText kMadeWith = MadeWith("Clang", __clang_major__);
#elif defined(__GNUC__)
inline constexpr ToolText kMadeWith = MadeWith("GCC", __GNUC__);
#elif defined(_MSC_VER)
inline constexpr ToolText kMadeWith = MadeWith("Microsoft Visual C++", _MSC_VER / 100);
#else
#error "Name this compiler in the About window's tool tip."
#endif

namespace detail {
using K = Kind;
using F = FontId;
using B = Border;
constexpr int W = 0;  // directly on the window
}  // namespace detail

// Controls in tab order, which is also the creation order; the lines, drawn by
// the window itself, come last and in drawing order. A line's rc is x1, y1, x2, y2.
inline constexpr std::array<ControlRow, 10> kLayout = [] {
    using namespace detail;
    return std::array<ControlRow, 10>{{
        {id(Ctl::cmdOK), K::Button, W, {4320, 2625, 1500, 345}, kOk, F::Default, nullptr, 0, false, 0, B::None},
        {id(Ctl::picIcon), K::PictureBox, W, {240, 240, 510, 510}, "", F::Default, kMadeWith.text, 1, false, IMG_CARTON, B::Flat},
        {id(Ctl::cmdSysInfo), K::Button, W, {4320, 3075, 1485, 345}, kSysInfo, F::Default, nullptr, 2, true, 0, B::None},
        {id(Ctl::lblDescription), K::Label, W, {90, 1125, 5685, 1170}, kDescription, F::Default, nullptr, 3, false, 0, B::None},
        {id(Ctl::lblDisclaimer), K::Label, W, {240, 2625, 3870, 825}, kDisclaimer, F::Default, nullptr, 4, false, 0, B::None},
        {id(Ctl::lblTitle), K::Label, W, {1050, 120, 2805, 480}, kTitlePlaceholder, F::Sans12Bold, nullptr, 5, false, 0, B::None},
        {id(Ctl::lblVersion), K::Label, W, {1050, 660, 2805, 345}, kVersionPlaceholder, F::Sans12Bold, nullptr, 6, false, 0, B::None},
        {id(Ctl::Picture1), K::PictureBox, W, {4320, 240, 1095, 660}, "", F::Default, nullptr, 7, false, IMG_DONATE_GIF, B::None},
        {id(Ctl::Line1_1), K::Line, W, {90, 2445, 5654, 2445}, nullptr, F::Default, nullptr, -1, false, 0, B::None},
        {id(Ctl::Line1_0), K::Line, W, {105, 2460, 5654, 2460}, nullptr, F::Default, nullptr, -1, false, 0, B::None},
    }};
}();

// The two lines make an etched separator: grey above, white below.
struct LineStyle {
    int id;
    unsigned colour;
    int widthPixels;
};

inline constexpr std::array<LineStyle, 2> kLineStyles{{
    {id(Ctl::Line1_1), kLineGrey, 1},
    {id(Ctl::Line1_0), kLineWhite, 2},
}};

}  // namespace pulvar::about
