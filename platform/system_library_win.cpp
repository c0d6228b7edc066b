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

HMODULE LoadFromSystemFolder(const wchar_t* dll) {
    if (HMODULE loaded = GetModuleHandleW(dll)) return loaded;  // already in the process
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += dll;
    // Kept for the life of the process: objects it made may outlive any caller.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

FARPROC SystemProc(const wchar_t* dll, const char* name) {
    if (!IsPlainFileName(dll) || !name) return nullptr;
    HMODULE module = LoadFromSystemFolder(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace pulvar
