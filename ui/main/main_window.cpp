#include "ui/main/main_window.h"

#include <commctrl.h>

#include <cwchar>

#include "core/classify.h"
#include "core/identity.h"
#include "core/picker.h"
#include "platform/messages.h"
#include "platform/text.h"
#include "report/print_report.h"
#include "res/resource.h"
#include "ui/controls/dpi.h"
#include "ui/controls/picture_box.h"
#include "ui/controls/window_text.h"

namespace pulvar {

using form1::Ctl;

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr unsigned long kEndSessionWaitMs = 4000;

// A sizable frame, as the form was drawn, though the layout itself is fixed.
constexpr WindowKind kKind{L"PulvarForm1", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, 0,
                           form1::kClientWidthTwips, form1::kClientHeightTwips, form1::kLayout.data(),
                           form1::kLayout.size(), IMG_LIGHTS};

// What each control does. The buttons not listed have no action yet, and
// the pointer over any control not listed leaves the title as it is.
using Event = EventRow<MainWindow>;
constexpr Event kClicks[] = {
    {form1::id(Ctl::Command1), &MainWindow::Command1_Click},   {form1::id(Ctl::Command2), &MainWindow::Command2_Click},
    {form1::id(Ctl::Command3), &MainWindow::Command3_Click},   {form1::id(Ctl::Command4), &MainWindow::Command4_Click},
    {form1::id(Ctl::Command6), &MainWindow::Command6_Click},   {form1::id(Ctl::Command11), &MainWindow::Command11_Click},
    {form1::id(Ctl::Command12), &MainWindow::Command12_Click}, {form1::id(Ctl::Label13), &MainWindow::Label13_Click},
};
constexpr Event kPointerOver[] = {
    {form1::id(Ctl::Command12), &MainWindow::Command12_MouseMove},
    {form1::id(Ctl::Command6), &MainWindow::Command6_MouseMove},
};
// The numeric boxes, which have no click notification of their own.
constexpr Event kBoxClicks[] = {
    {form1::id(Ctl::Text2), &MainWindow::Text2_Click},
    {form1::id(Ctl::Text3), &MainWindow::Text3_Click},
    {form1::id(Ctl::Text4), &MainWindow::Text4_Click},
};

// The slider's pointer is the pointing-hand icon turned into a cursor whose
// hot spot is the fingertip.
HCURSOR HandCursorFromIcon(int resourceId, const Scale& scale) {
    Icon icon(LoadIconImage(resourceId, scale.Px(32)));
    if (!icon) return nullptr;
    ICONINFO info{};
    if (!GetIconInfo(icon.get(), &info)) return nullptr;
    Bitmap mask(info.hbmMask), colour(info.hbmColor);
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(scale.Px(12));
    info.yHotspot = static_cast<DWORD>(scale.Px(1));
    return CreateIconIndirect(&info);
}

}  // namespace

MainWindow::MainWindow(Services& services)
    : Window(kKind, services.registry), services_(services), about_(services) {
    for (Ctl c : form1::kInkImages) controls_.DrawInInk(form1::id(c));
}

// The window goes first, while every part of this object is still there.
MainWindow::~MainWindow() { DestroyUnhandled(); }

bool MainWindow::Create(int showCommand) {
    if (!CreateCentred(nullptr, nullptr)) return false;
    if (showCommand != SW_HIDE) {
        ShowWindow(hwnd_, showCommand);
        UpdateWindow(hwnd_);
    }
    SetFocus(Control(Ctl::Text1));
    return true;
}

