// The Windows tests run in one process under Wine, with the real controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

// Destroying a main window posts the quit that ends the program's message
// loop. In this one thread it would cut short the next test's modal loops
// and end its message waits at once, so each test's quit goes with it.
class DropQuitAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DropQuitAfterEachTest);
    return RUN_ALL_TESTS();
}
