// "Imprimir " through the real main window, with a recording printer; and,
// when the end-to-end script asks for it, with the real default printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/identity.h"
#include "platform/gdi.h"
#include "platform/messages.h"
#include "fakes.h"
#include "platform/owned.h"
#include "platform/report_font.h"
#include "platform/text.h"
#include "report/print_report.h"
#include "ui/controls/window_text.h"
#include "ui/main/main_window.h"

namespace pulvar {
namespace {

using testing::FakePrompt;
using testing::ShownBox;

// Runs a function on the thread that made this (the user-interface thread)
// from the printing thread, as a message the waiting window thread serves.
class OnUiThread {
public:
    OnUiThread() : window_(CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    }
    ~OnUiThread() { DestroyWindow(window_); }
    void Run(const std::function<void()>& work) const {
        SendMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(&work));
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_APP) return DefWindowProcW(hwnd, msg, wp, lp);
        (*reinterpret_cast<const std::function<void()>*>(lp))();
        return 0;
    }
    HWND window_;
};

// Records what the report asks of a printer, and fails where told to.
class RecordingPrinter : public Printer {
public:
    PrintStart StartDocument(const std::string& title) override {
        calls.push_back("start " + title);
        // Open from the start, as the real printer is while its own box runs.
        if (open) return PrintStart::Failed;
        open = true;
        const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // S_FALSE: in one already
        if (SUCCEEDED(apartment)) CoUninitialize();
        inApartment = apartment == S_FALSE;
        if (duringStart) ui.Run(std::exchange(duringStart, nullptr));
        if (boxAtStart) ShowBox();
        if (silent) WaitForSingleObject(silent.get(), 10000);
        if (throwStart) throw std::bad_alloc();  // widening the printer's name, say
        open = !failStart && !cancelStart;
        if (failStart) return PrintStart::Failed;
        return cancelStart ? PrintStart::Cancelled : PrintStart::Started;
    }
    bool PrintLine(int indentColumns, const std::string& text) override {
        calls.push_back(std::to_string(indentColumns) + "|" + text);
        if (++lineCount == throwingLine) throw std::bad_alloc();
        return failingLines.count(lineCount) == 0;
    }
    PrintEnd EndDocument() override {
        calls.push_back("end");
        if (duringEnd) ui.Run(std::exchange(duringEnd, nullptr));
        if (boxAtEnd) ShowBox();
        open = false;
        return cancelEnd ? PrintEnd::Cancelled : failEnd ? PrintEnd::Failed : PrintEnd::Queued;
    }
    void AbortDocument() override {
        calls.push_back("abort");
        open = false;
    }
    bool DocumentOpen() const override { return open; }

    // A driver's own box, in front until it closes; whileBoxUp runs meanwhile on the user-interface thread.
    void ShowBox() {
        HWND box = CreateWindowExW(0, L"Static", L"Guardar como", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(box);
        if (whileBoxUp) ui.Run(whileBoxUp);
        DestroyWindow(box);
    }

    std::vector<std::string> calls;
    bool failStart = false;
    bool cancelStart = false;  // as when the user declines to name the output file
    bool failEnd = false;
    bool cancelEnd = false;  // as when the job was deleted from the queue
    std::set<int> failingLines;  // 1-based, counted over all documents
    int throwingLine = 0;        // the same count; 0 for none
    int lineCount = 0;
    // Runs inside StartDocument, on the user-interface thread, which serves
    // its messages meanwhile as it does while a printer's own box is open.
    std::function<void()> duringStart;
    std::function<void()> duringEnd;  // the same, inside EndDocument
    bool boxAtStart = false, boxAtEnd = false, throwStart = false, inApartment = false;
    std::function<void()> whileBoxUp;
    Owned<HANDLE, CloseHandle> silent;  // the start waits for it (10 s at most)
    bool open = false;
    OnUiThread ui;
};

const std::string kStart = std::string("start ") + kReportDocumentTitle;
const std::string kFooter = "15|PULVAR - Anàlisis de la Presiòn Sanguinea. " + VersionText(kVersion);

// Everything one report of the given name, pulse and pressure lines asks of the printer.
std::vector<std::string> Document(const std::string& name, const std::string& pulseLine,
                                  const std::string& pressureLine) {
    return {kStart, "0|", "15|" + name, "15|" + pulseLine, "15|" + pressureLine, "0|", kFooter, "end"};
}

const char kTypicalPulse[] = "Su Frecuencia Cardiaca es: 72  72, Completamente Normal. ";
const char kTypicalPressure[] = "Su Presiòn Arterial es: 120 / 80120/80, Normal.Debe chequear su presion cada año.";

void ExpectBox(const ShownBox& box, const std::string& text, const std::string& title, unsigned style) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.style, style);
}

