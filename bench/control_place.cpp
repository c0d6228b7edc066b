// Where a control of the running Pulvar is on the screen, so that the
// end-to-end checks and the screenshot script can click it. The answer comes
// from the window itself, so it is wherever the program put the control, at
// any DPI, and the names are the layout headers' own.
//
//   control_place main|about NAME TITLE
//
// TITLE is the window's title as it stands now (the main window's changes
// with the pointer's hints). Prints "left top right bottom" in screen pixels;
// exits 1 when there is no such window or control.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "ui/about/about_layout.h"
#include "ui/main/form1_layout.h"

namespace {

using namespace pulvar;

struct Named {
    const wchar_t* name;
    int id;
};

#define MAIN(n) {L## #n, form1::id(form1::Ctl::n)}
constexpr Named kMain[] = {
    MAIN(Frame1),   MAIN(Frame2),    MAIN(Text1),     MAIN(Text2),     MAIN(Text3),     MAIN(Text4),
    MAIN(Command1), MAIN(Command2),  MAIN(Command3),  MAIN(Command4),  MAIN(Command5),  MAIN(Command6),
    MAIN(Command7), MAIN(Command8),  MAIN(Command9),  MAIN(Command10), MAIN(Command11), MAIN(Command12),
    MAIN(Label1),   MAIN(Label2),    MAIN(Label3),    MAIN(Label4),    MAIN(Label5),    MAIN(Label6),
    MAIN(Label7),   MAIN(Label8),    MAIN(Label9),    MAIN(Label10),   MAIN(Label11),   MAIN(Label12),
    MAIN(Label13),  MAIN(Picture1),  MAIN(Picture2),  MAIN(Picture3),  MAIN(Picture4),  MAIN(Picture5),
    MAIN(Slider1),  MAIN(ProgressBar1),
};
#define ABOUT(n) {L## #n, about::id(about::Ctl::n)}
constexpr Named kAbout[] = {
    ABOUT(cmdOK),   ABOUT(picIcon),    ABOUT(cmdSysInfo), ABOUT(lblDescription),
    ABOUT(lblDisclaimer), ABOUT(lblTitle), ABOUT(lblVersion), ABOUT(Picture1),
};

template <size_t N>
int IdOf(const Named (&names)[N], const wchar_t* name) {
    for (const Named& n : names)
        if (std::wcscmp(n.name, name) == 0) return n.id;
    return 0;
}

// Wine 10, like Windows, shows a process that is not DPI aware other
// processes' windows at 96 DPI; this one must see them as they are.
void SeeRealPixels() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!set || !set(reinterpret_cast<HANDLE>(-4)))  // per monitor, version 2
        SetProcessDPIAware();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: control_place main|about NAME TITLE\n");
        return 2;
    }
    SeeRealPixels();
    const int id = std::wcscmp(argv[1], L"main") == 0 ? IdOf(kMain, argv[2]) : IdOf(kAbout, argv[2]);
    HWND window = FindWindowW(nullptr, argv[3]);
    HWND control = id && window ? GetDlgItem(window, id) : nullptr;
    RECT rc{};
    if (!control || !GetWindowRect(control, &rc)) {
        std::fprintf(stderr, "control_place: no control %ls in a window titled \"%ls\"\n", argv[2], argv[3]);
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
    return 0;
}
