// What every window of the program does, written once: its class, its place
// and scale at creation, the trampoline from USER32 to the object, changes of
// DPI and of text size, label colours, its icons, and freeing the object once
// the window is gone.
// MainWindow and AboutWindow derive from it and keep only what is theirs.
#pragma once

#include <windows.h>

#include "platform/registry.h"
#include "ui/controls/control_set.h"
#include "ui/controls/dpi.h"
#include "ui/controls/owners.h"
#include "ui/layout.h"

namespace pulvar {

// What kind of window a Window is: its class, frame, client size in twips,
// controls and icon.
struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    int clientWidthTwips;
    int clientHeightTwips;
    const ControlRow* rows;  // the layout table, created at WM_CREATE
    size_t rowCount;
    int iconId;              // the class icon and the window's own icons
};

// One control event of a window, as a table row: the control and the
// handler it runs. Each window keeps one table per kind of event.
template <class W>
struct EventRow {
    int control;
    void (W::*handler)();
};

// Runs the handler that rows give for control, if any.
template <class W, size_t N>
void RunHandler(W& window, const EventRow<W> (&rows)[N], int control) {
    for (const EventRow<W>& row : rows)
        if (row.control == control) return (window.*row.handler)();
}

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }
    const ControlSet& Controls() const { return controls_; }
    // How the client area is drawn: the monitor's DPI and the text size.
    const Scale& Scaling() const { return scale_; }
    // The window's own icon, before any handler lends it another.
    HICON StandardIcon() const { return iconBig_.get(); }

protected:
    // The registry gives the user's text size.
    explicit Window(const WindowKind& kind, Registry& registry = RealRegistry()) : kind_(kind), registry_(registry) {}
    // Destroys the window, if any, without running its handlers.
    virtual ~Window();

    // Creates the window, hidden, with its controls: on the monitor of `nearWindow`
    // (the primary one when null), laid out for that monitor's DPI and the
    // user's text size and centred on its work area. WM_CREATE has been
    // handled when it returns.
    bool CreateCentred(HWND owner, HWND nearWindow);
    // For destructors: the window goes, and no handler of this object runs.
    void DestroyUnhandled();

    // One named handler per case; what a window leaves to the base goes to
    // Window::onMessage, which ends in DefWindowProc.
    virtual LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);
    // WM_CREATE, once the controls and the icons are there.
    virtual void onCreate() {}
    // The scale changed (the DPI or the text size) and the controls and the
    // window's own icons follow it: anything else that does.
    virtual void onScaleChanged() {}
    // A label's text colour; the background is always the window's face.
    virtual COLORREF LabelTextColour(HWND /*label*/) const { return GetSysColor(COLOR_BTNTEXT); }
    // The colour scheme changed, or high contrast went on or off: anything
    // the window keeps of it. Everything is repainted afterwards.
    virtual void onColoursChanged() {}
    // The controls' own events: a click (WM_COMMAND), the pointer moving
    // over one, a click on one that has no notification of its own.
    virtual void onCommand(int /*id*/, int /*code*/) {}
    virtual void onControlMouseMove(int /*id*/) {}
    virtual void onControlClick(int /*id*/) {}
    // The pointer the window shows over one of its controls; null: the class's.
    virtual HCURSOR CursorOver(HWND /*control*/) const { return nullptr; }
    // The window is gone and none of its messages is being handled any more:
    // the one moment its owner may free this object.
    virtual void onGone() {}

    // Gives the window these icons; the same icon again is left alone, since
    // handing it over costs a round trip to the window system for nothing.
    void SetIcons(HICON big, HICON small);
    HICON StandardSmallIcon() const { return iconSmall_.get(); }

    HWND hwnd_ = nullptr;
    ControlSet controls_;

private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool registerClass() const;
    Scale scaleFor(int dpi, const RECT& work) const;
    RECT centredFor(const Scale& scale) const;
    void createParts();
    void applyScale(const Scale& scale, RECT place);
    void followTextSize();
    void followColours(UINT msg, WPARAM wp, LPARAM lp);
    void loadIcons();

    const WindowKind kind_;
    Registry& registry_;
    Scale scale_;               // the one every pixel size of the client area comes from
    int textPercent_ = 100;     // the user's text size, as last read
    RECT work_{};  // the work area of the monitor the window opened on
    Icon iconBig_;
    Icon iconSmall_;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was deactivated
    bool fitOnRestore_ = false;  // the scale changed while the window was minimised
    int depth_ = 0;           // messages being handled, nested
    bool destroyed_ = false;  // WM_NCDESTROY has been seen
};

}  // namespace pulvar
