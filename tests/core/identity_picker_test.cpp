#include <gtest/gtest.h>

#include "core/identity.h"
#include "core/picker.h"

#include <set>
#include <string>

namespace pulvar {
namespace {

TEST(Identity, TitleAndVersionAreBuiltFromTheNumbers) {
    EXPECT_EQ(VersionText({2, 10, 0}), "2.10.0");
    EXPECT_EQ(ProductTitle({2, 10, 0}), "Pulvar.    2.10.0");
}

TEST(Picker, LadderOfCaptions) {
    struct Case {
        int position;
        const char* caption;
    } cases[] = {{0, "0"},     {1, "5"},     {5, "5"},     {9, "5"},     {10, "10"},
                 {19, "10"},   {20, "20"},   {99, "90"},   {100, "100"}, {120, "120"},
                 {199, "190"}, {200, "200"}, {250, "200"}};
    for (const Case& c : cases) EXPECT_STREQ(PickerCaption(c.position), c.caption) << c.position;
}

TEST(Picker, EveryPositionGivesOneOfTheTwentyTwoValues) {
    std::set<std::string> seen;
    for (int p = kSliderMin; p <= kSliderMax; ++p) seen.insert(PickerCaption(p));
    EXPECT_EQ(seen.size(), 22u);
    for (int p = kSliderMin; p <= kSliderMax; ++p) EXPECT_EQ(PickerHidesClock(p), p == 0);
}

}  // namespace
}  // namespace pulvar
