// Serving the user-interface thread's messages while a long piece of work (a
// report being printed) runs on a thread of its own, so the windows keep
// painting, the clock keeps running and the system never takes the program
// for hung.
#pragma once

#include <functional>

namespace pulvar {

// Waits until one of `handles` is signalled or `timeoutMs` have passed,
// dispatching what comes into this thread's queue meanwhile, sent messages
// included. Keyboard and mouse input to a window that is disabled, or whose
// top-level window is, is dropped: the work that disabled it is still
// running. Alt+F4 still asks the window to close, as its close box does. A
// quit request is put back for the message loop once the wait is
// over. Returns the index of the handle, or -1 when the time ran out or the
// wait failed.
int WaitServingMessages(void* const* handles, int count, unsigned long timeoutMs);
inline constexpr unsigned long kWaitForever = 0xFFFFFFFF;

// A thread of its own for one blocking job. Whoever owns it waits for the job
// to end before letting go, so the job may use what the owner's scope holds.
// An exception the job lets out ends the job and nothing else.
class JobThread {
public:
    explicit JobThread(std::function<void()> job);
    ~JobThread();
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;
    // Whether the thread runs; when it could not be started, the job never runs.
    explicit operator bool() const { return thread_ != nullptr; }
    // Signalled once the job has ended.
    void* Handle() const { return thread_; }

private:
    static unsigned __stdcall Run(void* self);
    std::function<void()> job_;
    void* thread_ = nullptr;
};

// While a long piece of work runs with the program's windows disabled (a
// report printing), every window shows the wait cursor over it and runs no
// command. Scopes nest.
class LongWork {
public:
    LongWork();
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;
    // On the user-interface thread, whose state it is.
    static bool Running();
    // The thread the work runs on. Its own windows (a printer driver's box)
    // have no owner among the program's, so the system never brings them
    // forward for a click on a disabled window.
    static void RunsOn(unsigned long threadId);
    // Brings that thread's visible top-level window to the front; false
    // when it has none.
    static bool BringForward();
};

}  // namespace pulvar
