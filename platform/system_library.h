// Where the program's DLLs come from. Functions of system DLLs that only a few
// rarely used commands need (OLE for the About window's picture, the shell for
// its links, the print system) are loaded when first needed rather than
// imported, so that starting the program waits for none of them.
//
// Every DLL is taken from the Windows system folder only, never from beside
// the program or from the current folder: a zip unpacked into Downloads may
// share that folder with a file named like a system DLL. Each load says so
// itself; the search the rest of the process gets is left as Windows has it,
// since a printer's driver and its plug-ins, and the shell extensions of a
// save-as box, load their own DLLs by bare or relative names.
#pragma once

#include <windows.h>

namespace pulvar {

// Takes the current folder out of the search of DLLs loaded by bare name.
// Call first thing at start-up.
void TakeCurrentFolderOutOfDllSearch();

// The system DLL loaded from the system folder, or null. The caller frees it
// with FreeLibrary. Only a bare file name such as "winspool.drv" is accepted.
HMODULE LoadSystemLibrary(const wchar_t* dll);

// The function, or null when the DLL or the function is missing. The DLL
// (from the system folder) is kept for the life of the process: objects it
// made may outlive any caller.
FARPROC SystemProc(const wchar_t* dll, const char* name);

// SystemProc cast to the function's own type.
template <typename Fn>
Fn SystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(dll, name)));
}

}  // namespace pulvar
