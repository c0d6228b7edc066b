// The real Form1 on screen with fake seams, and the few moves every Form1
// test makes; and the check of a layout's rows that both windows share.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "fakes.h"
#include "platform/text.h"
#include "ui/main/main_window.h"
#include "ui/controls/window_text.h"

namespace pulvar::testing {

class Form1Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Away from where the window opens: a window that appears under the
        // pointer hears of a move.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        ASSERT_TRUE(form.Create(SW_SHOW));
        SetForegroundWindow(form.Hwnd());
        Pump();
    }

    HWND C(form1::Ctl c) const { return form.Control(c); }
    std::string Text(form1::Ctl c) const { return WindowTextUtf8(C(c)); }
    void Type(form1::Ctl c, const char* text) { SetWindowTextUtf8(C(c), text); }
    void Enter(const char* name, const char* pulse, const char* systolic, const char* diastolic) {
        Type(form1::Ctl::Text1, name);
        Type(form1::Ctl::Text2, pulse);
        Type(form1::Ctl::Text3, systolic);
        Type(form1::Ctl::Text4, diastolic);
    }
    void Click(form1::Ctl c) {
        SendMessageW(C(c), BM_CLICK, 0, 0);
        Pump();
    }

    TestServices t;
    MainWindow form{t.services};
};

// Each row of a window's layout reaches its control, at 96 DPI: its text (a
// picture button's, which screen readers speak, is its tip) but for the rows
// whose text the window writes itself, its tip, and its place: its
// containers' twips added up, turned into pixels once, and one pixel further
// in inside a bordered picture box.
template <size_t N>
void ExpectRowsReachTheirControls(const ControlSet& controls, HWND window, const std::array<ControlRow, N>& layout,
                                  std::initializer_list<int> textsWrittenLater = {}) {
    HWND tips = controls.Tooltip();
    int tipped = 0;
    for (const ControlRow& row : layout) {
        if (row.kind == Kind::Line) continue;
        SCOPED_TRACE(row.id);
        HWND control = controls[row.id];
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window);
        if (std::find(textsWrittenLater.begin(), textsWrittenLater.end(), row.id) == textsWrittenLater.end()) {
            EXPECT_EQ(WindowTextUtf8(control), row.kind == Kind::PictureButton ? row.tip : row.caption);
        }
        wchar_t tip[256] = {};
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = window;
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.lpszText = tip;
        const bool hasTip = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
        if (hasTip) SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
        EXPECT_EQ(hasTip ? Narrow(tip) : "<none>", row.tip ? row.tip : "<none>");
        tipped += row.tip != nullptr;
        int x = row.rc.left, y = row.rc.top, inset = 0;
        const ControlRow* container = controls.Row(row.container);
        if (container && container->kind == Kind::PictureBox && container->border != Border::None) inset = 1;
        for (; container; container = controls.Row(container->container)) {
            x += container->rc.left;
            y += container->rc.top;
        }
        RECT rc{};
        GetWindowRect(control, &rc);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, TwipsToPixels(x, 96) + inset);
        EXPECT_EQ(rc.top, TwipsToPixels(y, 96) + inset);
        EXPECT_EQ(rc.right - rc.left, TwipsToPixels(row.rc.width, 96));
        EXPECT_EQ(rc.bottom - rc.top, TwipsToPixels(row.rc.height, 96));
    }
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), tipped);
}

}  // namespace pulvar::testing
