// frmAbout: shown from the main window's About button, at most one at a time.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/seams.h"
#include "ui/about/about_layout.h"
#include "ui/about/gif_picture.h"
#include "ui/controls_win.h"

namespace pulvar {

// Creates the About window if there is none, otherwise brings it to the front.
void ShowAboutWindow(Services& services);

class AboutWindow;
// The About window now on screen, or null. For tests and the program's shutdown.
AboutWindow* CurrentAboutWindow();
// Closes the About window if there is one, as Aceptar does.
void CloseAboutWindow();

class AboutWindow {
public:
    explicit AboutWindow(Services& services);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Creates the window and its controls, hidden; Form_Load has run when it returns.
    bool Create();
    HWND Hwnd() const { return hwnd_; }
    HWND Control(about::Ctl c) const { return controls_[about::id(c)]; }
    const ControlSet& Controls() const { return controls_; }
    HCURSOR HandCursor() const { return handCursor_.get(); }
    const GifPicture& DonatePicture() const { return donate_; }

    // Handlers, named after the control and event they belong to.
    void Form_Load();
    void Form_MouseMove();
    void lblDisclaimer_MouseMove();
    void lblDisclaimer_Click();
    void picIcon_Click();
    void Picture1_Click();
    void cmdSysInfo_Click();
    // Destroys the window, and with it this object: nothing may follow it.
    void cmdOK_Click();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK Picture1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);
    void onCreate();
    void onDpiChanged(int dpi, RECT suggested);
    void onCommand(int id, int code);
    void onControlMouseMove(int id);
    void onControlClick(int id);
    LRESULT onCtlColorStatic(HDC dc, HWND label);
    BOOL onSetCursor(HWND over);
    void onPaint();
    void paintPicture1(HDC dc);
    void setDisclaimerColour(COLORREF colour);
    void setText(about::Ctl c, const std::string& text);

    Services& services_;
    HWND hwnd_ = nullptr;
    // The window is owned by a hidden one so it stays out of the taskbar
    // without a tool window's small title bar.
    HWND owner_ = nullptr;
    ControlSet controls_;
    Icon iconBig_;
    Icon iconSmall_;
    Cursor handCursor_;
    GifPicture donate_;
    COLORREF disclaimerColour_ = about::kBlue;
    HWND lastFocus_ = nullptr;
    int depth_ = 0;           // messages being handled, nested
    bool destroyed_ = false;  // WM_NCDESTROY has been seen
};

}  // namespace pulvar
