// frmAbout: shown from the main window's About button, at most one at a time.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/seams.h"
#include "ui/about/about_layout.h"
#include "ui/about/gif_picture.h"
#include "ui/controls/owners.h"
#include "ui/window.h"

namespace pulvar {

class AboutSlot;

class AboutWindow : public Window {
public:
    // slot: told when the window is gone, so it can free this object; may be null.
    AboutWindow(Services& services, AboutSlot* slot);
    ~AboutWindow() override;

    // Creates the window and its controls, hidden, on the monitor of `nearWindow`;
    // Form_Load has run when it returns.
    bool Create(HWND nearWindow = nullptr);
    HWND Control(about::Ctl c) const { return controls_[about::id(c)]; }
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
    static LRESULT CALLBACK Picture1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    COLORREF LabelTextColour(HWND label) const override;
    void onColoursChanged() override;
    void onGone() override;
    void onCreate() override;
    void onScaleChanged() override;
    void onCommand(int id, int code) override;
    void onControlMouseMove(int id) override;
    void onControlClick(int id) override;
    HCURSOR CursorOver(HWND control) const override;
    void onPaint();
    void paintPicture1(HDC dc);
    void setDisclaimerColour(COLORREF colour);
    void setText(about::Ctl c, const std::string& text);

    Services& services_;
    AboutSlot* slot_;
    // The window is owned by a hidden one so it stays out of the taskbar
    // without a tool window's small title bar.
    HWND owner_ = nullptr;
    Cursor handCursor_;
    GifPicture donate_;
    COLORREF disclaimerColour_ = about::kBlue;  // as the layout has it; see LabelTextColour
    bool highContrast_ = false;
};

// Where the About window lives while it is open: at most one at a time,
// freed once it is closed. The main window holds one.
class AboutSlot {
public:
    explicit AboutSlot(Services& services) : services_(services) {}
    AboutSlot(const AboutSlot&) = delete;
    AboutSlot& operator=(const AboutSlot&) = delete;

    // Creates the About window on the monitor of `nearWindow` if there is none,
    // otherwise brings it to the front.
    void Show(HWND nearWindow = nullptr);
    // The About window now on screen, or null.
    AboutWindow* Current() const;
    // Closes the About window if there is one, as Aceptar does.
    void Close();

private:
    friend class AboutWindow;
    void Gone(AboutWindow* window);

    Services& services_;
    std::unique_ptr<AboutWindow> window_;
};

}  // namespace pulvar
