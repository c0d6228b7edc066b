// A stand-in for a system DLL that someone has put beside the program
// (tests/e2e/planted_dll.sh copies it in under a system DLL's name). Loading
// it appends its own path to the file that PULVAR_PLANTED_RECORD names; it
// exports nothing, so a program that loaded it merely finds its functions
// missing.
#include <windows.h>

namespace {

void RecordLoad(HMODULE self) {
    wchar_t record[MAX_PATH] = {};
    const DWORD recordLength = GetEnvironmentVariableW(L"PULVAR_PLANTED_RECORD", record, MAX_PATH);
    if (recordLength == 0 || recordLength >= MAX_PATH) return;
    wchar_t path[MAX_PATH] = {};
    const DWORD pathLength = GetModuleFileNameW(self, path, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH) return;
    char line[4 * MAX_PATH + 2] = {};
    int size = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(pathLength), line, 4 * MAX_PATH, nullptr,
                                   nullptr);
    if (size <= 0) return;
    line[size++] = '\n';
    HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) RecordLoad(self);
    return TRUE;
}
