// The windows at the screen's own DPI as Windows reports it at start, and at
// the user's text size. Run by tests/e2e/high_dpi.sh with the screen set to
// 144 DPI, then at 96 DPI with the text size at 150 % and at 225 %; skipped
// otherwise.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fakes.h"
#include "platform/registry.h"
#include "ui/controls/window_text.h"
#include "ui/about/about_window.h"
#include "ui/controls/dpi.h"
#include "ui/main/main_window.h"

namespace pulvar {
namespace {

using form1::Ctl;
using testing::FontHeight;

int Expected(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}
int ExpectedDpi() { return Expected("PULVAR_EXPECT_DPI"); }

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
    EXPECT_EQ(FontHeight(form.Control(Ctl::Label9)), -36);  // 18 pt

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

// The text size as a registry holds it: a value of some type and size, or none.
class TextSizeRegistry : public Registry {
public:
    long Open(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey* key) override {
        opened.push_back(path + (root == RegistryRoot::CurrentUser ? " HKCU " : " HKLM ") + std::to_string(access));
        *key = RegistryKey(*this, this);
        return kRegistryOk;
    }
    long Query(const RegistryKey&, const std::string& name, std::uint32_t* type, unsigned char* buffer,
               std::uint32_t* size) override {
        if (name != "TextScaleFactor" || !present) return kRegistryNotFound;
        *type = valueType;
        std::memcpy(buffer, &value, std::min<std::uint32_t>(*size, valueSize));
        *size = valueSize;
        return kRegistryOk;
    }
    void Close(void*) override {}

    bool present = true;
    std::uint32_t valueType = REG_DWORD, valueSize = 4;
    DWORD value = 100;
    std::vector<std::string> opened;
};

TEST(TextSize, OutOfRangeOrUnreadableCountsAsTheNearestSizeOr100) {
    struct Case {
        bool present;
        std::uint32_t type, size;
        DWORD value;
        int percent;
    } cases[] = {
        {true, REG_DWORD, 4, 150, 150}, {true, REG_DWORD, 4, 225, 225}, {true, REG_DWORD, 4, 226, 225},
        {true, REG_DWORD, 4, 99, 100},  {true, REG_DWORD, 4, 0, 100},   {false, REG_DWORD, 4, 150, 100},
        {true, REG_SZ, 4, 150, 100},    {true, REG_DWORD, 2, 150, 100},
    };
    for (const Case& c : cases) {
        TextSizeRegistry registry;
        registry.present = c.present;
        registry.valueType = c.type;
        registry.valueSize = c.size;
        registry.value = c.value;
        EXPECT_EQ(TextScalePercent(registry), c.percent) << c.value << " " << c.type << " " << c.size;
        EXPECT_EQ(registry.opened, std::vector<std::string>{"Software\\Microsoft\\Accessibility HKCU 1"});
    }
}

SIZE ClientSize(HWND window) {
    RECT rc{};
    GetClientRect(window, &rc);
    return {rc.right, rc.bottom};
}

bool InsideWorkArea(HWND window) {
    RECT frame{}, inside{};
    GetWindowRect(window, &frame);
    const RECT work = WorkAreaNear(window);
    return IntersectRect(&inside, &frame, &work) && EqualRect(&inside, &frame);
}

// Windows' text size, as the settings page writes it and tells every window.
void ApplyTextSize(DWORD percent) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, L"TextScaleFactor", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&percent), sizeof percent);
    RegCloseKey(key);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Accessibility"),
                        SMTO_ABORTIFHUNG, 2000, &result);
}

