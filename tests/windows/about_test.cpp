// frmAbout driven the way a user drives it: clicks, pointer moves and keys
// sent as messages to the real window, with a recording shell and message box.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/owned.h"
#include "platform/text.h"
#include "tests/windows/fakes.h"
#include "ui/about/about_layout.h"
#include "ui/about/about_window.h"
#include "ui/controls/dpi.h"
#include "ui/controls/picture_box.h"
#include "ui/controls/window_text.h"
#include "ui/main/main_window.h"

namespace pulvar {
namespace {

using about::Ctl;
using testing::Pump;
using testing::TestServices;

constexpr char kCredit[] = "Autor: Dr. Nombre Apellido Ejemplo. C.M.P. 00000 c. electrònico: autor@example.org";
constexpr char kSite[] = "http://www.example.org";
constexpr char kDonation[] =
    "https://www.paypal.com/xclick/business=autor%40example.org&no_shipping=0&no_note=1&tax=0&currency_code=USD";

// ------------------------------------------------------------- table and texts

TEST(AboutLayout, RowsKeepTheTableRules) {
    std::set<int> ids;
    int nextTab = 0;
    bool linesStarted = false;
    for (const ControlRow& row : about::kLayout) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_EQ(row.container, 0) << row.id;
        if (row.kind == Kind::Line) {
            linesStarted = true;
            EXPECT_EQ(row.tab, -1) << row.id;
            continue;
        }
        EXPECT_FALSE(linesStarted) << "controls before lines, in tab order: " << row.id;
        EXPECT_EQ(row.tab, nextTab++) << row.id;
        // Inside the client area at 96 dpi.
        EXPECT_LE(TwipsToPixels(row.rc.left + row.rc.width, 96), 396) << row.id;
        EXPECT_LE(TwipsToPixels(row.rc.top + row.rc.height, 96), 237) << row.id;
    }
    EXPECT_EQ(nextTab, 8);
    for (const about::LineStyle& style : about::kLineStyles) EXPECT_TRUE(ids.count(style.id)) << style.id;
}

TEST(AboutLayout, PixelSizesAt96And120Dpi) {
    struct Case {
        int widthTwips, heightTwips, dpi, widthPx, heightPx;
    } cases[] = {
        {about::kClientWidthTwips, about::kClientHeightTwips, 96, 396, 237},
        {about::kClientWidthTwips, about::kClientHeightTwips, 120, 495, 296},
        {1095, 660, 96, 73, 44},  // Picture1: the GIF's own size
        {510, 510, 96, 34, 34},   // picIcon: a 32x32 icon inside a one-pixel border
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.widthTwips, c.dpi), c.widthPx) << c.widthTwips << " at " << c.dpi;
        EXPECT_EQ(TwipsToPixels(c.heightTwips, c.dpi), c.heightPx) << c.heightTwips << " at " << c.dpi;
    }
}

TEST(AboutTexts, ExactCharacters) {
    const std::string description = about::kDescription;
    EXPECT_EQ(description.size(), 446u);
    EXPECT_NE(description.find("Arterial      Esta"), std::string::npos);
    EXPECT_NE(description.find("sin  tener"), std::string::npos);
    EXPECT_NE(description.find("anos , esta"), std::string::npos);
    EXPECT_NE(description.find("Vision , rinones"), std::string::npos);
    EXPECT_NE(description.find("casos,debemos"), std::string::npos);
    EXPECT_NE(description.find("de la  \"Presion Sanguinea\" por"), std::string::npos);

    std::string unquoted = description;
    unquoted.erase(std::remove(unquoted.begin(), unquoted.end(), '"'), unquoted.end());
    EXPECT_EQ(unquoted, about::kDescriptionUnquoted);
    EXPECT_EQ(unquoted.size(), 444u);

    EXPECT_EQ(std::string(about::kDisclaimer),
              "Advertencia: Este programa ha sido migrado del Lenguaje Visual Basic  Por lo tanto pueden haber "
              "errores en la ejecuciòn del programa. La pròxima versiòn serà completamente nuevo còdigo y guardarà "
              "datos.");
    EXPECT_EQ(about::CreditLine(), kCredit);
    EXPECT_EQ(about::SiteAddress(), kSite);
    EXPECT_EQ(about::DonationAddress(), kDonation);
#if defined(__GNUC__) && !defined(__clang__)
    EXPECT_EQ(std::string(about::kMadeWith.text), "Hecho con GCC " + std::to_string(__GNUC__));
#endif
}

