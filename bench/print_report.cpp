// Times "Imprimir " in Pulvar's real main window (under Wine or on Windows)
// with a very long name, as pasted into the name box, on the default printer:
// from the click to the document handed to the print queue, and the longest
// time the window went without serving its messages meanwhile (what Windows
// judges when it marks a window "No responde").
//
//   print_report LENGTH... [--runs N] [--slow-printer]
//
// The name is LENGTH characters of words of varied length, with some accented
// letters; 3 runs of each length unless told. The question is answered OK by
// the program itself. With --slow-printer the report goes to a stand-in
// printer that blocks 6 s as the document starts and 6 s as it ends, as a
// print server that does not answer does.
// Prints "name L runs N median_ms M max_ms X gap_ms G" for each length, or
// "failed L" when the report could not be printed. Linked with
// libpulvar_win.a and the program's resources by scripts/bench.
#include <windows.h>

#include "clock.h"
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "platform/printer.h"
#include "platform/seams.h"
#include "report/print_report.h"
#include "ui/main/main_window.h"

namespace {

using bench::NowMs;

using pulvar::form1::Ctl;

// Answers every question OK and counts the failure messages.
class AnswerOk : public pulvar::Prompt {
public:
    int Show(void*, const std::string& text, const std::string&, unsigned) override {
        if (text == pulvar::kReportFailure) ++failures;
        return pulvar::kAnswerOk;
    }
    int failures = 0;
};

// Blocks in the calls that can wait on a print server, and prints nothing.
class SlowPrinter : public pulvar::Printer {
public:
    pulvar::PrintStart StartDocument(const std::string&) override {
        Sleep(kBlockMs);
        open_ = true;
        return pulvar::PrintStart::Started;
    }
    bool PrintLine(int, const std::string&) override { return open_; }
    pulvar::PrintEnd EndDocument() override {
        Sleep(kBlockMs);
        open_ = false;
        return pulvar::PrintEnd::Queued;
    }
    void AbortDocument() override { open_ = false; }
    bool DocumentOpen() const override { return open_; }

private:
    static constexpr DWORD kBlockMs = 6000;
    bool open_ = false;
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Words of one to seventeen letters, so lines break at blanks as a name's
// would, with now and then a word longer than a line, which is cut.
std::wstring LongName(size_t length) {
    static const wchar_t kLetters[] = L"abcdefghijklmnñopqrstuvwxyzáéíóú";
    std::wstring name;
    name.reserve(length);
    unsigned seed = 12345;
    while (name.size() < length) {
        seed = seed * 1103515245u + 12345u;
        const size_t word = (seed >> 16) % 997 == 0 ? 400 : 1 + (seed >> 16) % 17;
        for (size_t i = 0; i < word && name.size() < length; ++i)
            name += kLetters[(seed >> (i % 16)) % (std::size(kLetters) - 1)];
        if (name.size() < length) name += L' ';
    }
    return name;
}

// From another thread, sends the window one message after another while
// `watching` is set, and keeps the longest wait for an answer: the longest
// stretch in which the window's thread served no messages.
class Watcher {
public:
    explicit Watcher(HWND window) : window_(window), thread_([this] { Run(); }) {}
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    ~Watcher() {
        stop_ = true;
        thread_.join();
    }
    void Watch(bool on) { watching_ = on; }
    void Reset() { longestMs_ = 0; }
    double LongestGapMs() const { return longestMs_.load(); }

private:
    void Run() {
        while (!stop_) {
            if (!watching_) {
                Sleep(1);
                continue;
            }
            const double start = NowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            const double gap = NowMs() - start;
            if (gap > longestMs_.load()) longestMs_ = gap;
        }
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> watching_{false};
    std::atomic<double> longestMs_{0};
    std::thread thread_;
};

void Click(HWND form, HWND button, Ctl id) {
    SendMessageW(form, WM_COMMAND, MAKEWPARAM(pulvar::form1::id(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<size_t> lengths;
    int runs = 3;
    bool slow = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--runs") == 0 && i + 1 < argc)
            runs = std::max(1, _wtoi(argv[++i]));
        else if (std::wcscmp(argv[i], L"--slow-printer") == 0)
            slow = true;
        else
            lengths.push_back(static_cast<size_t>(std::max(1, _wtoi(argv[i]))));
    }
    if (lengths.empty()) lengths = {100000, 1000000};

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    pulvar::Services& real = pulvar::RealServices();
    AnswerOk prompt;
    SlowPrinter slowPrinter;
    pulvar::Services services{prompt,      real.clock, real.locale,   real.shell,
                              real.ending, slow ? slowPrinter : real.printer, real.registry, real.programs};
    pulvar::MainWindow form(services);
    if (!form.Create(SW_SHOWNOACTIVATE)) return 1;
    Pump();
    HWND hwnd = form.Hwnd();
    SetWindowTextW(form.Control(Ctl::Text2), L"72");
    SetWindowTextW(form.Control(Ctl::Text3), L"120");
    SetWindowTextW(form.Control(Ctl::Text4), L"80");

    Watcher watcher(hwnd);
    int status = 0;
    for (size_t length : lengths) {
        const std::wstring name = LongName(length);
        SetWindowTextW(form.Control(Ctl::Text1), name.c_str());
        if (static_cast<size_t>(GetWindowTextLengthW(form.Control(Ctl::Text1))) != length) {
            std::printf("failed %zu (the name box holds %d characters)\n", length,
                        GetWindowTextLengthW(form.Control(Ctl::Text1)));
            status = 1;
            continue;
        }
        Click(hwnd, form.Control(Ctl::Command1), Ctl::Command1);
        Pump();
        std::vector<double> times;
        double gapMs = 0;
        watcher.Reset();
        const int failuresBefore = prompt.failures;
        for (int r = 0; r < runs; ++r) {
            const double start = NowMs();
            watcher.Watch(true);
            Click(hwnd, form.Control(Ctl::Command3), Ctl::Command3);
            watcher.Watch(false);
            times.push_back(NowMs() - start);
            // The watcher's last message waits for this pump: a gap that
            // ends here is the click's.
            Pump();
            gapMs = std::max(gapMs, watcher.LongestGapMs());
        }
        if (prompt.failures != failuresBefore) {
            std::printf("failed %zu (%d failure messages)\n", length, prompt.failures - failuresBefore);
            status = 1;
            continue;
        }
        std::sort(times.begin(), times.end());
        std::printf("name %zu runs %d median_ms %.0f max_ms %.0f gap_ms %.0f\n", length, runs,
                    times[times.size() / 2], times.back(), gapMs);
        std::fflush(stdout);
    }
    return status;
}
