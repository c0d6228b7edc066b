// Form1's live behaviour: title hints, clock, closing, clearing, the picker.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "core/classify.h"
#include "core/identity.h"
#include "fakes.h"
#include "form1_fixture.h"
#include "host.h"
#include "platform/text.h"
#include "ui/main/main_window.h"
#include "ui/controls/picture_box.h"
#include "ui/controls/window_text.h"

namespace pulvar {
namespace {

using form1::Ctl;
using testing::Pump;

const std::string kProductTitle = ProductTitle(kVersion);

class LiveTest : public testing::Form1Fixture {
protected:
    std::string Title() const { return WindowTextUtf8(form.Hwnd()); }
    // A pointer move as the window manager delivers it: to the window under
    // the pointer, in that window's client coordinates.
    void MoveOver(HWND target, int x, int y) {
        SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    void MoveOverForm(int x, int y) { MoveOver(form.Hwnd(), x, y); }
    void MoveOver(Ctl c) { MoveOver(C(c), 2, 2); }
    void MouseClick(Ctl c) {
        SendMessageW(C(c), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(C(c), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump();
    }
    void SlideTo(int position) {
        SendMessageW(C(Ctl::Slider1), TBM_SETPOS, TRUE, position);
        SendMessageW(form.Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(C(Ctl::Slider1)));
    }
    bool Shown(Ctl c) const { return (GetWindowLongW(C(c), GWL_STYLE) & WS_VISIBLE) != 0; }
};

// The product's title before any move; the clock's empty start and the focus
// on the name box: main_window_test.cpp.
TEST_F(LiveTest, HintsFollowThePointerAndStickOverOtherControls) {
    EXPECT_EQ(Title(), kProductTitle);
    const std::string h1 = "Anàlisis de la Presiòn Sanguinea y el Pulso.";
    const std::string h2 = "Ayuda a contar los latidos del corazòn";
    const std::string h3 = "Agregar datos al registro.";
    MoveOverForm(20, 30);  // inside "Datos Personales", on the frame itself
    EXPECT_EQ(Title(), h1);
    MoveOver(Ctl::Text1);  // no hint of its own: the title keeps H1
    EXPECT_EQ(Title(), h1);
    MoveOverForm(5, 5);  // bare surface
    EXPECT_EQ(Title(), kProductTitle);
    MoveOverForm(400, 30);  // "Diagnòstico"
    EXPECT_EQ(Title(), h1);
    MoveOver(Ctl::Command12);
    EXPECT_EQ(Title(), h2);
    MoveOver(Ctl::Label13);
    MoveOver(Ctl::Text2);
    EXPECT_EQ(Title(), h2);
    MoveOver(Ctl::Command6);
    EXPECT_EQ(Title(), h3);
    MoveOverForm(615, 355);
    EXPECT_EQ(Title(), kProductTitle);
    MoveOverForm(100, 330);  // below the frame, between the picture buttons
    EXPECT_EQ(Title(), kProductTitle);
}

// Every title change repaints the caption and tells screen readers the
// window's name changed; moves that keep the hint must not say so again.
// Wine 8 sends no name-change event for a new window text, so under Wine the
// texts set (WM_SETTEXT) are what is counted.
HWND gNamed = nullptr;
int gTextsSet = 0;
int gNameChanges = 0;
void CALLBACK CountNameChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (hwnd == gNamed && object == OBJID_WINDOW) ++gNameChanges;
}
LRESULT CALLBACK CountTextSet(int code, WPARAM wp, LPARAM lp) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && sent->hwnd == gNamed && sent->message == WM_SETTEXT) ++gTextsSet;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(LiveTest, TheTitleIsSetOnlyWhenItsTextChanges) {
    gNamed = form.Hwnd();
    HWINEVENTHOOK events = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                           CountNameChange, GetCurrentProcessId(), GetCurrentThreadId(),
                                           WINEVENT_OUTOFCONTEXT);
    HHOOK sends = SetWindowsHookExW(WH_CALLWNDPROC, CountTextSet, nullptr, GetCurrentThreadId());
    ASSERT_NE(events, nullptr);
    ASSERT_NE(sends, nullptr);
    auto changesAfter = [&](auto move) {
        Pump();
        gTextsSet = gNameChanges = 0;
        move();
        Pump();
        if (!testing::UnderWine()) {
            EXPECT_EQ(gNameChanges, gTextsSet);
        }
        return gTextsSet;
    };
    EXPECT_EQ(changesAfter([&] { MoveOverForm(20, 30); }), 1);  // into "Datos Personales"
    EXPECT_EQ(changesAfter([&] { MoveOverForm(21, 31); MoveOverForm(22, 32); }), 0);
    EXPECT_EQ(changesAfter([&] { MoveOverForm(5, 5); }), 1);  // the bare surface
    EXPECT_EQ(changesAfter([&] { MoveOverForm(6, 6); MoveOverForm(615, 355); }), 0);
    EXPECT_EQ(changesAfter([&] { MoveOver(Ctl::Command6); MoveOver(Ctl::Command6); }), 1);
    UnhookWindowsHookEx(sends);
    UnhookWinEvent(events);
    EXPECT_EQ(Title(), "Agregar datos al registro.");
}

// The timer alone shows the clock's text, and each tick shows it anew.
TEST_F(LiveTest, TheTimerRunsOnItsOwn) {
    for (const char* now : {"08:00:00", "1:05:10 PM"}) {
        t.clock.now = now;
        for (DWORD until = GetTickCount() + 3000; Text(Ctl::Label9) != now && GetTickCount() < until; Pump())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        EXPECT_EQ(Text(Ctl::Label9), now);
    }
}

TEST_F(LiveTest, CerrarAsksAndOnlyOkEnds) {
    t.prompt.answers = {kAnswerCancel};
    Click(Ctl::Command4);
    ASSERT_EQ(t.prompt.shown.size(), 1u);
    EXPECT_EQ(t.prompt.shown[0].text, "Cerrar el Programa?");
    EXPECT_EQ(t.prompt.shown[0].title, "Cerrar la Aplicaciòn ");
    EXPECT_EQ(t.prompt.shown[0].style, 33u);
    EXPECT_EQ(t.ending.ended, 0);
    EXPECT_TRUE(IsWindow(form.Hwnd()));

    // Enter elsewhere does nothing; on the focused button it presses it.
    t.prompt.answers = {kAnswerCancel};
    SetFocus(C(Ctl::Text4));
    testing::PressKey(VK_RETURN);
    EXPECT_EQ(t.prompt.shown.size(), 1u);
    SetFocus(C(Ctl::Command4));
    testing::PressKey(VK_RETURN);
    EXPECT_EQ(t.prompt.shown.size(), 2u);
    EXPECT_EQ(t.ending.ended, 0);

    t.prompt.answers = {kAnswerOk};
    Click(Ctl::Command4);
    EXPECT_EQ(t.ending.ended, 1);
}

TEST_F(LiveTest, CloseBoxEndsAtOnceWithoutAsking) {
    SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(t.ending.ended, 1);
    EXPECT_TRUE(t.prompt.shown.empty());
}

TEST_F(LiveTest, ClearingBeforeAndAfterASevereReadingTwiceInARow) {
    Click(Ctl::Command11);  // before any evaluation: still no reading
    EXPECT_FALSE(form.CurrentReading().Pulse.has_value());
    Enter("Ana", "72", "200", "120");
    Click(Ctl::Command1);
    ASSERT_EQ(SendMessageW(C(Ctl::ProgressBar1), PBM_GETPOS, 0, 0), 100);
    for (int i = 0; i < 2; ++i) {
        SetFocus(C(Ctl::Command1));
        Click(Ctl::Command11);
        for (Ctl c : {Ctl::Text1, Ctl::Text2, Ctl::Text3, Ctl::Text4, Ctl::Label6, Ctl::Label7, Ctl::Label8})
            EXPECT_EQ(Text(c), "") << form1::id(c);
        EXPECT_EQ(SendMessageW(C(Ctl::ProgressBar1), PBM_GETPOS, 0, 0), 0);
        EXPECT_EQ(PictureBox(C(Ctl::Picture1)).Back(), kCyan);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Hwnd(), WM_GETICON, ICON_BIG, 0)), form.StandardIcon());
        EXPECT_EQ(GetFocus(), C(Ctl::Text1));
    }
    // The reading survives for the report.
    EXPECT_EQ(form.CurrentReading().Diastolic, 120);
}

