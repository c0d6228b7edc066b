// The clock and the numbers follow the user's regional settings. The
// settings come from the environment the test runs in (LC_ALL under Wine);
// tests/e2e/regional.sh runs these under a Spanish and an English one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "fakes.h"
#include "platform/text.h"
#include "ui/main/main_window.h"
#include "ui/controls/window_text.h"

namespace pulvar {
namespace {

using form1::Ctl;

std::string Region() {
    const char* all = std::getenv("LC_ALL");
    return all ? std::string(all).substr(0, 5) : "";
}

// The main window wired to the real clock and regional settings; the rest
// stays fake so nothing blocks.
class Regional : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create(SW_HIDE)); }
    std::string Shown(Ctl c) const { return WindowTextUtf8(form.Control(c)); }
    testing::TestServices fakes;
    Services services{fakes.prompt, RealServices().clock, RealServices().locale, fakes.shell, fakes.ending,
                      RealPrinter(), RealRegistry(), RealPrograms()};
    MainWindow form{services};
};

TEST_F(Regional, ClockTickShowsTheTimeInTheRegionalFormat) {
    form.Timer1_Timer();
    const std::string shown = Shown(Ctl::Label9);
    if (Region() == "es_ES") {
        EXPECT_TRUE(std::regex_match(shown, std::regex("([01]?[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]"))) << shown;
    } else if (Region() == "en_US") {
        EXPECT_TRUE(std::regex_match(shown, std::regex("(1[0-2]|[1-9]):[0-5][0-9]:[0-5][0-9] (AM|PM)"))) << shown;
    } else {
        EXPECT_FALSE(shown.empty());
    }
}

TEST_F(Regional, FractionsAreReadAndWrittenWithTheRegionalSeparator) {
    const bool comma = Region() == "es_ES";
    if (!comma && Region() != "en_US") GTEST_SKIP() << "needs LC_ALL es_ES.UTF-8 or en_US.UTF-8";
    SetWindowTextUtf8(form.Control(Ctl::Text2), comma ? "72,5" : "72.5");
    SetWindowTextUtf8(form.Control(Ctl::Text3), "120");
    SetWindowTextUtf8(form.Control(Ctl::Text4), comma ? "90,5" : "90.5");
    form.Command1_Click();
    EXPECT_TRUE(fakes.prompt.shown.empty());
    EXPECT_EQ(Shown(Ctl::Label7), comma ? "72,5, Completamente Normal. " : "72.5, Completamente Normal. ");
    EXPECT_EQ(Shown(Ctl::Label8).substr(0, 11), comma ? "120/90,5, H" : "120/90.5, H");
}

}  // namespace
}  // namespace pulvar
