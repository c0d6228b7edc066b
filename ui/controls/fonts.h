// The layouts' fonts at one scale, the tooltip's, and fitting a caption into its box.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "ui/controls/dpi.h"
#include "ui/controls/owners.h"
#include "ui/layout.h"

namespace pulvar {

class FontSet {
public:
    static constexpr size_t kCount = 6;  // one per FontId

    // Every font of the table at the given scale.
    void Create(const Scale& scale);
    HFONT operator[](FontId font) const;
    // The font's CreateFont height at the given scale.
    static int HeightFor(FontId font, const Scale& scale);

private:
    std::array<Font, kCount> fonts_;  // in the order of the font table
};

// The system's message font (the one tooltips use) at the monitor's DPI, as
// the system sizes it for the user's text size, and never smaller than the
// layout's own small text at the scale.
Font MessageFont(const Scale& scale);

// The layout was drawn with a slightly narrower MS Sans Serif than some
// systems have. A fixed caption that would be clipped (a one-line box) or need
// more lines than its box holds (a wrapping one) gets a TrueType face
// condensed just enough to fit, never below two thirds of its natural width.
// Empty when the caption fits in font as it is, or in nothing allowed.
Font CondensedToFit(HDC dc, const std::wstring& caption, HFONT font, RECT box, bool wraps);

}  // namespace pulvar