TEST_F(LiveTest, PickerOpensAndClosesAsLabel13Says) {
    EXPECT_FALSE(Shown(Ctl::Label13));
    Click(Ctl::Command12);
    EXPECT_TRUE(Shown(Ctl::Label13) && Shown(Ctl::Slider1) && Shown(Ctl::Picture2));
    EXPECT_EQ(Text(Ctl::Label13), "");
    MouseClick(Ctl::Label13);  // an empty value empties the pulse box
    EXPECT_EQ(Text(Ctl::Text2), "");
    Click(Ctl::Command12);
    EXPECT_FALSE(Shown(Ctl::Label13) || Shown(Ctl::Slider1) || Shown(Ctl::Picture2));
}

TEST_F(LiveTest, ZeroHidesTheClockUntilThePickerIsReopened) {
    Click(Ctl::Command12);
    SlideTo(0);
    EXPECT_EQ(Text(Ctl::Label13), "0");
    EXPECT_FALSE(Shown(Ctl::Picture2));
    SlideTo(70);
    EXPECT_EQ(Text(Ctl::Label13), "70");
    EXPECT_FALSE(Shown(Ctl::Picture2));
    Click(Ctl::Command12);
    Click(Ctl::Command12);
    EXPECT_TRUE(Shown(Ctl::Picture2));
    EXPECT_EQ(Text(Ctl::Label13), "70");
}

