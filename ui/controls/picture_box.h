// The picture box: a window of the program's own class that shows an image
// or just its background colour, and reports the pointer and its clicks.
#pragma once

#include <windows.h>

#include "ui/controls/dpi.h"

namespace pulvar {

// Registers the class once; false when the system refuses it.
bool RegisterPictureBoxClass();
inline constexpr wchar_t kPictureBoxClass[] = L"PulvarPictureBox";

// The box's messages; PictureBox below is how the program sends them.
inline constexpr UINT kMsgPictureSetBack = WM_APP + 10;      // wParam: COLORREF
inline constexpr UINT kMsgPictureGetBigIcon = WM_APP + 11;   // returns HICON
inline constexpr UINT kMsgPictureGetSmallIcon = WM_APP + 12; // returns HICON
inline constexpr UINT kMsgPictureGetBack = WM_APP + 13;      // returns COLORREF
inline constexpr UINT kMsgPictureSetScale = WM_APP + 14;     // wParam: monitor DPI, lParam: draw DPI
inline constexpr UINT kMsgPictureSetTooltip = WM_APP + 15;   // wParam: the form's tooltip
inline constexpr UINT kMsgPictureLoadImage = WM_APP + 16;    // wParam: resource id

class PictureBox {
public:
    explicit PictureBox(HWND hwnd) : hwnd_(hwnd) {}

    // CLR_INVALID: the standard button face.
    void SetBack(COLORREF colour) const { SendMessageW(hwnd_, kMsgPictureSetBack, colour, 0); }
    COLORREF Back() const { return static_cast<COLORREF>(SendMessageW(hwnd_, kMsgPictureGetBack, 0, 0)); }
    // The icon it holds, at the system's two icon sizes for the monitor's
    // DPI (the sizes a window's icons have); null for a bitmap. A new scale
    // loads new ones and frees these, once a window that shows them as its
    // icon has been given the new ones. The box itself draws the icon at the
    // size its scale gives.
    HICON BigIcon() const { return reinterpret_cast<HICON>(SendMessageW(hwnd_, kMsgPictureGetBigIcon, 0, 0)); }
    HICON SmallIcon() const { return reinterpret_cast<HICON>(SendMessageW(hwnd_, kMsgPictureGetSmallIcon, 0, 0)); }
    void SetScale(const Scale& scale) const {
        SendMessageW(hwnd_, kMsgPictureSetScale, static_cast<WPARAM>(scale.MonitorDpi()),
                     static_cast<LPARAM>(scale.DrawDpi()));
    }
    // The form's tooltip, which shows this box's tip from its mouse messages.
    void SetTooltip(HWND tooltip) const {
        SendMessageW(hwnd_, kMsgPictureSetTooltip, reinterpret_cast<WPARAM>(tooltip), 0);
    }
    // An icon or bitmap resource, loaded when first needed and kept for the
    // box's life.
    void LoadImage(int resourceId) const {
        SendMessageW(hwnd_, kMsgPictureLoadImage, static_cast<WPARAM>(resourceId), 0);
    }

private:
    HWND hwnd_;
};

// True for a bitmap resource, false for an icon.
bool IsBitmapResource(int resourceId);

}  // namespace pulvar
