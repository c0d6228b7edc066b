// Whatever lands in the boxes, the window neither fails nor loses text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "platform/text.h"
#include "ui/main/main_window.h"
#include "ui/controls/window_text.h"

namespace pulvar {
namespace {

using form1::Ctl;
using testing::Pump;
using testing::TestServices;

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create(SW_SHOW)); }
    HWND C(Ctl c) const { return form.Control(c); }
    std::wstring TextW(Ctl c) const { return WindowTextW(C(c)); }
    std::string Text(Ctl c) const { return WindowTextUtf8(C(c)); }
    void Evaluate(const char* name, const char* pulse, const char* systolic, const char* diastolic) {
        t.prompt.shown.clear();
        SetWindowTextUtf8(C(Ctl::Text1), name);
        SetWindowTextUtf8(C(Ctl::Text2), pulse);
        SetWindowTextUtf8(C(Ctl::Text3), systolic);
        SetWindowTextUtf8(C(Ctl::Text4), diastolic);
        SendMessageW(C(Ctl::Command1), BM_CLICK, 0, 0);
        Pump();
    }
    TestServices t;
    MainWindow form{t.services};
};

TEST_F(HostileInputTest, AVeryLongNameIsKeptWholeAndEchoed) {
    std::wstring name(32767, L'a');
    name[0] = L'Á';
    name[32766] = L'Z';
    SetWindowTextW(C(Ctl::Text1), name.c_str());
    EXPECT_EQ(TextW(Ctl::Text1), name);  // the box takes all of it
    SendMessageW(C(Ctl::Command1), BM_CLICK, 0, 0);
    EXPECT_EQ(TextW(Ctl::Label6), name);
}

TEST_F(HostileInputTest, ControlCharactersAndTabsInEveryBox) {
    Evaluate("a\tb\x01" "c", "7\t2", "2\t00\x01", "8\x02" "0");
    EXPECT_EQ(Text(Ctl::Label6), "a\tb\x01" "c");
    ASSERT_EQ(t.prompt.shown.size(), 1u);  // "7<tab>2" is not a number as a whole
    EXPECT_EQ(Text(Ctl::Label7).substr(0, 3), "72,");  // tabs are skipped when reading it
    EXPECT_EQ(Text(Ctl::Label8).substr(0, 6), "200/8,");  // a control character ends a number
    EXPECT_EQ(Text(Ctl::Text2), "7\t2");                   // nothing typed is lost
}

TEST_F(HostileInputTest, AwkwardNumbersHaveFixedOutcomes) {
    struct Case {
        const char* pulse;
        size_t boxes;
        const char* label7Start;
    } cases[] = {
        {"1e309", 1, "1,79769313486232E+308, Taquicardica"},  // too large: the largest number
        {"-0", 1, "0, Bradicardica"},
        {"  +.5 ", 0, "0,5, Bradicardica"},
        {"1,2,3", 1, "1,2, Bradicardica"},
        {"٣", 1, "0, Bradicardica"},
        {"      ", 1, "0, Bradicardica"},
        {"72.5", 0, "72,5, Completamente Normal"},  // the full stop groups digits in Spain, yet reads as a point
        {"1e-400", 1, "0, Bradicardica"},
    };
    for (const Case& c : cases) {
        Evaluate("x", c.pulse, "120", "80");
        EXPECT_EQ(t.prompt.shown.size(), c.boxes) << c.pulse;
        EXPECT_EQ(Text(Ctl::Label7).rfind(c.label7Start, 0), 0u) << c.pulse << " -> " << Text(Ctl::Label7);
        EXPECT_EQ(Text(Ctl::Text2), c.pulse);
    }
}

TEST_F(HostileInputTest, HugePressuresStillGetABand) {
    Evaluate("x", "72", "1e400", "-1e400");
    EXPECT_EQ(Text(Ctl::Label8).rfind("1,79769313486232E+308/-1,79769313486232E+308, Hipotenso", 0), 0u);
    EXPECT_EQ(SendMessageW(C(Ctl::ProgressBar1), PBM_GETPOS, 0, 0), 100);
}

}  // namespace
}  // namespace pulvar
