// The window base on its own: a window that closes itself from inside its
// handlers is freed once, and only after the outermost of them has returned.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/window.h"

namespace pulvar {
namespace {

constexpr UINT kCloseInside = WM_APP + 100;  // the handler destroys its own window
constexpr UINT kCloseNested = WM_APP + 101;  // ... from a message it sends itself

constexpr WindowKind kKind{L"PulvarTestWindow", WS_OVERLAPPEDWINDOW, 0, 1440, 1440, nullptr, 0, IMG_LIGHTS};

// Frees itself when gone, as the About window's slot frees it, and writes
// down what happened in order in a log that outlives it.
class SelfClosing : public Window {
public:
    explicit SelfClosing(std::vector<std::string>& log) : Window(kKind), log_(log) {}
    ~SelfClosing() override { log_.push_back("freed"); }
    bool Create() { return CreateCentred(nullptr, nullptr); }

private:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case kCloseInside:
                DestroyWindow(hwnd_);
                log_.push_back(hwnd_ ? "window still there" : "handler goes on");
                return 0;
            case kCloseNested:
                SendMessageW(hwnd_, kCloseInside, 0, 0);
                log_.push_back("outer handler goes on");
                return 0;
        }
        return Window::onMessage(msg, wp, lp);
    }
    void onGone() override { delete this; }

    std::vector<std::string>& log_;
};

TEST(WindowBase, ObjectGoesOnceAfterTheOutermostMessage) {
    struct Case {
        UINT message;
        std::vector<std::string> log;
    } cases[] = {
        {kCloseInside, {"handler goes on", "freed"}},
        {kCloseNested, {"handler goes on", "outer handler goes on", "freed"}},
        {WM_CLOSE, {"freed"}},  // DefWindowProc destroys it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> log;
        auto* window = new SelfClosing(log);
        ASSERT_TRUE(window->Create());
        HWND hwnd = window->Hwnd();
        SendMessageW(hwnd, c.message, 0, 0);
        EXPECT_EQ(log, c.log);
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

}  // namespace
}  // namespace pulvar
