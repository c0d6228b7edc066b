// The windows at the screen's own DPI as Windows reports it at start. Run by
// tests/e2e/high_dpi.sh with the screen set to 144 DPI; skipped otherwise.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "fakes.h"
#include "ui/about/about_window.h"
#include "ui/controls/dpi.h"
#include "ui/main/main_window.h"

namespace pulvar {
namespace {

using form1::Ctl;

int ExpectedDpi() {
    const char* value = std::getenv("PULVAR_EXPECT_DPI");
    return value ? std::atoi(value) : 0;
}

RECT PlaceOf(HWND control, HWND window) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TEST(HighDpi, BothWindowsOpenScaledForTheScreen) {
    if (ExpectedDpi() != 144) GTEST_SKIP() << "run by tests/e2e/high_dpi.sh";
    ASSERT_EQ(ScreenDpi(), 144);
    testing::TestServices t;
    MainWindow form(t.services);
    ASSERT_TRUE(form.Create(SW_SHOW));
    RECT client;
    GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, 930);
    EXPECT_EQ(client.bottom, 540);
    RECT text1 = PlaceOf(form.Control(Ctl::Text1), form.Hwnd());  // 1440, 720, 3615 x 375 twips
    EXPECT_EQ(text1.left, 144);
    EXPECT_EQ(text1.top, 72);
    EXPECT_EQ(text1.right - text1.left, 362);
    EXPECT_EQ(text1.bottom - text1.top, 38);
    RECT gauge = PlaceOf(form.Control(Ctl::ProgressBar1), form.Hwnd());
    EXPECT_EQ(gauge.right - gauge.left, 278);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.Control(Ctl::Label9), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -36);  // 18 pt

    form.About().Show(form.Hwnd());
    HWND about = FindWindowW(nullptr, L"Acerca de PULVAR");
    ASSERT_NE(about, nullptr);
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 594);  // 5940 x 3555 twips
    EXPECT_EQ(client.bottom, 356);
    // Each window answers the size it takes at a DPI, so the rectangle the
    // system suggests as the DPI changes is the one it gets.
    for (HWND window : {form.Hwnd(), about}) {
        SIZE size{};
        SendMessageW(window, 0x02E4 /*WM_GETDPISCALEDSIZE*/, 144, reinterpret_cast<LPARAM>(&size));
        RECT suggested{10, 20, 10 + size.cx, 20 + size.cy}, frame{};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(window, &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
    }
    form.About().Close();
}

}  // namespace
}  // namespace pulvar
