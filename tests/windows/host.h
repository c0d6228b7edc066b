// Where the Windows tests run: under Wine on Linux, or on Windows itself (the
// CI's Windows jobs). A case that only one of them can answer skips on the
// other and says why.
#pragma once

#include <windows.h>

#include <string>

namespace pulvar::testing {

// Wine's ntdll exports wine_get_version; no Windows ntdll has it.
inline bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A path the build wrote in as UTF-8, as this process opens it: a Unix path
// from the Linux build is reached through Wine's drive Z:.
inline std::wstring HostPath(const char* built) {
    const std::string utf8 = built;
    std::wstring path(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), path.data(),
                                      static_cast<int>(path.size()));
    path.resize(n > 0 ? static_cast<size_t>(n) : 0);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return !path.empty() && path[0] == L'\\' ? L"Z:" + path : path;
}

// Pulvar.exe, from the path the build wrote in (HostPath); when that is not
// there, as for the Debian-built pair copied to a Windows machine, the
// Pulvar.exe beside this test program.
inline std::wstring ProgramPath(const char* built) {
    const std::wstring path = HostPath(built);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    wchar_t self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring beside(self, n > 0 && n < MAX_PATH ? n : 0);
    beside.resize(beside.find_last_of(L'\\') + 1);
    return beside + L"Pulvar.exe";
}

}  // namespace pulvar::testing