TEST_F(LiveTest, KeyboardMovesOnTheSliderUpdateTheValue) {
    Click(Ctl::Command12);
    SetFocus(C(Ctl::Slider1));
    SendMessageW(C(Ctl::Slider1), WM_KEYDOWN, VK_NEXT, 0);  // a page: 25
    SendMessageW(C(Ctl::Slider1), WM_KEYUP, VK_NEXT, 0);
    Pump();
    EXPECT_EQ(SendMessageW(C(Ctl::Slider1), TBM_GETPOS, 0, 0), 25);
    EXPECT_EQ(Text(Ctl::Label13), "20");
}

TEST_F(LiveTest, TheValueGoesIntoThePulseBoxOnly) {
    Click(Ctl::Command12);
    SlideTo(120);
    Type(Ctl::Text3, "130");
    MouseClick(Ctl::Text4);  // the diastolic box was clicked last
    MouseClick(Ctl::Label13);
    EXPECT_EQ(Text(Ctl::Text2), "120");
    EXPECT_EQ(Text(Ctl::Text3), "130");
    EXPECT_EQ(GetFocus(), C(Ctl::Text4));  // the focus does not move
    EXPECT_TRUE(Shown(Ctl::Label13));
}

TEST_F(LiveTest, AMouseClickEmptiesANumericBoxButTabKeepsIt) {
    for (Ctl box : {Ctl::Text2, Ctl::Text3, Ctl::Text4}) {
        Type(box, "123");
        MouseClick(box);
        EXPECT_EQ(Text(box), "");
        EXPECT_EQ(GetFocus(), C(box));
    }
    Type(Ctl::Text1, "Ana");
    MouseClick(Ctl::Text1);
    EXPECT_EQ(Text(Ctl::Text1), "Ana");

    Type(Ctl::Text2, "72");
    SetFocus(C(Ctl::Text1));
    MSG tab{form.Hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    tab.hwnd = C(Ctl::Text1);
    IsDialogMessageW(form.Hwnd(), &tab);
    Pump();
    EXPECT_EQ(GetFocus(), C(Ctl::Text2));
    EXPECT_EQ(Text(Ctl::Text2), "72");
}

}  // namespace
}  // namespace pulvar
