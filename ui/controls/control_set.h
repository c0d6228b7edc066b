// The table engine: turns a window's layout rows into real controls, and
// lays them out again when the window's scale changes. It knows no window's
// details.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "ui/controls/dpi.h"
#include "ui/controls/fonts.h"
#include "ui/controls/owners.h"
#include "ui/layout.h"

namespace pulvar {

class ControlSet {
public:
    ControlSet() = default;
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    // Creates every row as a child of parent, in the order of the rows, at
    // the parent's scale, which the set follows from then on.
    void Create(HWND parent, const ControlRow* rows, size_t count, const Scale& scale);
    // The tooltip and the rows' tips. Nobody sees a tip before the pointer
    // has rested on a control, and a screen reader reads one only for the
    // control with the focus, so the window makes them when the pointer first
    // moves over a control or the focus first moves on; once only.
    void CreateTooltip() const;
    // The parent's scale changed: every control is laid out again (places,
    // fonts, images, the tooltip's width and font).
    void Rescale();
    // A picture button whose image's black is ink (ui/controls/ink.h); told
    // before Create.
    void DrawInInk(int id) { inkIds_.push_back(id); }
    // The system colours changed: the images drawn in them are made again.
    void SystemColoursChanged();

    HWND operator[](int id) const;
    const ControlRow* Row(int id) const;
    // Where a row sits in the parent's client area, in pixels.
    RECT PixelRect(int id) const;
    HFONT FontFor(FontId font) const { return fonts_[font]; }
    // The tooltip, made now if the window has not made it yet.
    HWND Tooltip() const;

private:
    POINT originTwips(const ControlRow& row) const;
    HWND createControl(HWND parent, const ControlRow& row);
    void addTip(HWND control, const char* tip) const;
    void scaleTooltip() const;
    static LRESULT CALLBACK TooltipProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    void layOut(bool moving);
    void setButtonImage(HWND button, int resourceId);
    bool inInk(int id) const;
    DWORD labelStyle(const ControlRow& row) const;
    void clipUnderControls(const ControlRow& label, RECT rc, bool redraw);

    const ControlRow* rows_ = nullptr;
    size_t count_ = 0;
    const Scale* scale_ = nullptr;  // the parent's
    std::map<int, HWND> hwnds_;
    FontSet fonts_;
    std::vector<Icon> buttonIcons_;
    std::vector<int> inkIds_;
    std::vector<Icon> inkIcons_;  // made again when the colours change
    std::vector<Bitmap> buttonBitmaps_;
    std::vector<Font> fittedFonts_;
    mutable Font tooltipFont_;
    HWND parent_ = nullptr;
    mutable HWND tooltip_ = nullptr;  // a window: destroyed with its owner
};

}  // namespace pulvar
