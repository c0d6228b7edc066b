// Form1 as a user meets it: the layout on screen and "Ver Resultados".
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "core/classify.h"
#include "core/identity.h"
#include "fakes.h"
#include "form1_fixture.h"
#include "host.h"
#include "platform/text.h"
#include "res/resource.h"
#include "ui/main/main_window.h"
#include "ui/controls/picture_box.h"
#include "ui/controls/window_text.h"

namespace pulvar {
namespace {

using form1::Ctl;
using testing::Pump;

class Form1Test : public testing::Form1Fixture {
protected:
    int Gauge() const { return static_cast<int>(SendMessageW(C(Ctl::ProgressBar1), PBM_GETPOS, 0, 0)); }
    COLORREF Indicator() const { return PictureBox(C(Ctl::Picture1)).Back(); }
    HICON WindowIcon(WPARAM which = ICON_BIG) const {
        return reinterpret_cast<HICON>(SendMessageW(form.Hwnd(), WM_GETICON, which, 0));
    }
    // A control's place in the window's client area.
    RECT PlaceOf(int id) const {
        RECT rc;
        GetWindowRect(form.Controls()[id], &rc);
        MapWindowPoints(nullptr, form.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    HICON LampIcon(Ctl picture) const { return PictureBox(C(picture)).BigIcon(); }
};

TEST_F(Form1Test, TheTypicalRoad) {
    Enter("Ana María", "72", "120", "80");
    Click(Ctl::Command1);
    EXPECT_TRUE(t.prompt.shown.empty());
    EXPECT_EQ(Text(Ctl::Label6), "Ana María");
    EXPECT_EQ(Text(Ctl::Label7), "72, Completamente Normal. ");
    EXPECT_EQ(Text(Ctl::Label8), "120/80, Normal.Debe chequear su presion cada año.");
    EXPECT_EQ(Gauge(), 0);
    EXPECT_EQ(Indicator(), kGreen);
    EXPECT_EQ(WindowIcon(), LampIcon(Ctl::Picture4));
    EXPECT_EQ(form.CurrentReading().Systolic, 120);
}

// The bands and their sentences are the core's (tests/core/classify_test.cpp);
// the window shows each lamp's icon, the gauge and the colour it is given.
TEST_F(Form1Test, EachLampGivesTheWindowItsIconWithTheGaugeAndColour) {
    struct Case {
        const char* diastolic;
        int gauge;
        COLORREF colour;
        Ctl lamp;
    } cases[] = {{"115", 100, kRed, Ctl::Picture5}, {"95", 50, kYellow, Ctl::Picture3}};  // green: TheTypicalRoad
    for (const Case& c : cases) {
        Enter("x", "72", "200", c.diastolic);
        Click(Ctl::Command1);
        EXPECT_EQ(Gauge(), c.gauge) << c.diastolic;
        EXPECT_EQ(Indicator(), c.colour) << c.diastolic;
        EXPECT_EQ(WindowIcon(), LampIcon(c.lamp)) << c.diastolic;
    }
    // The lamp pictures stay hidden whatever the evaluation showed.
    for (Ctl lamp : {Ctl::Picture3, Ctl::Picture4, Ctl::Picture5}) EXPECT_FALSE(IsWindowVisible(C(lamp)));
}

// Which entries warn is the core's (tests/core/reading_test.cpp); the window
// shows the message, empties the numeric boxes and moves the focus, and reads
// numbers in the regional format.
TEST_F(Form1Test, EntryChecksAsTheUserMeetsThem) {
    struct Case {
        const char *pulse, *systolic, *diastolic;
        size_t boxes;
        bool emptied;
        const char *label7Start, *label8Start;
    } cases[] = {
        {"72 lpm", "120", "80", 1, false, "72,", "120/80,"},
        {"", "80", "120", 2, true, "0,", "0/0,"},  // muddled pressures are emptied
        {"72,5", "120", "80", 0, false, "72,5,", "120/80,"},  // comma locale
    };
    for (const Case& c : cases) {
        t.prompt.shown.clear();
        Enter("Nombre", c.pulse, c.systolic, c.diastolic);
        SetFocus(C(Ctl::Text1));
        Click(Ctl::Command1);
        ASSERT_EQ(t.prompt.shown.size(), c.boxes) << c.pulse << " " << c.systolic << "/" << c.diastolic;
        for (const auto& box : t.prompt.shown) {
            EXPECT_EQ(box.text, "Por favor introduzca datos numèricos y reales.");
            EXPECT_EQ(box.title, "PULVAR");
            EXPECT_EQ(box.style, 0u);
        }
        if (c.emptied) {
            EXPECT_EQ(Text(Ctl::Text2) + Text(Ctl::Text3) + Text(Ctl::Text4), "");
            EXPECT_EQ(GetFocus(), C(Ctl::Text2));
        } else {
            EXPECT_EQ(Text(Ctl::Text2), c.pulse);
            EXPECT_EQ(Text(Ctl::Text3), c.systolic);
        }
        EXPECT_EQ(Text(Ctl::Label6), "Nombre");  // the name is echoed in every case
        EXPECT_EQ(Text(Ctl::Label7).rfind(c.label7Start, 0), 0u) << Text(Ctl::Label7);
        EXPECT_EQ(Text(Ctl::Label8).rfind(c.label8Start, 0), 0u) << Text(Ctl::Label8);
    }
}

TEST_F(Form1Test, NamesInAnyScriptAreEchoedIntact) {
    for (const char* name : {"  José  Pérez ", "王小明", "محمد", "Zoë 😀", "A & B"}) {
        Enter(name, "72", "120", "80");
        Click(Ctl::Command1);
        EXPECT_EQ(Text(Ctl::Label6), name);
    }
}

// The font each control really draws with must hold the letters, or the name
// shows as boxes. Chinese and Arabic come from fonts Windows links in, which
// this question does not see, so only Greek and Cyrillic are asked.
TEST_F(Form1Test, NamesInGreekAndCyrillicHaveGlyphsWhereverTheNameShows) {
    ScreenDc window(form.Hwnd());
    HDC dc = window.get();
    for (Ctl c : {Ctl::Text1, Ctl::Label6}) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(C(c), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        Selection selected(dc, font);
        for (const wchar_t* name : {L"Αλέξανδρος Παπαδόπουλος", L"Дмитрий Иванович"}) {
            const int n = lstrlenW(name);
            std::vector<WORD> glyphs(static_cast<size_t>(n));
            ASSERT_EQ(GetGlyphIndicesW(dc, name, n, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS), static_cast<DWORD>(n));
            for (int i = 0; i < n; ++i)
                EXPECT_NE(glyphs[static_cast<size_t>(i)], 0xFFFF)
                    << "control " << static_cast<int>(c) << ", character " << i << " of " << Narrow(name);
        }
    }
}

// A label the layout lets run into a box, button or picture must not paint
// over it: Label1 and Label2 reach into their text boxes, Label8 into the top
// border of the colour indicator.
TEST_F(Form1Test, LabelsLieBeneathTheControlsTheyOverlap) {
    int overlaps = 0;
    for (const ControlRow& label : form1::kLayout) {
        if (label.kind != Kind::Label && label.kind != Kind::LabelCentred) continue;
        const RECT mine = PlaceOf(label.id);
        for (const ControlRow& other : form1::kLayout) {
            const bool solid = other.kind == Kind::TextBox || other.kind == Kind::Button ||
                               other.kind == Kind::PictureButton || other.kind == Kind::PictureBox;
            if (!solid || other.hidden) continue;
            RECT theirs = PlaceOf(other.id), both{};
            if (!IntersectRect(&both, &mine, &theirs)) continue;
            ++overlaps;
            Region region(CreateRectRgn(0, 0, 0, 0));
            HRGN shape = region.get();
            ASSERT_NE(GetWindowRgn(C(static_cast<Ctl>(label.id)), shape), ERROR)
                << label.id << " paints over " << other.id;
            for (POINT at : {POINT{both.left, both.top}, POINT{both.right - 1, both.bottom - 1}})
                EXPECT_FALSE(PtInRegion(shape, at.x - mine.left, at.y - mine.top))
                    << label.id << " paints over " << other.id << " at " << at.x << "," << at.y;
        }
    }
    EXPECT_GE(overlaps, 3);
}

// Counts the icons a window is given while the one it showed is already freed.
LRESULT CALLBACK CountFreedIconsReplaced(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR count) {
    if (msg == WM_SETICON && !testing::ImageWidth(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, wp, 0))))
        ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(Form1Test, MovingToA144DpiMonitorScalesEverythingAlike) {
    // A lamp lends its icon to the window.
    Type(Ctl::Text2, "72");
    Type(Ctl::Text3, "120");
    Type(Ctl::Text4, "80");
    Click(Ctl::Command1);
    const PictureBox lamp(C(Ctl::Picture4));
    ASSERT_EQ(WindowIcon(ICON_BIG), lamp.BigIcon());
    EXPECT_EQ(testing::ImageWidth(lamp.BigIcon()), 32);
    EXPECT_EQ(testing::ImageWidth(lamp.SmallIcon()), 16);
    HWND tooltip = form.Controls().Tooltip();
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 400);
    const int tipFont96 = testing::FontHeight(tooltip);

