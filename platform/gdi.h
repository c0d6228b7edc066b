// Owners for the GDI and USER resources that are borrowed rather than
// created: a window's device context, a paint, an object selected into a DC.
// Created objects (fonts, bitmaps, regions, memory DCs) use Owned directly.
#pragma once

#include <windows.h>

#include "platform/owned.h"

namespace pulvar {

using MemoryDc = Owned<HDC, DeleteDC>;  // CreateCompatibleDC, CreateDC
using Region = Owned<HRGN, DeleteObject>;
using Pen = Owned<HPEN, DeleteObject>;

// GetDC and ReleaseDC: a window's DC, or the screen's for no window.
class ScreenDc {
public:
    explicit ScreenDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
        if (dc_) ++HandleCount::live;
    }
    ~ScreenDc() {
        if (!dc_) return;
        ReleaseDC(hwnd_, dc_);
        --HandleCount::live;
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint and EndPaint, for WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~PaintScope() { EndPaint(hwnd_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the DC's previous one back at the end
// of the scope, before either can be freed.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), previous_(SelectObject(dc, object)) {
        if (previous_ == HGDI_ERROR) previous_ = nullptr;
    }
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // False when the object could not be selected.
    explicit operator bool() const { return previous_ != nullptr; }
    // Selects the object again, for a DC whose state was reset (some printer
    // drivers give each page a fresh one); what goes back stays the first.
    bool Renew() {
        HGDIOBJ previous = SelectObject(dc_, object_);
        return previous && previous != HGDI_ERROR;
    }

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

}  // namespace pulvar
