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

}  // namespace pulvar