    SendMessageW(form.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(C(Ctl::Slider1)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));  // the slider's hand is the pointer
    int freedIconsReplaced = 0;
    SetWindowSubclass(form.Hwnd(), CountFreedIconsReplaced, 1, reinterpret_cast<DWORD_PTR>(&freedIconsReplaced));
    RECT suggested, client;
    GetWindowRect(form.Hwnd(), &suggested);
    SendMessageW(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RemoveWindowSubclass(form.Hwnd(), CountFreedIconsReplaced, 1);
    GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, 930);
    EXPECT_EQ(client.bottom, 540);
    EXPECT_EQ(freedIconsReplaced, 0);
    // Icons at the system's sizes for 144 DPI, the lamp's new ones lent again;
    // tips wrap at a width that grew alike.
    EXPECT_EQ(testing::ImageWidth(lamp.BigIcon()), 48);
    EXPECT_EQ(testing::ImageWidth(lamp.SmallIcon()), 24);
    EXPECT_EQ(WindowIcon(ICON_BIG), lamp.BigIcon());
    EXPECT_EQ(WindowIcon(ICON_SMALL), lamp.SmallIcon());
    EXPECT_EQ(testing::ImageWidth(form.StandardIcon()), 48);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 600);
    EXPECT_EQ(testing::FontHeight(tooltip), MulDiv(tipFont96, 144, 96));
    Click(Ctl::Command11);
    EXPECT_EQ(WindowIcon(ICON_BIG), form.StandardIcon());
    EXPECT_EQ(testing::ImageWidth(WindowIcon(ICON_SMALL)), 24);
    RECT text2 = PlaceOf(form1::id(Ctl::Text2));  // 2400, 1200, 855 x 420 twips
    EXPECT_EQ(text2.left, 240);
    EXPECT_EQ(text2.top, 120);
    EXPECT_EQ(text2.right - text2.left, 86);
    EXPECT_EQ(text2.bottom - text2.top, 42);
    RECT command7 = PlaceOf(form1::id(Ctl::Command7));
    RECT command8 = PlaceOf(form1::id(Ctl::Command8));
    EXPECT_EQ(command7.right - command7.left, command8.right - command8.left);  // equal widths stay equal
    EXPECT_EQ(command7.right - command7.left, 50);
    // Fonts grow with the DPI.
    EXPECT_EQ(testing::FontHeight(C(Ctl::Text1)), -24);  // 12 pt at 144 DPI
    // The slider's hand, still the pointer, grows too, its hot spot still on
    // the fingertip.
    ICONINFO hand{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &hand));
    Owned<HBITMAP, DeleteObject> mask(hand.hbmMask), colour(hand.hbmColor);
    BITMAP bm{};
    GetObjectW(hand.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(hand.xHotspot, 18u);
    EXPECT_EQ(hand.yHotspot, 2u);
    // The frames still tell their hint apart from the bare surface.
    SendMessageW(form.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 45));
    EXPECT_EQ(WindowTextUtf8(form.Hwnd()), "Anàlisis de la Presiòn Sanguinea y el Pulso.");
    SendMessageW(form.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(920, 530));
    EXPECT_EQ(WindowTextUtf8(form.Hwnd()), ProductTitle(kVersion));
    // A change that comes while the window is minimised shows once it is restored.
    ShowWindow(form.Hwnd(), SW_MINIMIZE);
    GetWindowRect(form.Hwnd(), &suggested);
    SendMessageW(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    ShowWindow(form.Hwnd(), SW_RESTORE);
    GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, 775);
    EXPECT_EQ(client.bottom, 450);
}

