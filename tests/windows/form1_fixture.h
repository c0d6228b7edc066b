// The real Form1 on screen with fake seams, and the few moves every Form1
// test makes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace pulvar::testing
