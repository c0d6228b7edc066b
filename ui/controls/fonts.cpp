#include "ui/controls/fonts.h"
#include "platform/gdi.h"

#include <cstdlib>
#include <iterator>

namespace pulvar {

namespace {

struct FontRow {
    FontId id;
    double points;
    int weight;
    // For text the user types, in any script: "MS Sans Serif" is a bitmap
    // font with the Western European letters only, and Windows links other
    // fonts for the scripts it lacks to its TrueType twin, never to it.
    bool anyScript;
};

constexpr FontRow kFonts[] = {
    {FontId::Sans975, 9.75, FW_NORMAL, false},   {FontId::Sans975Bold, 9.75, FW_BOLD, false},
    {FontId::Sans12Bold, 12, FW_BOLD, false},    {FontId::Sans18Bold, 18, FW_BOLD, false},
    {FontId::Sans12BoldName, 12, FW_BOLD, true}, {FontId::Default, 8.25, FW_NORMAL, false},
};
static_assert(std::size(kFonts) == FontSet::kCount);

size_t IndexOf(FontId font) {
    for (size_t i = 0; i < std::size(kFonts); ++i)
        if (kFonts[i].id == font) return i;
    return std::size(kFonts) - 1;
}

}  // namespace

void FontSet::Create(const Scale& scale) {
    for (size_t i = 0; i < std::size(kFonts); ++i) {
        const FontRow& row = kFonts[i];
        LOGFONTW lf{};
        lf.lfHeight = scale.FontHeight(row.points);
        lf.lfWeight = row.weight;
        lf.lfCharSet = row.anyScript ? DEFAULT_CHARSET : ANSI_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        // MS Sans Serif is a bitmap font drawn for 96 DPI; at any other size
        // its TrueType successor scales cleanly.
        const bool bitmapFace = scale.DrawDpi() == 96 && !row.anyScript;
        lstrcpynW(lf.lfFaceName, bitmapFace ? L"MS Sans Serif" : L"Microsoft Sans Serif", LF_FACESIZE);
        fonts_[i].reset(CreateFontIndirectW(&lf));
    }
}

HFONT FontSet::operator[](FontId font) const { return fonts_[IndexOf(font)].get(); }

int FontSet::HeightFor(FontId font, const Scale& scale) { return scale.FontHeight(kFonts[IndexOf(font)].points); }

Font MessageFont(const Scale& scale) {
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW& lf = metrics.lfMessageFont;
    if (!forDpi ||
        !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(scale.MonitorDpi()))) {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return Font();
        // Before Windows 10 1607 the metrics are those of the system's DPI.
        lf.lfHeight = MulDiv(lf.lfHeight, scale.MonitorDpi(), ScreenDpi());
    }
    // Windows has already grown its message font by the user's text size, as
    // in its own message boxes: it is not grown again. Where the system's
    // font does not follow the text size (Wine), the layout's own small text
    // at the window's scale is the least a tip gets.
    const int least = scale.FontHeight(kFonts[IndexOf(FontId::Default)].points);
    if (std::abs(lf.lfHeight) < std::abs(least)) lf.lfHeight = least;
    return Font(CreateFontIndirectW(&lf));
}

Font CondensedToFit(HDC dc, const std::wstring& caption, HFONT font, RECT box, bool wraps) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    auto fits = [&](HFONT f, TEXTMETRICW* tm) {
        Selection selected(dc, f);
        RECT rc{0, 0, width, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc,
                  DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        if (tm) GetTextMetricsW(dc, tm);
        return wraps ? rc.bottom <= height : rc.right <= width;
    };
    if (fits(font, nullptr)) return Font();
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    lf.lfWidth = 0;
    Font natural(CreateFontIndirectW(&lf));
    TEXTMETRICW tm{};
    fits(natural.get(), &tm);
    for (int average = tm.tmAveCharWidth; average > 0 && average * 3 >= tm.tmAveCharWidth * 2; --average) {
        lf.lfWidth = average;
        Font condensed(CreateFontIndirectW(&lf));
        if (fits(condensed.get(), nullptr)) return condensed;
    }
    return Font();
}

}  // namespace pulvar
