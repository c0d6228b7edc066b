// Times "Ver Resultados" in Pulvar's real main window (under Wine or on
// Windows): the numbers are typed into the boxes, then the button's click
// notification is sent and timed, first alone (the handler setting captions,
// gauge, colour and icon) and then together with the repaint it causes.
//
//   evaluate_window [RUNS]     (default 10000)
//
// Then the same click with a reading that does not change (so neither does
// the band, the gauge, the colour or the window's icon), and the window icon
// change alone (the two WM_SETICON a change of band sends).
//
// Prints "runs N click_median_us M click_p90_us P shown_median_us S shown_p90_us Q
// same_median_us A same_p90_us B icon_median_us C icon_p90_us D".
// Linked with libpulvar_win.a and the program's resources by scripts/bench.
#include <windows.h>

#include "clock.h"
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "platform/seams.h"
#include "ui/controls/picture_box.h"
#include "ui/main/main_window.h"

namespace {

using bench::NowUs;

using pulvar::form1::Ctl;

struct Entry {
    const wchar_t* pulse;
    const wchar_t* systolic;
    const wchar_t* diastolic;
};
// Whole numbers, so they read the same under every regional setting; each
// one changes the band shown by the previous one.
constexpr Entry kEntries[] = {
    {L"72", L"120", L"80"}, {L"110", L"150", L"95"}, {L"55", L"100", L"58"}, {L"64", L"140", L"87"},
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double Median(std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
double P90(std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v[v.size() * 9 / 10];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10000;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    pulvar::MainWindow form(pulvar::RealServices());
    if (!form.Create(SW_SHOWNOACTIVATE)) return 1;
    Pump();

    HWND hwnd = form.Hwnd();
    HWND button = form.Control(Ctl::Command1);
    const WPARAM click = MAKEWPARAM(pulvar::form1::id(Ctl::Command1), BN_CLICKED);
    std::vector<double> handler, shown;
    handler.reserve(static_cast<size_t>(runs));
    shown.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const Entry& e = kEntries[i % std::size(kEntries)];
        SetWindowTextW(form.Control(Ctl::Text2), e.pulse);
        SetWindowTextW(form.Control(Ctl::Text3), e.systolic);
        SetWindowTextW(form.Control(Ctl::Text4), e.diastolic);
        // Whatever typing left to paint is painted before the clock starts.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

        const double start = NowUs();
        SendMessageW(hwnd, WM_COMMAND, click, reinterpret_cast<LPARAM>(button));
        const double handled = NowUs();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double painted = NowUs();
        handler.push_back(handled - start);
        shown.push_back(painted - start);
        if (i % 64 == 0) Pump();  // the clock's timer and whatever else is queued
    }
    // The same reading again and again: the handler's own work, with nothing
    // on screen changing.
    std::vector<double> same;
    same.reserve(static_cast<size_t>(runs));
    const Entry& typical = kEntries[0];
    SetWindowTextW(form.Control(Ctl::Text2), typical.pulse);
    SetWindowTextW(form.Control(Ctl::Text3), typical.systolic);
    SetWindowTextW(form.Control(Ctl::Text4), typical.diastolic);
    for (int i = 0; i < runs; ++i) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double start = NowUs();
        SendMessageW(hwnd, WM_COMMAND, click, reinterpret_cast<LPARAM>(button));
        same.push_back(NowUs() - start);
        if (i % 64 == 0) Pump();
    }

    // The window icon alone, between two lamps, as a change of band sets it.
    std::vector<double> icon;
    icon.reserve(static_cast<size_t>(runs));
    const Ctl lamps[] = {Ctl::Picture3, Ctl::Picture4};
    for (int i = 0; i < runs; ++i) {
        HWND lamp = form.Control(lamps[i % 2]);
        const LPARAM big = reinterpret_cast<LPARAM>(pulvar::PictureBox(lamp).BigIcon());
        const LPARAM small = reinterpret_cast<LPARAM>(pulvar::PictureBox(lamp).SmallIcon());
        const double start = NowUs();
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, big);
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, small);
        icon.push_back(NowUs() - start);
        if (i % 64 == 0) Pump();
    }

    std::printf("runs %d click_median_us %.1f click_p90_us %.1f shown_median_us %.1f shown_p90_us %.1f "
                "same_median_us %.1f same_p90_us %.1f icon_median_us %.1f icon_p90_us %.1f\n",
                runs, Median(handler), P90(handler), Median(shown), P90(shown), Median(same), P90(same),
                Median(icon), P90(icon));
    std::fflush(stdout);
    // The close box would end the program through its own path; leave directly.
    ExitProcess(0);
}
