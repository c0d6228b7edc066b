// Where Pulvar's start-up time goes: each part of it on its own, timed inside
// a fresh process, beside the plain window with the same controls.
//
//   startup_parts PART
//
// PART is one of: plain (the plain window with the same controls, created
// and painted, as bench/controls_window.cpp), pulvar (Pulvar's real main
// window, created and painted), fonts (the layout's fonts made and realised),
// fitting (the captions fitted to their boxes, once the fonts are there),
// window-icon (the window's two icons, handed over with WM_SETICON), button-images (the picture buttons' images, handed to the
// buttons, which copy them), box-images (the picture boxes' icons, which the
// lamps lend to the window; now loaded when first needed), slider-pointer (made from an icon, now when the
// pointer first comes over the slider), tooltips (the tooltip and its tips, now
// made when the pointer first moves over a control), regions (the labels'
// window regions), subclass (the pointer relay on each control), z-order (the moves after
// creation). The parts that need controls get the plain window's, made
// untimed first. Prints "part PART MS". Linked with libpulvar_win.a and the
// program's resources by scripts/bench.
#include <windows.h>

#include "clock.h"
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#define PULVAR_CONTROLS_WINDOW_PARTS  // its pieces, without its wWinMain
#include "bench/controls_window.cpp"
#include "platform/seams.h"
#include "platform/text.h"
#include "res/resource.h"
#include "ui/controls/fonts.h"
#include "ui/controls/owners.h"
#include "ui/main/main_window.h"

