// Start-up timer: how long a program takes from CreateProcess until its main
// window is ready for input, that is until the process waits for input
// (WaitForInputIdle) and a visible top-level window of the process carries the
// given title. Each window is then asked to close (WM_CLOSE) and the process
// waited for, or ended if it lingers, before the next start.
//
//   launch_timer RUNS EXE TITLE [EXE TITLE ...]
//
// The programs take turns: one unreported warm-up start each, then RUNS
// rounds, every other round in reverse order so that neither program always
// goes first. Prints one line per start, "run ROUND INDEX READY_MS IDLE_MS"
// (INDEX counts the programs from 0; IDLE_MS is when WaitForInputIdle
// returned). A start that CreateProcess refuses is tried again, up to twice,
// and reported as "retry INDEX ERROR"; the timer exits non-zero when a
// program cannot be started or shows no window within 30 s.
#include <windows.h>

#include "clock.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::NowMs;

constexpr DWORD kTimeoutMs = 30000;

struct Program {
    std::wstring exe;
    std::wstring title;
};

HWND FindReadyWindow(const std::wstring& title, DWORD pid) {
    for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); w;
         w = FindWindowExW(nullptr, w, nullptr, title.c_str())) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

struct Timing {
    bool ok = false;
    DWORD startError = 0;  // CreateProcess's error when it refused
    double readyMs = 0;
    double idleMs = 0;
};

Timing StartOnce(const Program& program) {
    Timing timing;
    std::wstring folder = program.exe.substr(0, program.exe.find_last_of(L"\\/") + 1);
    std::wstring commandLine = L"\"" + program.exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};

    const double start = NowMs();
    if (!CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        timing.startError = GetLastError();
        return timing;
    }
    DWORD idle = WaitForInputIdle(pi.hProcess, kTimeoutMs);
    timing.idleMs = NowMs() - start;
    HWND window = nullptr;
    if (idle == 0) {
        while (!(window = FindReadyWindow(program.title, pi.dwProcessId))) {
            if (NowMs() - start > kTimeoutMs) break;
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;  // it ended early
            Sleep(1);
        }
    }
    timing.readyMs = NowMs() - start;
    timing.ok = window != nullptr;
    if (!timing.ok)
        std::fprintf(stderr, "launch_timer: no window \"%ls\" from %ls\n", program.title.c_str(),
                     program.exe.c_str());

    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return timing;
}

// Wine now and then refuses a start with an internal error; a second try
// goes through.
Timing Start(const Program& program, int index) {
    for (int attempt = 0;; ++attempt) {
        Timing t = StartOnce(program);
        if (t.ok || t.startError == 0 || attempt == 2) {
            if (t.startError)
                std::fprintf(stderr, "launch_timer: cannot start %ls (error %lu)\n",
                             program.exe.c_str(), t.startError);
            return t;
        }
        std::printf("retry %d %lu\n", index, t.startError);
        Sleep(100);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: launch_timer RUNS EXE TITLE [EXE TITLE ...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i + 1 < argc; i += 2) programs.push_back({argv[i], argv[i + 1]});

    for (size_t i = 0; i < programs.size(); ++i)
        if (!Start(programs[i], static_cast<int>(i)).ok) return 1;

    const int count = static_cast<int>(programs.size());
    for (int round = 0; round < runs; ++round) {
        for (int k = 0; k < count; ++k) {
            const int index = round % 2 == 0 ? k : count - 1 - k;
            Timing t = Start(programs[index], index);
            if (!t.ok) return 1;
            std::printf("run %d %d %.2f %.2f\n", round, index, t.readyMs, t.idleMs);
            std::fflush(stdout);
        }
    }
    return 0;
}
