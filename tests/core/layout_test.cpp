// The layout tables: what a slip in a row would break on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "platform/owned.h"
#include "ui/about/about_layout.h"
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

// What a slip in any window's table would break: ids unique; rows in tab
// order, lines (drawn by the window, no tab index) last; containers that are
// frames or picture boxes; every control inside its container or the client area.
template <size_t N>
void ExpectTableRules(const std::array<ControlRow, N>& layout, int clientWidth, int clientHeight) {
    std::set<int> ids;
    int nextTab = 0;
    bool linesStarted = false;
    for (const ControlRow& row : layout) {
        SCOPED_TRACE(row.id);
        EXPECT_TRUE(ids.insert(row.id).second);
        if (row.kind == Kind::Line) {
            linesStarted = true;
            EXPECT_EQ(row.tab, -1);
            continue;
        }
        EXPECT_FALSE(linesStarted) << "controls before lines";
        EXPECT_EQ(row.tab, nextTab++) << "rows are kept in tab order";
        int width = clientWidth, height = clientHeight;
        if (row.container != 0) {
            auto in = std::find_if(layout.begin(), layout.end(), [&](const ControlRow& r) { return r.id == row.container; });
            ASSERT_NE(in, layout.end());
            EXPECT_TRUE(in->kind == Kind::Frame || in->kind == Kind::PictureBox);
            width = in->rc.width;
            height = in->rc.height;
        }
        EXPECT_LE(row.rc.left + row.rc.width, width);
        EXPECT_LE(row.rc.top + row.rc.height, height);
    }
}

TEST(LayoutTables, KeepTheTableRules) {
    ExpectTableRules(kLayout, form1::kClientWidthTwips, form1::kClientHeightTwips);
    ExpectTableRules(about::kLayout, about::kClientWidthTwips, about::kClientHeightTwips);
    for (const about::LineStyle& style : about::kLineStyles)
        EXPECT_TRUE(std::any_of(about::kLayout.begin(), about::kLayout.end(),
                                [&](const ControlRow& r) { return r.id == style.id && r.kind == Kind::Line; }));
}

TEST(Form1Layout, StartStateAndTexts) {
    for (Ctl hidden : {Ctl::Label13, Ctl::Slider1, Ctl::Picture2, Ctl::Picture3, Ctl::Picture4, Ctl::Picture5})
        EXPECT_TRUE(RowOf(hidden).hidden);
    int hiddenCount = static_cast<int>(std::count_if(kLayout.begin(), kLayout.end(), [](const ControlRow& r) { return r.hidden; }));
    EXPECT_EQ(hiddenCount, 6);

    // The texts with accents and trailing blanks, exactly; the window test
    // checks that every row's texts reach its control.
    struct Texts {
        Ctl c;
        const char *caption, *tip;
    } texts[] = {
        {Ctl::Frame1, "Datos Personales", nullptr},  {Ctl::Frame2, "Diagnòstico", nullptr},
        {Ctl::Label1, "Nombre ", nullptr},           {Ctl::Label2, "Frecuencia Cardiaca", nullptr},
        {Ctl::Label3, "Presiòn Sistòlica ( Màxima )", nullptr},
        {Ctl::Label4, "Presiòn Diastòlica ( Mìnima )", nullptr},
        {Ctl::Command3, "Imprimir ", nullptr},       {Ctl::Command5, "Gràficos", nullptr},
        {Ctl::Text1, "", nullptr},                   {Ctl::Text2, "", "Solo Nùmeros"},
        {Ctl::Text3, "", "Solo Nùmeros"},            {Ctl::Text4, "", "Solo Nùmeros"},
        {Ctl::Command10, "", "Instrucciones para tomar la Tensiòn Arterial"},
        {Ctl::Label9, "", "Cuente el pulso en 15 segundos y multipìquelo por cuatro"},
    };
    for (const Texts& t : texts) {
        EXPECT_STREQ(RowOf(t.c).caption, t.caption) << form1::id(t.c);
        EXPECT_EQ(RowOf(t.c).tip ? std::string(RowOf(t.c).tip) : "<none>", t.tip ? t.tip : "<none>") << form1::id(t.c);
    }
    for (const ControlRow& row : kLayout)
        if (row.container == form1::id(Ctl::Frame2)) {
            EXPECT_EQ(row.tip, nullptr) << row.id;
        }
}

// The windows' sizes at 96, 120 and 144 DPI are checked on the windows themselves.
TEST(Units, TwipsToPixelsRoundsLikeMulDiv) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // half away from zero
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(TwipsToPixels(1095, 120), 91);
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