// Each row of the layout reaches its control (the texts themselves are
// checked in tests/core/layout_test.cpp).
TEST_F(Form1Test, EveryRowReachesItsControl) {
    RECT client;
    GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, 620);
    EXPECT_EQ(client.bottom, 360);
    // No tooltip at start; the keyboard moving the focus on makes it, since
    // screen readers read a box's help text from it.
    auto tooltipMade = [&] {
        for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));)
            if (GetWindow(tip, GW_OWNER) == form.Hwnd()) return true;
        return false;
    };
    EXPECT_FALSE(tooltipMade());
    testing::PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), C(Ctl::Text2));
    EXPECT_TRUE(tooltipMade());
    testing::ExpectRowsReachTheirControls(form.Controls(), form.Hwnd(), form1::kLayout);
}

// The real pointer resting on a control shows that control's tip: the mouse
// messages reach the tooltip through the controls themselves. The tooltip is
// not asked for until the pointer has moved, so the one shown is the one the
// first move made.
TEST_F(Form1Test, ToolTipsShowWhereThePointerRests) {
    HWND tips = nullptr;
    for (Ctl c : {Ctl::Command11, Ctl::Label9}) {
        if (tips) SendMessageW(tips, TTM_POP, 0, 0);
        RECT rc;
        GetWindowRect(C(c), &rc);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        for (int waited = 0; waited < 3000 && !(IsWindowVisible(tips) && ti.uId); waited += 20) {
            Sleep(20);
            Pump();
            tips = form.Controls().Tooltip();
            ti.uId = 0;
            SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
        EXPECT_TRUE(IsWindowVisible(tips)) << form1::id(c);
        EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), C(c));
    }
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Pump();
}