LRESULT MainWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_DESTROY:
            KillTimer(hwnd_, kTimer1);
            // The program ends with its main window, however the window went.
            PostQuitMessage(0);
            return 0;
        case WM_CLOSE:
            Form_QueryUnload();
            return 0;
        case WM_SYSCOMMAND:
            // DefWindowProc drops a close from the close box, the system menu,
            // the taskbar or Alt+F4 while the window is disabled, as it is
            // while a report prints.
            if ((wp & 0xFFF0) == SC_CLOSE && ReportPrinting()) {
                Form_QueryUnload();
                return 0;
            }
            break;
        case WM_QUERYENDSESSION:
            // The report would be lost with the session: the system shows the
            // user the reason the report gave this window.
            if (LongWork::Running()) return FALSE;
            break;
        case WM_ENDSESSION:
            if (wp) {
                // The session ends all the same: a report being printed gets
                // a few seconds to reach the queue, and is given up after.
                if (WaitForReport(kEndSessionWaitMs))
                    Form_QueryUnload();
                else
                    services_.ending.TerminateProgram();
            }
            return 0;
        case kMsgReportEnded:
            if (asking_) ReportEndedWhileAsking();
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lp) == Control(Ctl::Slider1)) Slider1_Change();
            return 0;
        case WM_TIMER:
            if (wp == kTimer1) Timer1_Timer();
            if (wp == kCloseWaitTimer) AskToAbandonReport();
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
            return 0;
    }
    return Window::onMessage(msg, wp, lp);
}

void MainWindow::onCreate() {
    // Screen readers name an entry box after the label just before it in
    // z-order. Labels never take the focus, so moving them leaves the tab
    // order alone.
    for (const form1::CaptionFor& pair : form1::kEntryCaptions) {
        HWND before = GetWindow(Control(pair.box), GW_HWNDPREV);
        SetWindowPos(Control(pair.label), before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND slider = Control(Ctl::Slider1);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderMin, kSliderMax));
    SendMessageW(slider, TBM_SETPOS, TRUE, kSliderMin);
    SendMessageW(slider, TBM_SETLINESIZE, 0, form1::kSliderLineSize);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, form1::kSliderPageSize);
    SendMessageW(Control(Ctl::ProgressBar1), PBM_SETRANGE32, kGaugeMin, kGaugeMax);
    SendMessageW(Control(Ctl::ProgressBar1), PBM_SETPOS, kGaugeMin, 0);
    SetTimer(hwnd_, kTimer1, form1::kTimer1IntervalMs, nullptr);
    Form_Load();
}

void MainWindow::onCommand(int id, int code) {
    if (code == BN_CLICKED) RunHandler(*this, kClicks, id);  // STN_CLICKED has the same value
}

void MainWindow::onControlMouseMove(int id) { RunHandler(*this, kPointerOver, id); }

void MainWindow::onControlClick(int id) { RunHandler(*this, kBoxClicks, id); }

// Group boxes let the pointer through to the window, so the window tells the
// frames apart from its bare surface by where the pointer is.
void MainWindow::onMouseMove(POINT pt) {
    auto inside = [&](Ctl frame) {
        RECT rc = controls_.PixelRect(form1::id(frame));
        return PtInRect(&rc, pt) != FALSE;
    };
    if (inside(Ctl::Frame1))
        Frame1_MouseMove();
    else if (inside(Ctl::Frame2))
        Frame2_MouseMove();
    else
        Form_MouseMove();
}

// The slider's pointer is made again for the new scale when next needed, or
// at once if it is the pointer now: a cursor in use must not be destroyed.
// (The lamp lent to the window as its icon lends its new icons itself.)
void MainWindow::onScaleChanged() {
    const Cursor old = std::move(sliderCursor_);
    if (old && GetCursor() == old.get()) SetCursor(CursorOver(Control(Ctl::Slider1)));
}

// The slider starts hidden, so its pointer is made when the pointer first
// comes over it rather than at start, where each icon costs Wine server
// round trips.
HCURSOR MainWindow::CursorOver(HWND control) const {
    if (control != Control(Ctl::Slider1)) return nullptr;
    if (!sliderCursor_) sliderCursor_.reset(HandCursorFromIcon(IMG_HAND_SLIDER, Scaling()));
    return sliderCursor_.get();
}

