// Serving the thread's messages from inside a long piece of work (a report
// being printed), so the windows keep painting, the clock keeps running and
// the system never takes the program for hung.
#pragma once

namespace pulvar {

// Dispatches what waits in this thread's queue, sent messages included.
// Keyboard and mouse input to a window that is disabled, or whose top-level
// window is, is dropped: the work that disabled it is still running. A quit
// request is put back for the message loop.
void ServeWaitingMessages();

// While a long piece of work runs with the program's windows disabled (a
// report printing), every window shows the wait cursor over it. Scopes nest.
class LongWork {
public:
    LongWork();
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;
    static bool Running();
};

// For a loop of many short steps: each look at the queue costs a round trip
// to the window system, so ServeIfDue serves only once `intervalMs` have
// passed since it last did (at once the first time).
class MessageServing {
public:
    explicit MessageServing(int intervalMs) : intervalMs_(intervalMs) {}
    void ServeIfDue();

private:
    int intervalMs_;
    long long lastTicks_ = -1;  // performance-counter ticks at the last serving; -1 for none
};

}  // namespace pulvar
