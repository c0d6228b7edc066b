// Turns a window's layout table into real controls, and the few control
// wrappers the windows need.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/owned.h"
#include "ui/layout.h"

namespace pulvar {

using Font = Owned<HFONT, DeleteObject>;
using Icon = Owned<HICON, DestroyIcon>;
using Bitmap = Owned<HBITMAP, DeleteObject>;
using Brush = Owned<HBRUSH, DeleteObject>;
using Cursor = Owned<HCURSOR, DestroyCursor>;

// Sent to the parent when the pointer moves over a control (wParam: control id),
// and when a control is clicked with the mouse but has no click notification
// of its own (text boxes, picture boxes).
inline constexpr UINT kMsgControlMouseMove = WM_APP + 1;
inline constexpr UINT kMsgControlClick = WM_APP + 2;

// Picture box messages: the background colour, and the icons it holds.
inline constexpr UINT kMsgPictureSetBack = WM_APP + 10;      // wParam: COLORREF
inline constexpr UINT kMsgPictureGetBigIcon = WM_APP + 11;   // returns HICON
inline constexpr UINT kMsgPictureGetSmallIcon = WM_APP + 12; // returns HICON
inline constexpr UINT kMsgPictureGetBack = WM_APP + 13;      // returns COLORREF
inline constexpr UINT kMsgPictureSetDpi = WM_APP + 14;       // wParam: dpi

// The screen's DPI, and a window's own where the system has one per monitor.
int ScreenDpi();
int WindowDpi(HWND hwnd);

// After a DPI change: the window goes to the suggested place with a client
// area of exactly the given twips at the new DPI, whatever its frame.
void FitClientAreaForDpi(HWND hwnd, RECT suggested, int widthTwips, int heightTwips, int dpi);

// A plain window (not a dialog) forgets its focused control when it is
// deactivated: call at WM_ACTIVATE. True when the focus was put back, and
// WM_ACTIVATE must then not reach DefWindowProc.
bool KeepFocusAcrossActivation(HWND window, WPARAM activateState, HWND& lastFocus);

// Loads an icon image of the given size from the program's resources.
HICON LoadIconImage(int resourceId, int size);

class ControlSet {
public:
    static constexpr size_t kFontCount = 6;  // one per FontId

    ControlSet() = default;
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    // Creates every row as a child of parent, in the order of the rows.
    void Create(HWND parent, const ControlRow* rows, size_t count, int dpi);
    // Lays every control out again for another DPI: places, fonts, images.
    void SetDpi(int dpi);

    HWND operator[](int id) const;
    const ControlRow* Row(int id) const;
    // Where a row sits in the parent's client area, in pixels.
    RECT PixelRect(int id) const;
    int Dpi() const { return dpi_; }
    HFONT FontFor(FontId font) const;
    HWND Tooltip() const { return tooltip_; }

private:
    POINT originTwips(const ControlRow& row) const;
    void CreateFonts();
    void LayOut(bool moving);
    DWORD LabelStyle(const ControlRow& row) const;
    void ClipUnderControls(const ControlRow& label, RECT rc, bool redraw);
    HFONT FitCaption(HDC dc, const std::wstring& caption, HFONT font, RECT box, bool wraps);

    const ControlRow* rows_ = nullptr;
    size_t count_ = 0;
    int dpi_ = 96;
    std::map<int, HWND> hwnds_;
    Font fonts_[kFontCount];  // in the order of the font table
    std::vector<Icon> buttonIcons_;
    std::vector<Bitmap> buttonBitmaps_;
    std::vector<Font> fittedFonts_;
    HWND tooltip_ = nullptr;  // a window: destroyed with its owner
};

std::wstring WindowTextW(HWND hwnd);
std::string WindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace pulvar