void ExpectQuestion(const ShownBox& box) { ExpectBox(box, kReportQuestion, "Impresiòn en papel", 33u); }

void ExpectFailure(const ShownBox& box) {
    ExpectBox(box, "No se pudo imprimir el reporte. Compruebe la impresora predeterminada.", "PULVAR", 48u);
}

// The title in front once it is the expected one (Wine brings another thread's window forward late), or after 2 s.
std::string FrontOnceSettled(const std::string& expected) {
    for (int i = 0; i < 200 && WindowTextUtf8(GetForegroundWindow()) != expected; ++i)
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) testing::Pump();
    return WindowTextUtf8(GetForegroundWindow());
}

// The main window, hidden, with the given printer behind "Imprimir ".
class ReportWindow {
public:
    explicit ReportWindow(Printer& printer)
        : services_{fakes.prompt, fakes.clock, fakes.locale, fakes.shell, fakes.ending,
                    printer,      RealRegistry(), RealPrograms()},
          window_(services_) {
        created = window_.Create(SW_HIDE);
    }

    void Type(form1::Ctl box, const std::string& text) { SetWindowTextUtf8(window_.Control(box), text); }
    std::string Shown(form1::Ctl c) const { return WindowTextUtf8(window_.Control(c)); }
    std::string Title() const { return WindowTextUtf8(window_.Hwnd()); }
    void Evaluate(const std::string& name, const std::string& pulse, const std::string& systolic,
                  const std::string& diastolic) {
        Type(form1::Ctl::Text1, name);
        Type(form1::Ctl::Text2, pulse);
        Type(form1::Ctl::Text3, systolic);
        Type(form1::Ctl::Text4, diastolic);
        window_.Command1_Click();
    }
    // Created, with Ana's 72 and 120/80 evaluated and no box shown so far.
    bool Evaluated() {
        if (created) Evaluate("Ana", "72", "120", "80");
        fakes.prompt.shown.clear();
        return created;
    }
    MainWindow& window() { return window_; }

    testing::TestServices fakes;
    bool created = false;

private:
    Services services_;
    MainWindow window_;
};

TEST(PrintReport, CancelPrintsNothing) {
    RecordingPrinter printer;
    ReportWindow w(printer);
    ASSERT_TRUE(w.Evaluated());
    w.fakes.prompt.answers = {kAnswerCancel};
    w.window().Command3_Click();
    ASSERT_EQ(w.fakes.prompt.shown.size(), 1u);
    ExpectQuestion(w.fakes.prompt.shown[0]);
    EXPECT_TRUE(printer.calls.empty());
}

// The lines are the core's (tests/core/report_test.cpp). The window hands it the
// name box as it is now, the last evaluation's reading (kept by "Borrar", not
// read again from the boxes), the captions as shown and the regional format.
TEST(PrintReport, PrintsWhatTheWindowHoldsNow) {
    RecordingPrinter printer;
    ReportWindow w(printer);
    ASSERT_TRUE(w.created);
    w.Evaluate("Ana", "72,5", "120,5", "80,25");
    w.window().Command11_Click();
    w.Type(form1::Ctl::Text1, "  Ana Lucía  ");
    w.Type(form1::Ctl::Text2, "99");
    w.fakes.prompt.shown.clear();
    w.window().Command3_Click();
    EXPECT_EQ(printer.calls, Document("  Ana Lucía  ", "Su Frecuencia Cardiaca es: 72,5  ",
                                      "Su Presiòn Arterial es: 120,5 / 80,25"));
    ASSERT_EQ(w.fakes.prompt.shown.size(), 1u);
    ExpectQuestion(w.fakes.prompt.shown[0]);
    EXPECT_EQ(w.Shown(form1::Ctl::Label7), "");
}