TEST(HighDpi, BothWindowsFollowTheTextSize) {
    const int percent = Expected("PULVAR_EXPECT_TEXT");
    if (percent == 0 || ScreenDpi() != 96) GTEST_SKIP() << "run by tests/e2e/high_dpi.sh";
    ASSERT_EQ(TextScalePercent(RealRegistry()), percent);
    testing::TestServices t;
    MainWindow form(t.services);
    ASSERT_TRUE(form.Create(SW_SHOW));
    form.About().Show(form.Hwnd());
    AboutWindow* about = form.About().Current();
    ASSERT_NE(about, nullptr);
    const SIZE main = ClientSize(form.Hwnd()), box = ClientSize(about->Hwnd());
    std::printf("text size %d %%: main window client %ldx%ld, About %ldx%ld, screen %dx%d\n", percent, main.cx,
                main.cy, box.cx, box.cy, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(InsideWorkArea(form.Hwnd()));
    EXPECT_TRUE(InsideWorkArea(about->Hwnd()));
    if (percent == 225) {
        // Too large for the screen at full size: the largest that fits.
        EXPECT_GT(main.cx, 930);
        EXPECT_LT(main.cx, 1395);
        EXPECT_EQ(box.cx, 891);  // the About window fits in full
        EXPECT_EQ(box.cy, 533);
        return;
    }
    ASSERT_EQ(percent, 150);
    EXPECT_NEAR(main.cx, 930, 2);
    EXPECT_NEAR(main.cy, 540, 2);
    EXPECT_NEAR(box.cx, 594, 2);
    EXPECT_NEAR(box.cy, 356, 2);
    EXPECT_EQ(FontHeight(form.Control(Ctl::Label9)), -36);  // 18 pt at 144 DPI

    // Back to 100 % while the program runs: what the user typed, the focus
    // and each window's corner stay; every control takes its 96 DPI place.
    SetWindowTextW(form.Control(Ctl::Text1), L"Ana");
    SetFocus(form.Control(Ctl::Text2));
    RECT aboutBefore{};
    GetWindowRect(about->Hwnd(), &aboutBefore);
    const int tipFont = FontHeight(form.Controls().Tooltip());
    ApplyTextSize(100);
    EXPECT_EQ(ClientSize(form.Hwnd()).cx, 620);
    EXPECT_EQ(ClientSize(form.Hwnd()).cy, 360);
    EXPECT_EQ(ClientSize(about->Hwnd()).cx, 396);
    EXPECT_EQ(ClientSize(about->Hwnd()).cy, 237);
    RECT aboutAfter{};
    GetWindowRect(about->Hwnd(), &aboutAfter);
    EXPECT_EQ(aboutAfter.left, aboutBefore.left);
    EXPECT_EQ(aboutAfter.top, aboutBefore.top);
    EXPECT_EQ(GetFocus(), form.Control(Ctl::Text2));
    EXPECT_EQ(WindowTextUtf8(form.Control(Ctl::Text1)), "Ana");
    EXPECT_NEAR(FontHeight(form.Controls().Tooltip()) * 3, tipFont * 2, 3);
    std::map<HWND, RECT> at100;
    for (HWND window : {form.Hwnd(), about->Hwnd()})
        for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) at100[c] = PlaceOf(c, window);

    // And to 150 % again, from the screen's bottom-right corner: the window
    // grows, and stays on the screen.
    const RECT work = WorkAreaNear(form.Hwnd());
    RECT frame{};
    GetWindowRect(form.Hwnd(), &frame);
    SetWindowPos(form.Hwnd(), nullptr, work.right - (frame.right - frame.left),
                 work.bottom - (frame.bottom - frame.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyTextSize(150);
    EXPECT_TRUE(InsideWorkArea(form.Hwnd()));
    EXPECT_EQ(ClientSize(form.Hwnd()).cx, main.cx);
    EXPECT_EQ(ClientSize(about->Hwnd()).cy, box.cy);
    EXPECT_EQ(FontHeight(form.Controls().Tooltip()), tipFont);
    ApplyTextSize(150);  // a setting that changes nothing here
    EXPECT_EQ(FontHeight(form.Controls().Tooltip()), tipFont);
    for (const auto& [control, rc] : at100) {
        const RECT now = PlaceOf(control, GetParent(control));
        EXPECT_NEAR(now.left, rc.left * 3 / 2, 2) << GetDlgCtrlID(control);
        EXPECT_NEAR(now.top, rc.top * 3 / 2, 2) << GetDlgCtrlID(control);
        EXPECT_NEAR(now.right - now.left, (rc.right - rc.left) * 3 / 2, 2) << GetDlgCtrlID(control);
        EXPECT_NEAR(now.bottom - now.top, (rc.bottom - rc.top) * 3 / 2, 2) << GetDlgCtrlID(control);
    }
    form.About().Close();
}

}  // namespace
}  // namespace pulvar