namespace {

using bench::NowMs;

using pulvar::ControlRow;
using pulvar::Kind;
using pulvar::form1::kLayout;

HWND PlainWindow(bool shown) {
    HWND hwnd = CreatePlainWindow(GetModuleHandleW(nullptr));
    if (shown && hwnd) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

bool IsIconRow(const ControlRow& row) {
    return FindResourceW(nullptr, MAKEINTRESOURCEW(row.image), MAKEINTRESOURCEW(2) /*RT_BITMAP*/) == nullptr;
}

double Part(const std::wstring& part) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
    if (part == L"plain") {
        const double start = NowMs();
        PlainWindow(true);
        return NowMs() - start;
    }
    if (part == L"pulvar") {
        static pulvar::MainWindow form(pulvar::RealServices());
        const double start = NowMs();
        form.Create(SW_SHOWNORMAL);
        return NowMs() - start;
    }
    if (part == L"fonts" || part == L"fitting") {
        static pulvar::FontSet fonts;
        HDC dc = CreateCompatibleDC(nullptr);
        double start = NowMs();
        fonts.Create(pulvar::Scale(96, 96));
        for (pulvar::FontId id : {pulvar::FontId::Default, pulvar::FontId::Sans975, pulvar::FontId::Sans975Bold,
                                  pulvar::FontId::Sans12Bold, pulvar::FontId::Sans18Bold,
                                  pulvar::FontId::Sans12BoldName}) {
            HGDIOBJ old = SelectObject(dc, fonts[id]);
            TEXTMETRICW tm;
            GetTextMetricsW(dc, &tm);
            SelectObject(dc, old);
        }
        if (part == L"fitting") {
            start = NowMs();
            std::vector<pulvar::Font> fitted;
            for (const ControlRow& row : kLayout) {
                if (row.kind != Kind::Label || !row.caption || !*row.caption) continue;
                const bool wraps = pulvar::TwipsToPixels(row.rc.height, 96) >=
                                   -2 * pulvar::FontSet::HeightFor(row.font, pulvar::Scale(96, 96));
                fitted.push_back(pulvar::CondensedToFit(dc, pulvar::Widen(row.caption), fonts[row.font],
                                                        PixelRect(row), wraps));
            }
        }
        const double took = NowMs() - start;
        DeleteDC(dc);
        return took;
    }
    if (part == L"window-icon" || part == L"button-images" || part == L"box-images" ||
        part == L"slider-pointer") {
        HWND hwnd = PlainWindow(false);
        std::vector<HANDLE> kept;
        const double start = NowMs();
        if (part == L"window-icon") {
            kept.push_back(pulvar::LoadIconImage(IMG_LIGHTS, big));
            kept.push_back(pulvar::LoadIconImage(IMG_LIGHTS, small));
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(kept[1]));
            SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(kept[2]));
        } else if (part == L"button-images") {
            for (const ControlRow& row : kLayout) {
                if (row.kind != Kind::PictureButton) continue;
                const bool icon = IsIconRow(row);
                HANDLE image = icon ? static_cast<HANDLE>(pulvar::LoadIconImage(row.image, 32))
                                    : LoadImageW(module, MAKEINTRESOURCEW(row.image), IMAGE_BITMAP, 0, 0, 0);
                kept.push_back(image);
                SendMessageW(GetDlgItem(hwnd, row.id), BM_SETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP,
                             reinterpret_cast<LPARAM>(image));
            }
        } else if (part == L"box-images") {
            for (const ControlRow& row : kLayout) {
                if (row.kind != Kind::PictureBox || row.image == 0 || !IsIconRow(row)) continue;
                kept.push_back(pulvar::LoadIconImage(row.image, big));
                kept.push_back(pulvar::LoadIconImage(row.image, small));
            }
        } else {
            HICON hand = pulvar::LoadIconImage(IMG_HAND_SLIDER, 32);
            ICONINFO info{};
            GetIconInfo(hand, &info);
            kept.push_back(CreateIconIndirect(&info));
        }
        return NowMs() - start;
    }
    if (part == L"tooltips") {
        HWND hwnd = PlainWindow(false);
        const double start = NowMs();
        HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, module,
                                    nullptr);
        SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 400);
        for (const ControlRow& row : kLayout) {
            if (!row.tip) continue;
            std::wstring text = pulvar::Widen(row.tip);
            TTTOOLINFOW ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_IDISHWND;
            ti.hwnd = hwnd;
            ti.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd, row.id));
            ti.lpszText = text.data();
            SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
        return NowMs() - start;
    }
    if (part == L"regions") {
        HWND hwnd = PlainWindow(false);
        const double start = NowMs();
        for (const ControlRow& label : kLayout) {
            if (label.kind != Kind::Label && label.kind != Kind::LabelCentred) continue;
            const RECT rc = PixelRect(label);
            HRGN region = CreateRectRgn(0, 0, rc.right - rc.left, rc.bottom - rc.top);
            bool clipped = false;
            for (const ControlRow& other : kLayout) {
                const bool solid = other.kind == Kind::TextBox || other.kind == Kind::Button ||
                                   other.kind == Kind::PictureButton || other.kind == Kind::Slider ||
                                   other.kind == Kind::PictureBox;
                RECT theirs = PixelRect(other), overlap{};
                if (!solid || other.hidden || !IntersectRect(&overlap, &rc, &theirs)) continue;
                OffsetRect(&overlap, -rc.left, -rc.top);
                HRGN cut = CreateRectRgnIndirect(&overlap);
                CombineRgn(region, region, cut, RGN_DIFF);
                DeleteObject(cut);
                clipped = true;
            }
            if (!clipped || !SetWindowRgn(GetDlgItem(hwnd, label.id), region, FALSE)) DeleteObject(region);
        }
        return NowMs() - start;
    }
    if (part == L"subclass") {
        HWND hwnd = PlainWindow(false);
        const double start = NowMs();
        for (const ControlRow& row : kLayout) {
            HWND control = GetDlgItem(hwnd, row.id);
            if (!control || row.kind == Kind::PictureBox) continue;
            SetWindowLongPtrW(control, GWLP_WNDPROC, GetWindowLongPtrW(control, GWLP_WNDPROC));
        }
        return NowMs() - start;
    }
    if (part == L"z-order") {
        HWND hwnd = PlainWindow(false);
        constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        const double start = NowMs();
        for (const pulvar::form1::CaptionFor& pair : pulvar::form1::kEntryCaptions) {
            HWND box = GetDlgItem(hwnd, pulvar::form1::id(pair.box));
            HWND before = GetWindow(box, GW_HWNDPREV);
            SetWindowPos(GetDlgItem(hwnd, pulvar::form1::id(pair.label)), before ? before : HWND_TOP, 0, 0, 0, 0,
                         kFlags);
        }
        return NowMs() - start;
    }
    return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_parts PART\n");
        return 2;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    const double ms = Part(argv[1]);
    if (ms < 0) {
        std::fprintf(stderr, "startup_parts: no part %ls\n", argv[1]);
        return 2;
    }
    std::printf("part %ls %.2f\n", argv[1], ms);
    return 0;
}
