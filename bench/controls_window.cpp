// A second yardstick for Pulvar's start-up: a plain Win32 window holding the
// same controls as Pulvar's main window, built from the same layout table, with
// the same version 6 common controls, and nothing else: no fonts chosen, no
// images, no tooltips, no subclassing, no timer. Under Wine every child window
// costs server round trips to create and to paint, whoever creates it; the
// difference between this program and Pulvar.exe is what Pulvar itself adds.
#include <windows.h>
#include <commctrl.h>

#include "ui/main/form1_layout.h"

namespace {

using pulvar::ControlRow;
using pulvar::Kind;
using pulvar::TwipsToPixels;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Where a row sits in the client area at 96 DPI: its containers' offsets added.
RECT PixelRect(const ControlRow& row) {
    int x = row.rc.left, y = row.rc.top;
    for (int c = row.container; c != 0;) {
        const ControlRow* container = nullptr;
        for (const ControlRow& r : pulvar::form1::kLayout)
            if (r.id == c) container = &r;
        if (!container) break;
        x += container->rc.left;
        y += container->rc.top;
        c = container->container;
    }
    const int left = TwipsToPixels(x, 96), top = TwipsToPixels(y, 96);
    return {left, top, left + TwipsToPixels(row.rc.width, 96), top + TwipsToPixels(row.rc.height, 96)};
}

void CreateControl(HWND parent, HINSTANCE instance, const ControlRow& row) {
    const wchar_t* cls = L"Static";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (row.hidden ? 0 : WS_VISIBLE);
    DWORD exStyle = 0;
    switch (row.kind) {
        case Kind::Frame: cls = L"Button"; style |= BS_GROUPBOX; break;
        case Kind::Label: style |= SS_LEFT; break;
        case Kind::LabelCentred: style |= SS_CENTER; break;
        case Kind::TextBox:
            cls = L"Edit";
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case Kind::Button:
        case Kind::PictureButton: cls = L"Button"; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
        case Kind::PictureBox:
            if (row.border == pulvar::Border::Flat) style |= WS_BORDER;
            if (row.border == pulvar::Border::Sunken) exStyle |= WS_EX_CLIENTEDGE;
            break;
        case Kind::Slider: cls = TRACKBAR_CLASSW; style |= WS_TABSTOP; break;
        case Kind::ProgressBar: cls = PROGRESS_CLASSW; break;
        case Kind::Line: return;
    }
    wchar_t caption[64] = {};  // the layout's captions are UTF-8
    if (row.caption) MultiByteToWideChar(CP_UTF8, 0, row.caption, -1, caption, 63);
    const RECT rc = PixelRect(row);
    CreateWindowExW(exStyle, cls, caption, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
}

// The window with its controls, not yet shown.
HWND CreatePlainWindow(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ControlsWindow";
    if (!RegisterClassW(&wc)) return nullptr;

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    RECT rc{0, 0, TwipsToPixels(pulvar::form1::kClientWidthTwips, 96),
            TwipsToPixels(pulvar::form1::kClientHeightTwips, 96)};
    AdjustWindowRectEx(&rc, kStyle, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Ventana con los mismos controles", kStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, instance,
                                nullptr);
    if (!hwnd) return nullptr;
    for (const ControlRow& row : pulvar::form1::kLayout) CreateControl(hwnd, instance, row);
    return hwnd;
}

}  // namespace

// bench/startup_parts.cpp takes the pieces above and brings its own entry.
#ifndef PULVAR_CONTROLS_WINDOW_PARTS
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    HWND hwnd = CreatePlainWindow(instance);
    if (!hwnd) return 1;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
#endif
