// The windows under a dark high-contrast colour scheme: set in the prefix
// before they start (run by tests/e2e/dark_scheme.sh, skipped otherwise), or
// switched to while they run.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fakes.h"
#include "platform/gdi.h"
#include "platform/text.h"
#include "ui/about/about_window.h"
#include "ui/main/main_window.h"

namespace pulvar {
namespace {

bool SchemeIsDark() {
    const char* value = std::getenv("PULVAR_EXPECT_DARK_SCHEME");
    return value && std::string(value) == "1";
}

int Brightness(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

bool StandsOutFromADarkFace(COLORREF c) { return Brightness(c) > 128; }

// Whether each pixel of a control, painted as it paints itself on screen,
// stands out light from a dark face (or is lit as told); row by row.
using LightMap = std::vector<std::vector<bool>>;

LightMap PaintedLight(HWND control, bool (*lit)(COLORREF) = StandsOutFromADarkFace) {
    RECT rc;
    GetClientRect(control, &rc);
    ScreenDc screen;
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    Owned<HBITMAP, DeleteObject> bitmap(CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
    Selection selected(dc.get(), bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    LightMap light(static_cast<size_t>(rc.bottom), std::vector<bool>(static_cast<size_t>(rc.right)));
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            light[static_cast<size_t>(y)][static_cast<size_t>(x)] = lit(GetPixel(dc.get(), x, y));
    return light;
}

int Count(const std::vector<bool>& row) { return static_cast<int>(std::count(row.begin(), row.end(), true)); }

struct Ink {
    int light = 0;  // pixels clearly lighter than the face
    int total = 0;
};

Ink PaintedInk(HWND label) {
    Ink ink;
    for (const std::vector<bool>& row : PaintedLight(label)) {
        ink.light += Count(row);
        ink.total += static_cast<int>(row.size());
    }
    return ink;
}

// A frame's caption: the band at its top as high as its font, less the
// frame's own lines (the top one runs through the band, the sides at its
// ends), which are light in any scheme.
int CaptionInk(HWND frame) {
    ScreenDc screen;
    Selection font(screen.get(), reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    LightMap light = PaintedLight(frame);
    const size_t band = std::min(light.size(), static_cast<size_t>(tm.tmHeight));
    size_t line = 0;
    for (size_t y = 0; y < band; ++y)
        if (Count(light[y]) > Count(light[line])) line = y;
    int ink = 0;
    for (size_t y = 0; y < band; ++y) {
        if (y + 1 >= line && y <= line + 1) continue;
        const std::vector<bool>& row = light[y];
        if (row.size() > 8) ink += static_cast<int>(std::count(row.begin() + 4, row.end() - 4, true));
    }
    return ink;
}

// The plus sign of Command6, inside the button's edges (which are light in
// any scheme).
int PlusSignInk(HWND button) {
    const LightMap light = PaintedLight(button);
    int ink = 0;
    for (size_t y = 4; y + 4 < light.size(); ++y)
        ink += static_cast<int>(std::count(light[y].begin() + 4, light[y].end() - 4, true));
    return ink;
}

COLORREF TextColour(HWND window, HWND label) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(label));
    return GetTextColor(dc.get());
}

TEST(DarkScheme, TextAndThePlusSignAreLightOnDark) {
    if (!SchemeIsDark()) GTEST_SKIP() << "run by tests/e2e/dark_scheme.sh";
    ASSERT_LT(Brightness(GetSysColor(COLOR_BTNFACE)), 64) << "the prefix does not have the dark scheme";
    ASSERT_GT(Brightness(GetSysColor(COLOR_BTNTEXT)), 192);
    testing::TestServices t;
    MainWindow form(t.services);
    ASSERT_TRUE(form.Create(SW_SHOW));
    testing::Pump();
    for (const ControlRow& row : form1::kLayout) {
        if (row.kind != Kind::Label || !row.caption || !*row.caption) continue;
        const Ink ink = PaintedInk(form.Controls()[row.id]);
        EXPECT_GT(ink.light, 0) << "Form1 label " << row.caption << " has no light text";
        EXPECT_LT(ink.light * 2, ink.total) << "Form1 label " << row.caption << " is not dark behind its text";
    }
    for (form1::Ctl frame : {form1::Ctl::Frame1, form1::Ctl::Frame2})
        EXPECT_GT(CaptionInk(form.Control(frame)), 0) << "frame " << form1::id(frame) << " has no light caption";
    EXPECT_GT(PlusSignInk(form.Control(form1::Ctl::Command6)), 0) << "the plus sign is not light";

    form.About().Show(form.Hwnd());
    AboutWindow* about = form.About().Current();
    ASSERT_NE(about, nullptr);
    testing::Pump();
    const Ink version = PaintedInk(about->Control(about::Ctl::lblVersion));
    EXPECT_GT(version.light, 0) << "lblVersion has no light text";
    for (about::Ctl black : about::kBlackLabels)
        EXPECT_GT(PaintedInk(about->Control(black)).light, 0) << about::id(black) << " has no light text";
    form.About().Close();
}

// Puts the given system colours in place for a test, and the old ones back.
class SchemeForTest {
public:
    SchemeForTest(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(std::move(elements)) {
        for (int e : elements_) saved_.push_back(GetSysColor(e));
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
    }
    ~SchemeForTest() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data()); }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> saved_;
};

// The user switches to a dark high-contrast scheme while both windows are
// open. Wine never reports high contrast on, so the seam does.
TEST(DarkScheme, ASchemeChangeWhileRunningIsFollowed) {
    testing::TestServices t;
    MainWindow form(t.services);
    ASSERT_TRUE(form.Create(SW_SHOW));
    form.About().Show(form.Hwnd());
    AboutWindow* about = form.About().Current();
    ASSERT_NE(about, nullptr);
    testing::Pump();
    HWND disclaimer = about->Control(about::Ctl::lblDisclaimer);
    ASSERT_EQ(TextColour(about->Hwnd(), disclaimer), about::kBlue);

    const COLORREF link = RGB(255, 255, 0), highlight = RGB(0, 255, 255);
    {
        SchemeForTest dark({COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HOTLIGHT, COLOR_HIGHLIGHT},
                           {RGB(0, 0, 0), RGB(255, 255, 255), link, highlight});
        t.appearance.highContrast = true;
        SendMessageW(about->Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        testing::Pump();
        EXPECT_EQ(TextColour(about->Hwnd(), disclaimer), link);
        about->lblDisclaimer_MouseMove();
        EXPECT_EQ(TextColour(about->Hwnd(), disclaimer), highlight);
        for (about::Ctl black : about::kBlackLabels)
            EXPECT_GT(PaintedInk(about->Control(black)).light, 0) << about::id(black) << " has no light text";
        // The button keeps its visual style's face here, so the sign's
        // middle is looked at: it is in the scheme's text colour.
        const LightMap plus = PaintedLight(form.Control(form1::Ctl::Command6),
                                           [](COLORREF c) { return c == GetSysColor(COLOR_BTNTEXT); });
        ASSERT_FALSE(plus.empty());
        EXPECT_TRUE(plus[plus.size() / 2][plus[0].size() / 2]) << "the plus sign is not in the text colour";
    }
    t.appearance.highContrast = false;
    SendMessageW(about->Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(TextColour(about->Hwnd(), disclaimer), about::kRed);
    about->Form_MouseMove();
    EXPECT_EQ(TextColour(about->Hwnd(), disclaimer), about::kBlue);
    form.About().Close();
}

}  // namespace
}  // namespace pulvar
