// Whatever lands in the boxes, the window neither fails nor loses text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "form1_fixture.h"
#include "platform/text.h"
#include "ui/main/main_window.h"
#include "ui/controls/window_text.h"

namespace pulvar {
namespace {

using form1::Ctl;

class HostileInputTest : public testing::Form1Fixture {
protected:
    std::wstring TextW(Ctl c) const { return WindowTextW(C(c)); }
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
    Enter("a\tb\x01" "c", "7\t2", "2\t00\x01", "8\x02" "0");
    Click(Ctl::Command1);
    EXPECT_EQ(Text(Ctl::Label6), "a\tb\x01" "c");
    ASSERT_EQ(t.prompt.shown.size(), 1u);  // "7<tab>2" is not a number as a whole
    EXPECT_EQ(Text(Ctl::Label7).substr(0, 3), "72,");  // tabs are skipped when reading it
    EXPECT_EQ(Text(Ctl::Label8).substr(0, 6), "200/8,");  // a control character ends a number
    EXPECT_EQ(Text(Ctl::Text2), "7\t2");                   // nothing typed is lost
}

}  // namespace
}  // namespace pulvar
