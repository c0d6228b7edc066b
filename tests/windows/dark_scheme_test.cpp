// The windows under a dark high-contrast colour scheme. Run by
// tests/e2e/dark_scheme.sh with the scheme's colours set in the prefix;
// skipped otherwise.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
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

struct Ink {
    int light = 0;  // pixels clearly lighter than the face
    int total = 0;
};

// Paints a label as it paints itself on screen, into a bitmap of its size,
// and counts how many of its pixels stand out light from a dark face.
Ink PaintedInk(HWND label) {
    RECT rc;
    GetClientRect(label, &rc);
    ScreenDc screen;
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    Owned<HBITMAP, DeleteObject> bitmap(CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
    Selection selected(dc.get(), bitmap.get());
    SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    Ink ink;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x, ++ink.total)
            if (Brightness(GetPixel(dc.get(), x, y)) > 128) ++ink.light;
    return ink;
}

TEST(DarkScheme, LabelsOfTheDefaultColourAreLightOnDark) {
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

    form.About().Show(form.Hwnd());
    AboutWindow* about = form.About().Current();
    ASSERT_NE(about, nullptr);
    testing::Pump();
    const Ink version = PaintedInk(about->Control(about::Ctl::lblVersion));
    EXPECT_GT(version.light, 0) << "lblVersion has no light text";
    // Black is these labels' own colour, not the scheme's.
    for (about::Ctl black : about::kBlackLabels)
        EXPECT_EQ(PaintedInk(about->Control(black)).light, 0) << about::id(black);
    form.About().Close();
}

}  // namespace
}  // namespace pulvar