// ------------------------------------------------------------------ the window

COLORREF TextColour(AboutWindow& about, Ctl label) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SendMessageW(about.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(about.Control(label)));
    return GetTextColor(dc.get());
}

bool Shown(AboutWindow& about, Ctl c) { return (GetWindowLongW(about.Control(c), GWL_STYLE) & WS_VISIBLE) != 0; }

std::string Text(AboutWindow& about, Ctl c) { return WindowTextUtf8(about.Control(c)); }

void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void MoveOver(HWND hwnd) { SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }

// Hands a key to the dialog manager the way the program's message loop does.
bool DialogKey(HWND window, HWND focus, UINT message, WPARAM key) {
    MSG msg{focus, message, key, 1, 0, {}};
    return IsDialogMessageW(window, &msg) != FALSE;
}

int AboutWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM counter) {
            wchar_t cls[32] = {};
            GetClassNameW(hwnd, cls, 32);
            if (lstrcmpW(cls, L"PulvarAbout") == 0 && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class About : public ::testing::Test {
protected:
    void TearDown() override {
        slot_.Close();
        Pump();
        EXPECT_EQ(slot_.Current(), nullptr);
    }
    AboutWindow& Open() {
        slot_.Show();
        Pump();
        AboutWindow* about = slot_.Current();
        EXPECT_NE(about, nullptr);
        return *about;
    }
    // The state every new About window starts in.
    static void ExpectStartState(AboutWindow& about) {
        EXPECT_EQ(WindowTextUtf8(about.Hwnd()), "Acerca de PULVAR");
        EXPECT_EQ(Text(about, Ctl::lblTitle), "PULVAR");
        EXPECT_EQ(Text(about, Ctl::lblVersion), "Versión 1.0.4");
        EXPECT_EQ(Text(about, Ctl::lblDescription), about::kDescription);
        EXPECT_EQ(Text(about, Ctl::lblDisclaimer), about::kDisclaimer);
        EXPECT_EQ(Text(about, Ctl::cmdOK), "Aceptar");
        EXPECT_EQ(Text(about, Ctl::cmdSysInfo), "&Info. del sistema...");
        EXPECT_FALSE(Shown(about, Ctl::cmdSysInfo));
        EXPECT_EQ(TextColour(about, Ctl::lblDisclaimer), about::kBlue);
        EXPECT_EQ(TextColour(about, Ctl::lblDescription), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(GetFocus(), about.Control(Ctl::cmdOK));
    }
    TestServices fakes_;
    AboutSlot slot_{fakes_.services};
};

TEST_F(About, StartsWithTheCaptionsOfFormLoad) { ExpectStartState(Open()); }

TEST_F(About, OneWindowHoweverOftenItIsShown) {
    AboutWindow& first = Open();
    HWND hwnd = first.Hwnd();
    // Another top-level window comes in front; showing again brings About back.
    HWND other = CreateWindowExW(0, L"Static", L"otra", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    slot_.Show();
    Pump();
    EXPECT_EQ(slot_.Current(), &first);
    EXPECT_EQ(slot_.Current()->Hwnd(), hwnd);
    EXPECT_EQ(AboutWindowsOfThisThread(), 1);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    DestroyWindow(other);
}

TEST_F(About, FixedDialogFrameCentredOutOfTheTaskbar) {
    AboutWindow& about = Open();
    const LONG style = GetWindowLongW(about.Hwnd(), GWL_STYLE);
    const LONG exStyle = GetWindowLongW(about.Hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(exStyle & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    EXPECT_EQ(GetMenu(about.Hwnd()), nullptr);
    // An owner keeps it out of the taskbar; a hidden one keeps it independent.
    HWND owner = GetWindow(about.Hwnd(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));

    RECT client{}, frame{};
    GetClientRect(about.Hwnd(), &client);
    GetWindowRect(about.Hwnd(), &frame);
    EXPECT_EQ(client.right, about.Scaling().Twips(about::kClientWidthTwips));
    EXPECT_EQ(client.bottom, about.Scaling().Twips(about::kClientHeightTwips));
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    EXPECT_NE(SendMessageW(about.Hwnd(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(about.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_TRUE(GetWindowLongW(about.Control(Ctl::cmdOK), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // The icon's tool tip names the tool that built this binary.
    wchar_t tip[80] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = about.Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(about.Control(Ctl::picIcon));
    ti.lpszText = tip;
    SendMessageW(about.Controls().Tooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(Narrow(tip), about::kMadeWith.text);
}

// Lines a label needs for its text in its own font, against the lines its box holds.
struct Fit {
    int neededHeight, boxHeight, averageWidth, layoutAverageWidth;
};

Fit MeasureLabel(AboutWindow& about, Ctl label) {
    HWND hwnd = about.Control(label);
    const std::wstring text = WindowTextW(hwnd);
    RECT box{};
    GetClientRect(hwnd, &box);
    const bool wraps = (GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
    ScreenDc window(hwnd);
    HDC dc = window.get();
    auto measure = [&](HFONT font, RECT* rc) {
        Selection selected(dc, font);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), rc,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        return static_cast<int>(tm.tmAveCharWidth);
    };
    RECT needed{0, 0, box.right, 0}, unused{0, 0, box.right, 0};
    Fit fit{};
    fit.averageWidth = measure(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), &needed);
    fit.layoutAverageWidth = measure(about.Controls().FontFor(about.Controls().Row(about::id(label))->font), &unused);
    fit.neededHeight = needed.bottom;
    fit.boxHeight = box.bottom;
    EXPECT_LE(needed.right, box.right) << "wider than its box: " << Narrow(text);
    return fit;
}

TEST_F(About, EveryLabelShowsItsWholeTextReadably) {
    AboutWindow& about = Open();
    auto check = [&about](Ctl label, const char* state) {
        Fit fit = MeasureLabel(about, label);
        EXPECT_LE(fit.neededHeight, fit.boxHeight) << about::id(label) << " " << state;
        EXPECT_GE(fit.averageWidth * 3, fit.layoutAverageWidth * 2) << about::id(label) << " " << state;
    };
    for (Ctl label : {Ctl::lblTitle, Ctl::lblVersion, Ctl::lblDescription, Ctl::lblDisclaimer}) check(label, "start");
    MoveOver(about.Control(Ctl::lblDisclaimer));
    check(Ctl::lblDescription, "credit");
    about.picIcon_Click();
    check(Ctl::lblDescription, "unquoted");
}

std::vector<COLORREF> PaintDonation(AboutWindow& about, COLORREF back, bool throughControl, SIZE size);

// How far the donation picture reaches into its box, painted as the box paints it.
SIZE DonationExtent(AboutWindow& about) {
    RECT box{};
    GetClientRect(about.Control(Ctl::Picture1), &box);
    const std::vector<COLORREF> pixels = PaintDonation(about, RGB(255, 0, 255), true, {box.right, box.bottom});
    SIZE extent{0, 0};
    for (int y = 0; y < box.bottom; ++y)
        for (int x = 0; x < box.right; ++x)
            if (pixels[static_cast<size_t>(y * box.right + x)] != GetSysColor(COLOR_BTNFACE)) {
                extent.cx = std::max<LONG>(extent.cx, x + 1);
                extent.cy = std::max<LONG>(extent.cy, y + 1);
            }
    return extent;
}

TEST_F(About, FollowsTheDpiOfItsMonitor) {
    AboutWindow& about = Open();
    const SIZE picture96 = DonationExtent(about);
    ASSERT_GT(picture96.cx, 0);
    SendMessageW(about.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.Control(Ctl::Picture1)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));  // the hand is the pointer
    for (int dpi : {120, 144, 96}) {
        SCOPED_TRACE(dpi);
        RECT suggested{10, 20, 600, 500};
        SendMessageW(about.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT client{}, frame{};
        GetClientRect(about.Hwnd(), &client);
        GetWindowRect(about.Hwnd(), &frame);
        EXPECT_EQ(client.right, TwipsToPixels(about::kClientWidthTwips, dpi));
        EXPECT_EQ(client.bottom, TwipsToPixels(about::kClientHeightTwips, dpi));
        EXPECT_EQ(frame.left, 10);
        EXPECT_EQ(frame.top, 20);
        RECT ok{};
        GetWindowRect(about.Control(Ctl::cmdOK), &ok);
        MapWindowPoints(nullptr, about.Hwnd(), reinterpret_cast<POINT*>(&ok), 2);
        EXPECT_EQ(ok.left, TwipsToPixels(4320, dpi));
        EXPECT_EQ(ok.right - ok.left, TwipsToPixels(1500, dpi));
        for (Ctl label : {Ctl::lblDescription, Ctl::lblDisclaimer}) {
            Fit fit = MeasureLabel(about, label);
            EXPECT_LE(fit.neededHeight, fit.boxHeight) << about::id(label);
            EXPECT_GE(fit.averageWidth * 3, fit.layoutAverageWidth * 2) << about::id(label);
        }
        // The donation picture grows with its box.
        const SIZE picture = DonationExtent(about);
        EXPECT_NEAR(picture.cx, ScalePx(picture96.cx, dpi), 2);
        EXPECT_NEAR(picture.cy, ScalePx(picture96.cy, dpi), 2);
        // So do the hand over it, still the pointer, its hot spot on the
        // fingertip, and the icons, at the system's sizes for the DPI.
        ASSERT_EQ(GetCursor(), about.HandCursor());
        ICONINFO hand{};
        ASSERT_TRUE(GetIconInfo(GetCursor(), &hand));
        Owned<HBITMAP, DeleteObject> mask(hand.hbmMask), colour(hand.hbmColor);
        BITMAP bm{};
        GetObjectW(hand.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, ScalePx(32, dpi));
        EXPECT_EQ(hand.xHotspot, static_cast<DWORD>(ScalePx(12, dpi)));
        EXPECT_EQ(hand.yHotspot, static_cast<DWORD>(ScalePx(1, dpi)));
        const int big = ScalePx(32, dpi), small = ScalePx(16, dpi);
        EXPECT_EQ(testing::ImageWidth(reinterpret_cast<HICON>(SendMessageW(about.Hwnd(), WM_GETICON, ICON_BIG, 0))), big);
        EXPECT_EQ(testing::ImageWidth(reinterpret_cast<HICON>(SendMessageW(about.Hwnd(), WM_GETICON, ICON_SMALL, 0))), small);
        EXPECT_EQ(testing::ImageWidth(PictureBox(about.Control(Ctl::picIcon)).BigIcon()), big);
    }
}

TEST_F(About, PointerOverTheDisclaimerShowsTheCreditUntilTheBareSurface) {
    AboutWindow& about = Open();
    struct Step {
        Ctl over;  // None: the window's own surface
        COLORREF colour;
        const char* description;
    } steps[] = {
        {Ctl::None, about::kBlue, about::kDescription},
        {Ctl::cmdOK, about::kBlue, about::kDescription},
        {Ctl::lblDisclaimer, about::kRed, kCredit},
        {Ctl::lblDescription, about::kRed, kCredit},
        {Ctl::picIcon, about::kRed, kCredit},
        {Ctl::Picture1, about::kRed, kCredit},
        {Ctl::None, about::kBlue, kCredit},
        {Ctl::lblTitle, about::kBlue, kCredit},
        {Ctl::lblDisclaimer, about::kRed, kCredit},
        {Ctl::None, about::kBlue, kCredit},
    };
    int n = 0;
    for (const Step& step : steps) {
        MoveOver(step.over == Ctl::None ? about.Hwnd() : about.Control(step.over));
        EXPECT_EQ(TextColour(about, Ctl::lblDisclaimer), step.colour) << "step " << n;
        EXPECT_EQ(Text(about, Ctl::lblDescription), step.description) << "step " << n;
        ++n;
    }
}

TEST_F(About, IconClickPutsTheDescriptionBackWithoutQuotes) {
    AboutWindow& about = Open();
    MoveOver(about.Control(Ctl::lblDisclaimer));
    Click(about.Control(Ctl::picIcon));
    EXPECT_EQ(Text(about, Ctl::lblDescription), about::kDescriptionUnquoted);
    EXPECT_EQ(TextColour(about, Ctl::lblDisclaimer), about::kRed);
    EXPECT_TRUE(fakes_.shell.opened.empty());
}

// The shell is called in a single-threaded apartment, as it needs for
// browsers and associations that run through COM.
void ExpectOpenedInSingleThreadedApartment(const std::vector<int>& apartments) {
    ASSERT_EQ(apartments.size(), 1u);
    EXPECT_EQ(apartments[0], testing::FakeShell::kInSingleThreaded) << "0: none, 2: multithreaded";
}

TEST_F(About, DisclaimerClickRevealsSysInfoAndOpensTheSite) {
    AboutWindow& about = Open();
    Click(about.Control(Ctl::lblDisclaimer));
    EXPECT_TRUE(Shown(about, Ctl::cmdSysInfo));
    ASSERT_EQ(fakes_.shell.opened, std::vector<std::string>{kSite});
    EXPECT_EQ(fakes_.shell.owners[0], about.Hwnd());
    ExpectOpenedInSingleThreadedApartment(fakes_.shell.apartments);
    // It stays for the window's lifetime.
    MoveOver(about.Hwnd());
    Click(about.Control(Ctl::picIcon));
    EXPECT_TRUE(Shown(about, Ctl::cmdSysInfo));
}

TEST_F(About, DonationPictureOpensTheDonationPage) {
    AboutWindow& about = Open();
    Click(about.Control(Ctl::Picture1));
    ASSERT_EQ(fakes_.shell.opened, std::vector<std::string>{kDonation});
    EXPECT_EQ(fakes_.shell.owners[0], about.Hwnd());
    ExpectOpenedInSingleThreadedApartment(fakes_.shell.apartments);
}

TEST_F(About, TabVisitsTheButtonsAndPicturesInOrder) {
    AboutWindow& about = Open();
    auto cycle = [&about] {
        std::vector<Ctl> visited;
        SetFocus(about.Control(Ctl::cmdOK));
        for (int i = 0; i < 4; ++i) {
            DialogKey(about.Hwnd(), GetFocus(), WM_KEYDOWN, VK_TAB);
            visited.push_back(static_cast<Ctl>(GetDlgCtrlID(GetFocus())));
        }
        return visited;
    };
    EXPECT_EQ(cycle(), (std::vector<Ctl>{Ctl::picIcon, Ctl::Picture1, Ctl::cmdOK, Ctl::picIcon}));
    about.lblDisclaimer_Click();
    EXPECT_EQ(cycle(), (std::vector<Ctl>{Ctl::picIcon, Ctl::cmdSysInfo, Ctl::Picture1, Ctl::cmdOK}));
}

// Registry without the system-information keys.
class EmptyRegistry : public Registry {
public:
    long Open(RegistryRoot, const std::string&, std::uint32_t, RegistryKey*) override { return kRegistryNotFound; }
    long Query(const RegistryKey&, const std::string&, std::uint32_t*, unsigned char*, std::uint32_t*) override {
        return kRegistryNotFound;
    }
    void Close(void*) override {}
};

TEST_F(About, AltIOrEnterOnTheButtonStartsSysInfoOnceItIsShown) {
    EmptyRegistry registry;
    Services services{fakes_.prompt,  fakes_.clock,   fakes_.locale, fakes_.shell, fakes_.ending,
                      fakes_.services.printer, registry, fakes_.services.programs};
    AboutSlot slot(services);
    slot.Show();
    AboutWindow& about = *slot.Current();
    DialogKey(about.Hwnd(), GetFocus(), WM_SYSCHAR, 'i');
    EXPECT_TRUE(fakes_.prompt.shown.empty()) << "a hidden button has no access key";
    about.lblDisclaimer_Click();
    DialogKey(about.Hwnd(), GetFocus(), WM_SYSCHAR, 'i');
    ASSERT_EQ(fakes_.prompt.shown.size(), 1u);
    EXPECT_EQ(fakes_.prompt.shown[0].text, "La información del sistema no está disponible en este momento");
    EXPECT_EQ(fakes_.prompt.shown[0].title, "PULVAR");
    EXPECT_EQ(fakes_.prompt.shown[0].style, 0u);
    // Enter presses the button that has the focus, not Aceptar.
    SetFocus(about.Control(Ctl::cmdSysInfo));
    testing::PressKey(VK_RETURN);
    EXPECT_EQ(fakes_.prompt.shown.size(), 2u);
    ASSERT_EQ(slot.Current(), &about);
    slot.Close();  // before services goes
}

TEST_F(About, EveryWayOfClosingEndsItAndTheNextOneStartsAfresh) {
    struct Way {
        const char* name;
        void (*close)(AboutWindow&);
    } ways[] = {
        {"Aceptar", [](AboutWindow& a) { SendMessageW(a.Control(Ctl::cmdOK), BM_CLICK, 0, 0); }},
        {"Enter on Aceptar",
         [](AboutWindow& a) {
             SetFocus(a.Control(Ctl::cmdOK));
             testing::PressKey(VK_RETURN);
         }},
        {"Enter on the icon",
         [](AboutWindow& a) {
             SetFocus(a.Control(Ctl::picIcon));
             testing::PressKey(VK_RETURN);
         }},
        {"Escape", [](AboutWindow& a) { DialogKey(a.Hwnd(), GetFocus(), WM_KEYDOWN, VK_ESCAPE); }},
        {"close box", [](AboutWindow& a) { SendMessageW(a.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    const long handlesBefore = HandleCount::live;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        AboutWindow& about = Open();
        ExpectStartState(about);
        HWND hwnd = about.Hwnd();
        HWND owner = GetWindow(hwnd, GW_OWNER);
        // Change everything that can change, so afresh means afresh.
        MoveOver(about.Control(Ctl::lblDisclaimer));
        about.lblDisclaimer_Click();
        way.close(about);
        Pump();
        EXPECT_EQ(slot_.Current(), nullptr);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_FALSE(IsWindow(owner));
        EXPECT_EQ(HandleCount::live, handlesBefore) << "every image, font and cursor freed";
    }
    ExpectStartState(Open());
}

TEST_F(About, HandPointerOverTheDonationPictureOnly) {
    AboutWindow& about = Open();
    ASSERT_NE(about.HandCursor(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(about.HandCursor(), &info));
    Owned<HBITMAP, DeleteObject> mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);

    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    auto setCursor = [&](Ctl over) {
        return SendMessageW(about.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.Control(over)), hit);
    };
    EXPECT_EQ(setCursor(Ctl::Picture1), TRUE);
    EXPECT_EQ(GetCursor(), about.HandCursor());
    for (Ctl other : {Ctl::picIcon, Ctl::cmdOK, Ctl::lblDisclaimer}) EXPECT_EQ(setCursor(other), FALSE);
}

// Paints Picture1 into a bitmap whose background is `back` and returns its pixels.
std::vector<COLORREF> PaintDonation(AboutWindow& about, COLORREF back, bool throughControl, SIZE size) {
    ScreenDc screen;
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    Owned<HBITMAP, DeleteObject> bitmap(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    HDC dc = memory.get();
    Selection selected(dc, bitmap.get());
    RECT all{0, 0, size.cx, size.cy};
    SetDCBrushColor(dc, back);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (throughControl)
        SendMessageW(about.Control(Ctl::Picture1), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    else
        about.DonatePicture().Draw(dc, 0, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

TEST_F(About, DonationPictureKeepsItsTransparentColour) {
    AboutWindow& about = Open();
    ASSERT_TRUE(about.DonatePicture());
    const SIZE size = about.DonatePicture().PixelSize();
    EXPECT_EQ(size.cx, 73);
    EXPECT_EQ(size.cy, 44);
    // Transparent pixels are the ones that show whatever was beneath.
    const COLORREF magenta = RGB(255, 0, 255), green = RGB(0, 255, 0);
    std::vector<COLORREF> onMagenta = PaintDonation(about, magenta, false, size);
    std::vector<COLORREF> onGreen = PaintDonation(about, green, false, size);
    std::vector<COLORREF> control = PaintDonation(about, magenta, true, size);
    size_t transparent = 0, opaque = 0;
    for (size_t i = 0; i < onMagenta.size(); ++i) {
        if (onMagenta[i] == magenta && onGreen[i] == green) {
            ++transparent;
            // In the control they show the window's own background.
            EXPECT_EQ(control[i], GetSysColor(COLOR_BTNFACE)) << "pixel " << i;
        } else {
            ++opaque;
            EXPECT_EQ(onMagenta[i], onGreen[i]) << "pixel " << i;
            EXPECT_EQ(control[i], onMagenta[i]) << "pixel " << i;
        }
    }
    EXPECT_GT(transparent, 0u);
    EXPECT_GT(opaque, 0u);
}

TEST_F(About, MainWindowAboutButtonOpensItWithoutAnOwnerRelation) {
    MainWindow form1(fakes_.services);
    ASSERT_TRUE(form1.Create(SW_HIDE));
    SendMessageW(form1.Control(form1::Ctl::Command2), BM_CLICK, 0, 0);
    AboutWindow* about = form1.About().Current();
    ASSERT_NE(about, nullptr);
    EXPECT_NE(GetWindow(about->Hwnd(), GW_OWNER), form1.Hwnd());
    SendMessageW(form1.Control(form1::Ctl::Command2), BM_CLICK, 0, 0);
    EXPECT_EQ(form1.About().Current(), about);
}

// ------------------------------------------------------ end to end (Wine shell)

// Run by tests/e2e/about_browser.sh, which puts a stand-in browser in Wine's
// browser list and names the file it records the addresses in.
std::vector<std::string> WaitForLines(const std::string& file, size_t count) {
    std::vector<std::string> lines;
    for (int tries = 0; tries < 2000 && lines.size() < count; ++tries) {
        Sleep(10);  // the browser runs in a process of its own
        lines.clear();
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    return lines;
}

TEST(AboutBrowser, RealShellHandsBothAddressesToTheBrowser) {
    const char* enabled = std::getenv("PULVAR_E2E_BROWSER");
    const char* record = std::getenv("PULVAR_BROWSER_RECORD");
    if (!enabled || std::string(enabled) != "1" || !record) GTEST_SKIP() << "run by tests/e2e/about_browser.sh";

    AboutSlot slot(RealServices());
    slot.Show();
    AboutWindow& about = *slot.Current();
    about.lblDisclaimer_Click();
    std::vector<std::string> lines = WaitForLines(record, 1);
    about.Picture1_Click();
    lines = WaitForLines(record, 2);
    slot.Close();
    ASSERT_EQ(lines.size(), 2u);
    // The shell writes a bare host in its canonical form, with a closing
    // slash: the same page. The program's own address is checked exactly
    // with the recording shell above.
    EXPECT_EQ(lines[0], std::string(kSite) + "/");
    EXPECT_EQ(lines[1], kDonation);
}

}  // namespace
}  // namespace pulvar