TEST_F(Form1Test, TabTravelsInTheFormOrderSkippingHiddenControls) {
    const Ctl expected[] = {Ctl::Text1, Ctl::Text2, Ctl::Text3, Ctl::Text4, Ctl::Command1, Ctl::Command3,
                            Ctl::Command2, Ctl::Command4, Ctl::Picture1, Ctl::Command5, Ctl::Command6,
                            Ctl::Command7, Ctl::Command8, Ctl::Command9, Ctl::Command10, Ctl::Command11,
                            Ctl::Command12, Ctl::Text1};
    EXPECT_EQ(GetFocus(), C(Ctl::Text1));
    HWND at = C(Ctl::Text1);
    for (size_t i = 1; i < std::size(expected); ++i) {
        at = GetNextDlgTabItem(form.Hwnd(), at, FALSE);
        EXPECT_EQ(at, C(expected[i])) << "step " << i;
    }
}

TEST_F(Form1Test, ScreenReadersFindEachEntryBoxCaptionJustBeforeIt) {
    for (const form1::CaptionFor& pair : form1::kEntryCaptions)
        EXPECT_EQ(GetWindow(C(pair.box), GW_HWNDPREV), C(pair.label)) << form1::id(pair.box);
}

// The text as GDI draws it in the font, black on white. For a character the
// font lacks, GDI's font linking (Uniscribe's fallback, for Arabic) draws it
// from a linked font, as it does in the controls; a character no font has
// comes out as the missing-glyph mark. Comparing the two drawings asks the
// question a user would (is there a glyph?) through the very path the
// controls take, where GetGlyphIndices would only look inside the one font.
std::vector<DWORD> Drawn(HFONT font, const std::wstring& text) {
    constexpr int kWidth = 200, kHeight = 80;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    MemoryDc memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.get();
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<DWORD> pixels;
    if (bitmap && bits) {
        Selection bitmapSelected(dc, bitmap.get());
        Selection fontSelected(dc, font);
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + kWidth * kHeight);
    }
    return pixels;
}

TEST_F(Form1Test, ChineseAndArabicNamesHaveGlyphsInTheNameBoxAndLabel6) {
    if (testing::UnderWine())
        GTEST_SKIP() << "Windows only: Wine's prefix has no Chinese or Arabic font for font linking to find";
    const std::wstring names[] = {L"\u738B\u79C0\u82F1", L"\u0641\u0627\u0637\u0645\u0629"};
    for (Ctl c : {Ctl::Text1, Ctl::Label6}) {
        // The font the control really uses, whatever the layout asked for.
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(C(c), WM_GETFONT, 0, 0));
        ASSERT_TRUE(font) << form1::id(c);
        const std::vector<DWORD> missing = Drawn(font, L"\u0378");  // unassigned: no font has it
        ASSERT_FALSE(missing.empty());
        ASSERT_TRUE(Drawn(font, L"A") != missing) << "the font draws nothing at all";
        for (const std::wstring& name : names)
            for (wchar_t ch : name)
                EXPECT_TRUE(Drawn(font, std::wstring(1, ch)) != missing)
                    << form1::id(c) << ": no glyph for U+" << std::hex << static_cast<unsigned>(ch);
    }
}

