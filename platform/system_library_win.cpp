#include "platform/system_library.h"

#include <string>

namespace pulvar {

namespace {

// A bare name such as "ole32.dll", nothing that could point elsewhere.
bool IsPlainFileName(const wchar_t* dll) {
    if (!dll || !*dll) return false;
    for (const wchar_t* c = dll; *c; ++c)
        if (*c == L'\\' || *c == L'/' || *c == L':') return false;
    return true;
}

FARPROC Kernel32Proc(const char* name) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    return kernel32 ? GetProcAddress(kernel32, name) : nullptr;
}

// Windows 7 understands the LOAD_LIBRARY_SEARCH_* flags only with update
// KB2533623, which also brings AddDllDirectory.
bool SearchFlagsSupported() {
    static const bool supported = Kernel32Proc("AddDllDirectory") != nullptr;
    return supported;
}

}  // namespace

// Not SetDefaultDllDirectories: it would hold every other DLL loaded into the
// process to the system folder too, and a vendor's driver that loads its own
// files by bare name, or with a relative name and the altered search, would
// fail to print.
void TakeCurrentFolderOutOfDllSearch() { SetDllDirectoryW(L""); }

HMODULE LoadSystemLibrary(const wchar_t* dll) {
    if (!IsPlainFileName(dll)) return nullptr;
    if (SearchFlagsSupported()) return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += dll;
    // The DLLs it imports are then looked for in the system folder first too.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC SystemProc(const wchar_t* dll, const char* name) {
    if (!name) return nullptr;
    HMODULE module = LoadSystemLibrary(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace pulvar