std::string MainWindow::Text(Ctl c) const { return WindowTextUtf8(Control(c)); }

void MainWindow::SetText(Ctl c, const std::string& text) { SetWindowTextUtf8(Control(c), text); }

void MainWindow::SetShown(Ctl c, bool shown) { ShowWindow(Control(c), shown ? SW_SHOWNA : SW_HIDE); }

// The control's own flag, not IsWindowVisible: the answer must not depend on
// whether the window itself is on screen.
bool MainWindow::IsShown(Ctl c) const { return (GetWindowLongW(Control(c), GWL_STYLE) & WS_VISIBLE) != 0; }

void MainWindow::Form_Load() { ReplaceWindowTextUtf8(hwnd_, ProductTitle(kVersion)); }

void MainWindow::Form_MouseMove() { ReplaceWindowTextUtf8(hwnd_, ProductTitle(kVersion)); }

void MainWindow::Frame1_MouseMove() { ReplaceWindowTextUtf8(hwnd_, kHintAnalysis); }

void MainWindow::Frame2_MouseMove() { ReplaceWindowTextUtf8(hwnd_, kHintAnalysis); }

void MainWindow::Command12_MouseMove() { ReplaceWindowTextUtf8(hwnd_, kHintPicker); }

void MainWindow::Command6_MouseMove() { ReplaceWindowTextUtf8(hwnd_, kHintAdd); }

void MainWindow::Form_QueryUnload() {
    // Ending now would pull the device context from under the report being
    // printed: the program ends as soon as the report is queued, or asks
    // when the printer has not answered in a short while.
    if (printing_) {
        if (!closeAfterPrinting_) SetTimer(hwnd_, kCloseWaitTimer, kCloseWaitMs, nullptr);
        closeAfterPrinting_ = true;
        return;
    }
    services_.ending.EndProgram();
}

// A printer that does not answer may keep the report from the queue for
// minutes, or for good: the user decides whether to close all the same.
void MainWindow::AskToAbandonReport() {
    KillTimer(hwnd_, kCloseWaitTimer);
    if (!closeAfterPrinting_ || asking_ || !ReportPrinting()) return;
    asking_ = true;
    endedWhileAsking_ = false;
    const int answer = services_.prompt.Show(hwnd_, kPrinterSilentQuestion, kCloseTitle,
                                             kBoxOkCancel | kBoxIconExclamation);
    asking_ = false;
    if (endedWhileAsking_) return;  // the close goes on as asked
    closeAfterPrinting_ = false;    // Cancel: a later close asks again
    // At once, without waiting for the printing thread, which may be stuck
    // inside the driver.
    if (answer == kAnswerOk) services_.ending.TerminateProgram();
}

// The report reached the queue while the question was up: the question goes
// by itself. It is the message box this window owns, on this thread.
void MainWindow::ReportEndedWhileAsking() {
    endedWhileAsking_ = true;
    struct Box {
        static BOOL CALLBACK End(HWND box, LPARAM owner) {
            wchar_t kind[8] = {};
            if (GetWindow(box, GW_OWNER) != reinterpret_cast<HWND>(owner) || !IsWindowEnabled(box) ||
                !GetClassNameW(box, kind, 8) || std::wcscmp(kind, L"#32770") != 0)
                return TRUE;
            EndDialog(box, IDCANCEL);
            return FALSE;
        }
    };
    EnumThreadWindows(GetCurrentThreadId(), Box::End, reinterpret_cast<LPARAM>(hwnd_));
}

