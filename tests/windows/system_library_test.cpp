// Where DLLs come from, with a stand-in winspool.drv beside this exe, and the
// same stand-in as a printer driver's plug-in in vendor\ below it. Only
// tests/e2e/planted_dll.sh runs it: it copies this exe and the stand-in into
// a folder of their own and makes Wine search for native DLLs as Windows does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/system_library.h"
#include "platform/text.h"

namespace pulvar {
namespace {

std::string FolderOf(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
    return Narrow(folder);
}

std::string SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    return Narrow(std::wstring(path, GetSystemDirectoryW(path, MAX_PATH)));
}

TEST(PlantedDll, OnlyTheSystemFolderSuppliesTheDlls) {
    if (!std::getenv("PULVAR_E2E_PLANTED")) GTEST_SKIP() << "needs the folder set up by tests/e2e/planted_dll.sh";
    const std::string exeFolder = FolderOf(nullptr), systemFolder = SystemFolder();

    // A module already loaded would be handed back whatever the search.
    const auto notLoaded = [] { return GetModuleHandleW(L"winspool.drv") == nullptr; };

    // The bare name finds the stand-in, so the checks below can fail.
    ASSERT_TRUE(notLoaded());
    HMODULE planted = LoadLibraryW(L"winspool.drv");
    ASSERT_NE(planted, nullptr);
    ASSERT_EQ(FolderOf(planted), exeFolder) << "the stand-in beside the exe was not found; the test proves nothing";
    FreeLibrary(planted);

    ASSERT_TRUE(notLoaded());
    HMODULE system = LoadSystemLibrary(L"winspool.drv");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(FolderOf(system), systemFolder);
    EXPECT_NE(GetProcAddress(system, "GetDefaultPrinterW"), nullptr);
    FreeLibrary(system);

    // The hardening done at start-up leaves everyone else's search as Windows
    // has it: a driver's plug-in on PATH loads by bare name, and by a relative
    // name with the altered search.
    TakeCurrentFolderOutOfDllSearch();
    wchar_t path[4096] = {};
    ASSERT_LT(GetEnvironmentVariableW(L"PATH", path, 4096), 4096u);
    ASSERT_TRUE(SetEnvironmentVariableW(L"PATH", (Widen(exeFolder) + L"\\vendor;" + path).c_str()));
    for (DWORD flags : {DWORD{0}, DWORD{LOAD_WITH_ALTERED_SEARCH_PATH}}) {
        HMODULE plugin = LoadLibraryExW(L"pulvar_vendor.dll", nullptr, flags);
        EXPECT_NE(plugin, nullptr) << "flags " << flags << ", error " << GetLastError();
        if (plugin) FreeLibrary(plugin);
    }
}

}  // namespace
}  // namespace pulvar