TEST(PrintReport, EachConfirmedReportIsADocumentOfItsOwn) {
    RecordingPrinter printer;
    ReportWindow w(printer);
    ASSERT_TRUE(w.Evaluated());
    w.fakes.prompt.answers = {kAnswerOk, kAnswerCancel, kAnswerOk};
    w.window().Command3_Click();
    w.window().Command3_Click();
    w.window().Command3_Click();
    std::vector<std::string> twice = Document("Ana", kTypicalPulse, kTypicalPressure);
    const std::vector<std::string> once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(printer.calls, twice);
}

TEST(PrintReport, APrinterFailureShowsOneMessageAndLeavesTheWindowAlone) {
    struct Case {
        const char* what;
        bool failStart, failEnd;
        std::set<int> failingLines;
        int throwingLine;
        std::vector<std::string> calls;
        bool throwStart = false;
    } cases[] = {
        {"no document", true, false, {}, 0, {kStart}},
        {"the document cannot be ended", false, true, {}, 0, Document("Ana", kTypicalPulse, kTypicalPressure)},
        // The lines after a failed one are still tried, and the document ended.
        {"two lines fail", false, false, {2, 3}, 0, Document("Ana", kTypicalPulse, kTypicalPressure)},
        {"everything fails after the start", false, true, {1, 2, 3, 4, 5, 6}, 0,
         Document("Ana", kTypicalPulse, kTypicalPressure)},
        // Out of memory halfway: the half document is given up, not queued.
        {"a line throws", false, false, {}, 3, {kStart, "0|", "15|Ana", "15|" + std::string(kTypicalPulse), "abort"}},
        // The printer is not left busy for every later report.
        {"the start throws", false, false, {}, 0, {kStart, "abort"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPrinter printer;
        printer.failStart = c.failStart;
        printer.failEnd = c.failEnd;
        printer.failingLines = c.failingLines;
        printer.throwingLine = c.throwingLine;
        printer.throwStart = c.throwStart;
        ReportWindow w(printer);
        ASSERT_TRUE(w.Evaluated());
        const std::string captions = w.Shown(form1::Ctl::Label7) + w.Shown(form1::Ctl::Label8);
        const std::string title = w.Title();
        w.window().Command3_Click();
        EXPECT_EQ(printer.calls, c.calls);
        ASSERT_EQ(w.fakes.prompt.shown.size(), 2u);
        ExpectQuestion(w.fakes.prompt.shown[0]);
        ExpectFailure(w.fakes.prompt.shown[1]);
        EXPECT_EQ(w.Shown(form1::Ctl::Label7) + w.Shown(form1::Ctl::Label8), captions);
        EXPECT_EQ(w.Shown(form1::Ctl::Text1), "Ana");
        EXPECT_EQ(w.Title(), title);
        EXPECT_FALSE(printer.DocumentOpen());
        EXPECT_TRUE(IsWindowEnabled(w.window().Hwnd()));
    }
}

// The window serves its messages while the report prints: whatever comes
// through (a second "Imprimir ", "Borrar", "Ver Resultados", typing, a click
// on "Cerrar" or "Acerca de" by mouse or as screen readers give it, closing,
// the session's end) must not start anything, nor end the program or the
// session under the report. The clock goes on, and a close request is
// carried out once the report is queued.
TEST(PrintReport, NothingComesInWhileAReportPrints) {
    RecordingPrinter printer;
    ReportWindow w(printer);
    ASSERT_TRUE(w.Evaluated());
    HWND main = w.window().Hwnd();
    auto click = [&](form1::Ctl c) {
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(form1::id(c), BN_CLICKED),
                     reinterpret_cast<LPARAM>(w.window().Control(c)));
    };
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    // The pointer as the report starts, freed during it as a DPI change frees the slider's.
    Owned<HCURSOR, DestroyCursor> before(CopyCursor(LoadCursorW(nullptr, IDC_CROSS)));
    const HCURSOR freed = before.get();
    SetCursor(freed);
    bool enabledDuring = true, waitCursorDuring = false;
    int endedDuring = -1;
    LRESULT sessionEndDuring = -1;
    printer.duringStart = [&] {
        enabledDuring = IsWindowEnabled(main) != FALSE;
        waitCursorDuring = GetCursor() == wait;
        before.reset();
        click(form1::Ctl::Command3);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(form1::id(form1::Ctl::Command3), BN_CLICKED),
                     reinterpret_cast<LPARAM>(w.window().Control(form1::Ctl::Command3)));
        testing::Pump();
        click(form1::Ctl::Command1);
        click(form1::Ctl::Command11);
        SendMessageW(w.window().Control(form1::Ctl::Command4), BM_CLICK, 0, 0);
        SendMessageW(w.window().Control(form1::Ctl::Command2), BM_CLICK, 0, 0);
        sessionEndDuring = SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        SendMessageW(main, WM_CLOSE, 0, 0);
        endedDuring = w.fakes.ending.ended;
        // Waiting in the queue when the lines print: input the user gave
        // the disabled window, and the clock's tick.
        PostMessageW(w.window().Control(form1::Ctl::Text1), WM_CHAR, 'x', 1);
        HWND close = w.window().Control(form1::Ctl::Command4);
        PostMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        w.fakes.clock.now = "14:00:00";
        PostMessageW(main, WM_TIMER, 1, 0);
    };
    w.window().Command3_Click();
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(waitCursorDuring);
    // One question, one document, of what the window showed when it was asked.
    EXPECT_EQ(printer.calls, Document("Ana", kTypicalPulse, kTypicalPressure));
    EXPECT_EQ(w.fakes.prompt.shown.size(), 1u);
    EXPECT_EQ(w.Shown(form1::Ctl::Text1), "Ana");  // not emptied by "Borrar", and nothing typed
    EXPECT_EQ(w.window().About().Current(), nullptr);
    EXPECT_EQ(w.Shown(form1::Ctl::Label9), "14:00:00");
    EXPECT_EQ(endedDuring, 0);
    EXPECT_EQ(sessionEndDuring, 0);
    EXPECT_NE(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    EXPECT_EQ(w.fakes.ending.ended, 1);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_NE(GetCursor(), wait);
    EXPECT_NE(GetCursor(), freed);

    // Afterwards the window is as before: a click prints, closing ends.
    testing::Pump();
    EXPECT_EQ(w.fakes.prompt.shown.size(), 1u);
    printer.calls.clear();
    w.Evaluate("Ana", "72", "120", "80");
    w.window().Command3_Click();
    EXPECT_EQ(printer.calls, Document("Ana", kTypicalPulse, kTypicalPressure));
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(w.fakes.ending.ended, 2);
}

// A driver's own box (the file name a print to file asks for) runs on the
// printing thread, owned by none of the program's windows. Activating the main
// window (the taskbar, Alt+Tab) or clicking it brings the box forward. When the
// box closes in front, as the document starts or ends, the main window takes
// the activation back, with the focus where it was; a person who turns to
// another program meanwhile keeps it in front. The About window takes no
// input, shows the wait cursor and leaves the session's end to the main window.
TEST(PrintReport, TheFocusComesBackAfterADriversBox) {
    RecordingPrinter printer;
    testing::TestServices fakes;
    Services services{fakes.prompt, fakes.clock, fakes.locale, fakes.shell, fakes.ending,
                      printer,      RealRegistry(), RealPrograms()};
    MainWindow form(services);
    ASSERT_TRUE(form.Create(SW_SHOW));
    HWND main = form.Hwnd();
    form.About().Show(main);
    ASSERT_NE(form.About().Current(), nullptr);
    HWND about = form.About().Current()->Hwnd();
    SetForegroundWindow(main);
    HWND button = form.Control(form1::Ctl::Command3);
    SetFocus(button);
    HWND other = CreateWindowExW(0, L"Static", L"otro programa", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    testing::Pump();
    ASSERT_EQ(GetForegroundWindow(), main);
    ASSERT_EQ(GetFocus(), button);

    bool aboutEnabledDuring = true, aboutWaitCursorDuring = false;
    LRESULT aboutSessionEndDuring = 0;
    std::string frontAfterActivation, frontAfterClick;
    printer.boxAtStart = true;
    printer.whileBoxUp = [&] {
        aboutEnabledDuring = IsWindowEnabled(about) != FALSE;
        // The pointer coming over the About window keeps the wait cursor.
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(about), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        aboutWaitCursorDuring = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
        aboutSessionEndDuring = SendMessageW(about, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        SetForegroundWindow(main);
        frontAfterActivation = FrontOnceSettled("Guardar como");
        SetForegroundWindow(other);
        SendMessageW(main, WM_SETCURSOR, reinterpret_cast<WPARAM>(main), MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
        frontAfterClick = FrontOnceSettled("Guardar como");
    };
    form.Command3_Click();
    testing::Pump();
    EXPECT_FALSE(aboutEnabledDuring);
    EXPECT_TRUE(aboutWaitCursorDuring);
    EXPECT_NE(aboutSessionEndDuring, 0);
    EXPECT_EQ(frontAfterActivation, "Guardar como");
    EXPECT_EQ(frontAfterClick, "Guardar como");
    EXPECT_TRUE(printer.inApartment);
    EXPECT_TRUE(IsWindowEnabled(about));
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(GetFocus(), button);
    ASSERT_FALSE(printer.calls.empty());
    EXPECT_EQ(printer.calls.back(), "end");

    printer.whileBoxUp = [&] { SetForegroundWindow(other); };
    form.Command3_Click();
    testing::Pump();
    EXPECT_EQ(GetForegroundWindow(), other);

    SetForegroundWindow(main);
    printer.boxAtStart = false;
    printer.boxAtEnd = true;
    printer.whileBoxUp = nullptr;
    form.Command3_Click();
    testing::Pump();
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(GetFocus(), button);

    printer.boxAtEnd = false;
    printer.duringEnd = [&] { SetForegroundWindow(other); };
    form.Command3_Click();
    testing::Pump();
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(other);
}

// A close while a report prints, however it comes, is carried out once the
// report is queued. When the printer has not answered in a short while (its
// timer runs out here at once), a question comes: OK ends the program at once,
// Cancel keeps it, and the report is queued when the printer answers. A report
// queued while the question is up takes the question away; the program ends.
TEST(PrintReport, ACloseWhileAReportPrintsIsCarriedOutOrAsked) {
    constexpr int kInTime = 0, kWhileAsked = -1;
    struct Case {
        const char* what;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        int answer, ended, terminated;  // answer: to the question, or when the printer answers
    } cases[] = {
        {"close box, system menu, taskbar", WM_SYSCOMMAND, SC_CLOSE, 0, kInTime, 1, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 0x20000001, kInTime, 1, 0},
        {"no answer, OK", WM_SYSCOMMAND, SC_CLOSE, 0, kAnswerOk, 0, 1},
        {"no answer, Cancel", WM_SYSCOMMAND, SC_CLOSE, 0, kAnswerCancel, 0, 0},
        {"the printer answers while asked", WM_SYSCOMMAND, SC_CLOSE, 0, kWhileAsked, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPrinter printer;
        ReportWindow w(printer);
        ASSERT_TRUE(w.Evaluated());
        HWND main = w.window().Hwnd();
        if (c.answer != kInTime) printer.silent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        int realBox = 0;
        printer.duringStart = [&] {
            PostMessageW(main, c.msg, c.wp, c.lp);
            if (c.answer == kInTime) return (void)WaitServingMessages(nullptr, 0, 0);  // as the program's wait does
            PostMessageW(main, WM_TIMER, kCloseWaitTimer, 0);
            w.fakes.prompt.answers = {c.answer == kWhileAsked ? kAnswerCancel : c.answer};
            w.fakes.prompt.whileShown = [&] {
                SetEvent(printer.silent.get());
                if (c.answer != kWhileAsked) return;
                // The question as a real box; should it stay, it goes in 10 s all the same.
                SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR timer, DWORD) {
                    KillTimer(nullptr, timer);
                    EndDialog(FindWindowW(L"#32770", nullptr), IDABORT);
                });
                realBox = MessageBoxW(main, Widen(kPrinterSilentQuestion).c_str(), L"", MB_OKCANCEL);
            };
        };
        w.window().Command3_Click();
        EXPECT_EQ(printer.calls, Document("Ana", kTypicalPulse, kTypicalPressure));
        ASSERT_EQ(w.fakes.prompt.shown.size(), c.answer == kInTime ? 1u : 2u);
        if (c.answer != kInTime) ExpectBox(w.fakes.prompt.shown[1], kPrinterSilentQuestion, kCloseTitle, 49u);
        EXPECT_EQ(realBox, c.answer == kWhileAsked ? IDCANCEL : 0);
        EXPECT_EQ(w.fakes.ending.ended, c.ended);
        EXPECT_EQ(w.fakes.ending.terminated, c.terminated);
    }
}

// Drivers answer a declined file name, and the spooler a job deleted from
// the queue, with either code; both are the user's choice, at whatever step
// they come, and anything else is a fault.
TEST(PrintReport, BothCancelCodesAreTheUsersChoice) {
    EXPECT_TRUE(IsUserCancel(ERROR_CANCELLED));
    EXPECT_TRUE(IsUserCancel(ERROR_PRINT_CANCELLED));
    EXPECT_FALSE(IsUserCancel(ERROR_SUCCESS));
    EXPECT_FALSE(IsUserCancel(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(IsUserCancel(ERROR_INVALID_PRINTER_NAME));
    // The file's name declined as the document starts, cancelled as it ends,
    // and deleted from the queue halfway (the lines after it fail too): no message.
    const std::vector<std::string> whole = Document("Ana", kTypicalPulse, kTypicalPressure);
    struct Case {
        bool cancelStart;
        std::set<int> failingLines;
        std::vector<std::string> calls;
    } cases[] = {{true, {}, {kStart}}, {false, {}, whole}, {false, {4, 5, 6}, whole}};
    for (const Case& c : cases) {
        RecordingPrinter printer;
        printer.cancelStart = c.cancelStart;
        printer.cancelEnd = true;
        printer.failingLines = c.failingLines;
        ReportWindow w(printer);
        ASSERT_TRUE(w.Evaluated());
        w.window().Command3_Click();
        EXPECT_EQ(printer.calls, c.calls);
        ASSERT_EQ(w.fakes.prompt.shown.size(), 1u);
        ExpectQuestion(w.fakes.prompt.shown[0]);
    }
}

// A name in Greek or Cyrillic prints as letters, not boxes. Scripts that come
// from linked fonts (Chinese, Arabic) are not seen by GetGlyphIndicesW.
TEST(PrintReport, TheReportFontHasGreekAndCyrillicLetters) {
    const std::wstring name = Widen("Νίκος Παπαδόπουλος Иван Петрович Ёё Ωω");
    ScreenDc screen;
    ASSERT_TRUE(screen);
    const LOGFONTW lf = ReportFont(GetDeviceCaps(screen.get(), LOGPIXELSY));
    Owned<HFONT, DeleteObject> font(CreateFontIndirectW(&lf));
    ASSERT_TRUE(font);
    DWORD converted = 0;
    std::vector<WORD> glyphs(name.size());
    {
        Selection selected(screen.get(), font.get());
        converted = GetGlyphIndicesW(screen.get(), name.c_str(), static_cast<int>(name.size()), glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS);
    }
    ASSERT_EQ(converted, name.size());
    std::wstring missing;
    for (size_t i = 0; i < name.size(); ++i)
        if (glyphs[i] == 0xFFFF) missing += name[i];
    EXPECT_EQ(Narrow(missing), "");
}

// The real default printer. Only the end-to-end script runs these: it sets
// up the print queue they print to and reads back what reached it.
class RealPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("PULVAR_E2E_PRINTER"))
            GTEST_SKIP() << "needs a print queue set up by tests/e2e/print_report.sh";
    }

    // Prints from the window as the program does: a question for each report,
    // the failure message after the last when the printer fails, no handle left behind.
    void PrintFromWindow(const std::string& systolic, const std::string& diastolic, int reports,
                         const std::string& name = "María José Peña", bool fails = false) {
        ReportWindow w(RealPrinter());
        EXPECT_TRUE(w.created);
        w.Evaluate(name, "72", systolic, diastolic);
        w.fakes.prompt.shown.clear();
        const long handles = HandleCount::live;
        for (int i = 0; i < reports; ++i) w.window().Command3_Click();
        EXPECT_EQ(HandleCount::live, handles);
        const std::vector<ShownBox>& shown = w.fakes.prompt.shown;
        ASSERT_EQ(shown.size(), static_cast<size_t>(reports + fails));
        for (int i = 0; i < reports; ++i) ExpectQuestion(shown[i]);
        if (fails) ExpectFailure(shown.back());
    }
};

TEST_F(RealPrinterTest, PrintsTheTypicalReport) { PrintFromWindow("120", "80", 1); }

TEST_F(RealPrinterTest, PrintsTheLongestSentence) { PrintFromWindow("150", "95", 1); }

// Far more text than one page holds: "p1 p2 ... p1500".
TEST_F(RealPrinterTest, ALongNameGoesOnToTheNextPage) {
    std::string name;
    for (int i = 1; i <= 1500; ++i) name += (i > 1 ? " p" : "p") + std::to_string(i);
    PrintFromWindow("120", "80", 1, name);
}

TEST_F(RealPrinterTest, TwoReportsAreTwoDocuments) { PrintFromWindow("120", "80", 2); }

TEST_F(RealPrinterTest, PrintsAGreekAndCyrillicName) {
    PrintFromWindow("120", "80", 1, "Νίκος Παπαδόπουλος Иван Петрович");
}

// The printer refuses a second document while one is open, and leaves the
// open one alone.
TEST_F(RealPrinterTest, OneDocumentAtATime) {
    Printer& printer = RealPrinter();
    const long handles = HandleCount::live;
    ASSERT_EQ(printer.StartDocument(kReportDocumentTitle), PrintStart::Started);
    EXPECT_EQ(printer.StartDocument(kReportDocumentTitle), PrintStart::Failed);
    EXPECT_TRUE(printer.DocumentOpen());
    EXPECT_TRUE(printer.PrintLine(0, "Primer documento"));
    EXPECT_EQ(printer.EndDocument(), PrintEnd::Queued);
    EXPECT_FALSE(printer.DocumentOpen());
    EXPECT_EQ(HandleCount::live, handles);
}

// The real printer, with a line that runs out of memory.
class ThrowingPrinter : public Printer {
public:
    PrintStart StartDocument(const std::string& title) override { return RealPrinter().StartDocument(title); }
    bool PrintLine(int indentColumns, const std::string& text) override {
        if (++lines == 3) throw std::bad_alloc();
        return RealPrinter().PrintLine(indentColumns, text);
    }
    PrintEnd EndDocument() override { return RealPrinter().EndDocument(); }
    void AbortDocument() override { RealPrinter().AbortDocument(); }
    bool DocumentOpen() const override { return RealPrinter().DocumentOpen(); }
    int lines = 0;
};

TEST_F(RealPrinterTest, AnExceptionGivesUpTheDocument) {
    ThrowingPrinter printer;
    ReportWindow w(printer);
    ASSERT_TRUE(w.created);
    w.Evaluate("María José Peña", "72", "120", "80");
    w.fakes.prompt.shown.clear();
    const long handles = HandleCount::live;
    w.window().Command3_Click();
    EXPECT_FALSE(RealPrinter().DocumentOpen());
    EXPECT_EQ(HandleCount::live, handles);
    ASSERT_EQ(w.fakes.prompt.shown.size(), 2u);
    ExpectQuestion(w.fakes.prompt.shown[0]);
    ExpectFailure(w.fakes.prompt.shown[1]);
}

TEST_F(RealPrinterTest, WithoutADefaultPrinterTellsSoOnce) {
    const auto started = std::chrono::steady_clock::now();
    PrintFromWindow("120", "80", 1, "María José Peña", true);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

}  // namespace
}  // namespace pulvar