void MainWindow::Command1_Click() {
    const NumberFormat format = services_.locale.Number();
    std::string pulse = Text(Ctl::Text2), systolic = Text(Ctl::Text3), diastolic = Text(Ctl::Text4);
    EntryCheck check = CheckEntries(pulse, systolic, diastolic, format);
    if (check.messages >= 1) services_.prompt.Show(hwnd_, kInputMessage, kAppTitle, kBoxOk);
    if (check.emptyNumericBoxes) {
        services_.prompt.Show(hwnd_, kInputMessage, kAppTitle, kBoxOk);
        SetText(Ctl::Text2, "");
        SetText(Ctl::Text3, "");
        SetText(Ctl::Text4, "");
        SetFocus(Control(Ctl::Text2));
    }
    SetText(Ctl::Label6, Text(Ctl::Text1));
    // The boxes as they stand now: the modal boxes above let the user type
    // nothing into them, so only the emptying can have changed them.
    if (check.emptyNumericBoxes) pulse = systolic = diastolic = "";
    reading_ = CaptureReading(pulse, systolic, diastolic, format);
    ShowResults();
}

void MainWindow::ShowResults() {
    Results results = ShowResultsFor(reading_, services_.locale.Number());
    SetText(Ctl::Label7, results.pulseCaption);
    SetText(Ctl::Label8, results.pressureCaption);
    SendMessageW(Control(Ctl::ProgressBar1), PBM_SETPOS, static_cast<WPARAM>(results.gauge), 0);
    PictureBox(Control(Ctl::Picture1)).SetBack(results.colour);
    Ctl lamp = results.lamp == Lamp::Red ? Ctl::Picture5 : results.lamp == Lamp::Amber ? Ctl::Picture3 : Ctl::Picture4;
    const PictureBox lampBox(Control(lamp));
    SetIcons(lampBox.BigIcon(), lampBox.SmallIcon());
}

void MainWindow::Command2_Click() { about_.Show(hwnd_); }

void MainWindow::Command3_Click() {
    // Printing can run a message loop (the box that asks where a print to a
    // file goes), and this click can come through it again.
    if (printing_) return;
    printing_ = true;
    closeAfterPrinting_ = false;
    {
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{printing_};
        ReportInput input{Text(Ctl::Text1), reading_, Text(Ctl::Label7), Text(Ctl::Label8)};
        PrintReport(hwnd_, services_, input);
    }
    KillTimer(hwnd_, kCloseWaitTimer);
    if (closeAfterPrinting_) services_.ending.EndProgram();
}

void MainWindow::Command4_Click() {
    if (services_.prompt.Show(hwnd_, kCloseQuestion, kCloseTitle, kBoxOkCancel | kBoxIconQuestion) == kAnswerOk)
        services_.ending.EndProgram();
}

void MainWindow::Command11_Click() {
    SetText(Ctl::Text1, "");
    SetText(Ctl::Text2, "");
    SetText(Ctl::Text3, "");
    SetText(Ctl::Text4, "");
    SetText(Ctl::Label6, "");
    SetText(Ctl::Label7, "");
    SetText(Ctl::Label8, "");
    PictureBox(Control(Ctl::Picture1)).SetBack(kCyan);
    SendMessageW(Control(Ctl::ProgressBar1), PBM_SETPOS, kGaugeMin, 0);
    SetIcons(StandardIcon(), StandardSmallIcon());
    SetFocus(Control(Ctl::Text1));
}

void MainWindow::Command12_Click() {
    const bool open = !IsShown(Ctl::Label13);
    SetShown(Ctl::Label13, open);
    SetShown(Ctl::Slider1, open);
    SetShown(Ctl::Picture2, open);
}

void MainWindow::Slider1_Change() {
    const int position = static_cast<int>(SendMessageW(Control(Ctl::Slider1), TBM_GETPOS, 0, 0));
    SetText(Ctl::Label13, PickerCaption(position));
    if (PickerHidesClock(position)) SetShown(Ctl::Picture2, false);
}

void MainWindow::Label13_Click() { SetText(Ctl::Text2, Text(Ctl::Label13)); }

void MainWindow::EmptyAndFocus(Ctl c) {
    SetText(c, "");
    SetFocus(Control(c));
}

void MainWindow::Timer1_Timer() { SetText(Ctl::Label9, services_.clock.TimeOfDay()); }

}  // namespace pulvar
