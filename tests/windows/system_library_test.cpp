// Where DLLs come from, with a stand-in winspool.drv beside this exe. Only
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

    // Once restricted, even a bare name (as system components load theirs)
    // skips the program's folder.
    RestrictDllSearchToSystemFolder();
    ASSERT_TRUE(notLoaded());
    HMODULE bare = LoadLibraryW(L"winspool.drv");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(FolderOf(bare), systemFolder);
    FreeLibrary(bare);
}

}  // namespace
}  // namespace pulvar