// What a screen reader speaks, compared without the mnemonic mark, the
// trailing colon and the blanks around it.
std::string Spoken(std::string text) {
    std::string plain;
    for (char ch : text)
        if (ch != '&') plain += ch;
    while (!plain.empty() && (plain.back() == ' ' || plain.back() == ':')) plain.pop_back();
    return plain.substr(std::min(plain.find_first_not_of(' '), plain.size()));
}

std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&accessible));
    if (found != S_OK || !accessible) {
        ADD_FAILURE() << "AccessibleObjectFromWindow: 0x" << std::hex << static_cast<unsigned long>(found);
        return "";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string result;
    if (accessible->get_accName(self, &name) == S_OK && name) result = Narrow(std::wstring(name, SysStringLen(name)));
    SysFreeString(name);
    accessible->Release();
    return result;
}

// Each entry box by its caption, each button by its caption, and each picture
// button, which shows no caption, by its tool tip. Picture1, the indicator,
// also takes the focus and has neither. Wine 8.0 answers MSAA in process once
// COM is initialised, so this runs under Wine as well as on Windows.
TEST_F(Form1Test, ScreenReadersNameEveryBoxAndButton) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const ControlRow& row : form1::kLayout) {
        if (row.hidden) continue;
        std::string expected;
        if (row.kind == Kind::Button) {
            expected = row.caption;
        } else if (row.kind == Kind::PictureButton) {
            expected = row.tip;
        } else if (row.kind == Kind::TextBox) {
            for (const form1::CaptionFor& pair : form1::kEntryCaptions)
                if (form1::id(pair.box) == row.id) expected = Text(pair.label);
        } else {
            continue;
        }
        ASSERT_FALSE(Spoken(expected).empty()) << row.id;
        EXPECT_EQ(Spoken(AccessibleName(form.Controls()[row.id])), Spoken(expected)) << row.id;
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

TEST_F(Form1Test, ButtonsWithoutAnActionChangeNothing) {
    Enter("Ana", "72", "120", "80");
    Click(Ctl::Command1);
    std::string before = Text(Ctl::Label7) + Text(Ctl::Label8);
    for (Ctl c : {Ctl::Command5, Ctl::Command6, Ctl::Command7, Ctl::Command8, Ctl::Command9, Ctl::Command10}) Click(c);
    EXPECT_EQ(Text(Ctl::Label7) + Text(Ctl::Label8), before);
    EXPECT_TRUE(t.prompt.shown.empty());
}

// Whatever destroys the window (here nothing of its own), the message loop
// ends with it rather than running on with no window.
TEST_F(Form1Test, DestroyingTheWindowEndsTheMessageLoop) {
    MSG msg;
    ASSERT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "a quit before the window went";
    DestroyWindow(form.Hwnd());
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST(Executable, VersionInformationReadsBack) {
    const std::wstring path = testing::ProgramPath(PULVAR_EXE_PATH);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    // The .rc and the windows' titles read one version and spell one title.
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(kVersion.major) << 16 | static_cast<DWORD>(kVersion.minor));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(kVersion.revision));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    struct Translation {
        WORD language, codePage;
    }* tr = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len));
    EXPECT_EQ(tr->language, 0x0C0A);
    EXPECT_EQ(tr->codePage, 1200);

    auto value = [&](const wchar_t* name) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\0C0A04B0\\") + name;
        wchar_t* text = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars)) return std::string("<missing>");
        return Narrow(text);
    };
    // The minor number as two digits, the revision as four.
    char fileVersion[32];
    std::snprintf(fileVersion, sizeof fileVersion, "%d.%02d.%04d", kVersion.major, kVersion.minor, kVersion.revision);
    EXPECT_EQ(value(L"FileVersion"), fileVersion);
    EXPECT_EQ(value(L"ProductVersion"), fileVersion);
    EXPECT_EQ(value(L"Comments"), "Freeware");
    EXPECT_EQ(value(L"FileDescription"), "Programa que analiza la Presiòn Arterial y la Frecuencia Cardiaca.");
    EXPECT_EQ(value(L"ProductName"), kAppTitle);
    EXPECT_EQ(value(L"InternalName"), "Pulvar");
    EXPECT_EQ(value(L"OriginalFilename"), "Pulvar.exe");
}

}  // namespace
}  // namespace pulvar
