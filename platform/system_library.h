// Functions of system DLLs that only a few rarely used commands need (OLE for
// the About window's picture, the shell for its links). Importing them would
// make every start of the program load and initialise them; instead each is
// loaded the first time one of its functions is asked for, and kept.
#pragma once

#include <windows.h>

namespace pulvar {

// The function, or null when the DLL or the function is missing. The DLL is
// looked for in the Windows system folder only, never beside the program or
// in the current folder, so a planted copy cannot be loaded instead.
FARPROC SystemProc(const wchar_t* dll, const char* name);

// SystemProc cast to the function's own type.
template <typename Fn>
Fn SystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(dll, name)));
}

}  // namespace pulvar
