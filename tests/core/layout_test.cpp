// The layout tables: what a slip in a row would break on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/owned.h"
#include "ui/main/form1_layout.h"

namespace pulvar {
namespace {

using form1::Ctl;
using form1::kLayout;

const ControlRow& RowOf(Ctl c) {
    auto it = std::find_if(kLayout.begin(), kLayout.end(), [&](const ControlRow& r) { return r.id == form1::id(c); });
    EXPECT_NE(it, kLayout.end());
    return *it;
}

TEST(Form1Layout, IdsAreUniqueAndTabIndexesRunWithoutGaps) {
    std::set<int> ids;
    for (size_t i = 0; i < kLayout.size(); ++i) {
        EXPECT_TRUE(ids.insert(kLayout[i].id).second) << kLayout[i].id;
        EXPECT_EQ(kLayout[i].tab, static_cast<int>(i)) << "rows are kept in tab order";
    }
}

TEST(Form1Layout, ContainersExistAndAreFramesOrPictureBoxes) {
    for (const ControlRow& row : kLayout) {
        if (row.container == 0) continue;
        auto it = std::find_if(kLayout.begin(), kLayout.end(), [&](const ControlRow& r) { return r.id == row.container; });
        ASSERT_NE(it, kLayout.end()) << row.id;
        EXPECT_TRUE(it->kind == Kind::Frame || it->kind == Kind::PictureBox) << row.id;
        // Every control fits inside its container.
        EXPECT_LE(row.rc.left + row.rc.width, it->rc.width) << row.id;
        EXPECT_LE(row.rc.top + row.rc.height, it->rc.height) << row.id;
    }
}

TEST(Form1Layout, EverythingFitsTheClientArea) {
    for (const ControlRow& row : kLayout) {
        if (row.container != 0) continue;
        EXPECT_LE(row.rc.left + row.rc.width, form1::kClientWidthTwips) << row.id;
        EXPECT_LE(row.rc.top + row.rc.height, form1::kClientHeightTwips) << row.id;
    }
}

TEST(Form1Layout, StartStateAndTexts) {
    for (Ctl hidden : {Ctl::Label13, Ctl::Slider1, Ctl::Picture2, Ctl::Picture3, Ctl::Picture4, Ctl::Picture5})
        EXPECT_TRUE(RowOf(hidden).hidden);
    int hiddenCount = static_cast<int>(std::count_if(kLayout.begin(), kLayout.end(), [](const ControlRow& r) { return r.hidden; }));
    EXPECT_EQ(hiddenCount, 6);

    EXPECT_STREQ(RowOf(Ctl::Label1).caption, "Nombre ");
    EXPECT_STREQ(RowOf(Ctl::Command3).caption, "Imprimir ");
    EXPECT_STREQ(RowOf(Ctl::Frame2).caption, "Diagnòstico");
    EXPECT_STREQ(RowOf(Ctl::Label3).caption, "Presiòn Sistòlica ( Màxima )");
    EXPECT_STREQ(RowOf(Ctl::Label4).caption, "Presiòn Diastòlica ( Mìnima )");
    for (Ctl numeric : {Ctl::Text2, Ctl::Text3, Ctl::Text4}) EXPECT_STREQ(RowOf(numeric).tip, "Solo Nùmeros");
    EXPECT_EQ(RowOf(Ctl::Text1).tip, nullptr);
    for (const ControlRow& row : kLayout)
        if (row.container == form1::id(Ctl::Frame2)) {
            EXPECT_EQ(row.tip, nullptr) << row.id;
        }
}

TEST(Units, TwipsToPixelsAt96And120Dpi) {
    EXPECT_EQ(TwipsToPixels(9300, 96), 620);
    EXPECT_EQ(TwipsToPixels(5400, 96), 360);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(9300, 120), 775);
    EXPECT_EQ(TwipsToPixels(5400, 144), 540);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // rounds half away from zero, like MulDiv
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
    // Equal widths stay equal wherever they stand.
    for (const ControlRow& a : kLayout)
        for (const ControlRow& b : kLayout)
            if (a.rc.width == b.rc.width) {
                EXPECT_EQ(TwipsToPixels(a.rc.width, 120), TwipsToPixels(b.rc.width, 120));
            }
    EXPECT_EQ(PointsToFontHeight(9.75, 96), -13);
    EXPECT_EQ(PointsToFontHeight(12, 96), -16);
    EXPECT_EQ(PointsToFontHeight(18, 96), -24);
    EXPECT_EQ(PointsToFontHeight(8.25, 96), -11);
}

int freed = 0;
void FreeFake(int) { ++freed; }
using FakeHandle = Owned<int, FreeFake>;

TEST(Owned, FreesOnceAndCountsLiveHandles) {
    freed = 0;
    long before = HandleCount::live;
    {
        FakeHandle a(7);
        EXPECT_EQ(HandleCount::live, before + 1);
        FakeHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 7);
        FakeHandle c(9);
        c = std::move(b);  // 9 is freed, 7 moves over
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(HandleCount::live, before + 1);
        c.reset(11);
        EXPECT_EQ(freed, 2);
        EXPECT_EQ(c.release(), 11);
        EXPECT_EQ(HandleCount::live, before);
    }
    EXPECT_EQ(freed, 2);  // the released handle is the caller's now
    EXPECT_EQ(HandleCount::live, before);
}

// A kind whose failure value is -1 (a file, a snapshot): -1 is never freed
// nor counted, while 0 is a handle like any other.
using FakeFile = Owned<int, FreeFake, kInvalidHandleValue>;

TEST(Owned, AnInvalidValueOtherThanNullIsNeverFreed) {
    freed = 0;
    long before = HandleCount::live;
    {
        FakeFile none;
        EXPECT_FALSE(none);
        EXPECT_EQ(none.get(), -1);
        FakeFile failed(-1);
        EXPECT_FALSE(failed);
        EXPECT_EQ(HandleCount::live, before);
        FakeFile zero(0);
        EXPECT_TRUE(zero);
        EXPECT_EQ(HandleCount::live, before + 1);
        failed = std::move(zero);
        EXPECT_FALSE(zero);
        EXPECT_EQ(zero.get(), -1);
        EXPECT_EQ(failed.release(), 0);
        EXPECT_EQ(failed.release(), -1);
    }
    EXPECT_EQ(freed, 0);
    EXPECT_EQ(HandleCount::live, before);
}

}  // namespace
}  // namespace pulvar
