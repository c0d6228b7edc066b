// The system-information launcher against Wine's real registry and real
// process starts; only the message box is a fake.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/sysinfo_text.h"
#include "platform/owned.h"
#include "platform/text.h"
#include "tests/windows/fakes.h"
#include "tests/windows/host.h"
#include "ui/about/sysinfo.h"

namespace pulvar {
namespace {

using Key = Owned<HKEY, RegCloseKey>;
using Handle = Owned<HANDLE, CloseHandle>;
using FileHandle = Owned<HANDLE, CloseHandle, kInvalidHandleValue>;  // files and snapshots

constexpr wchar_t kTestKey[] = L"Software\\PulvarTests\\SysInfo";
constexpr char kTestKeyUtf8[] = "Software\\PulvarTests\\SysInfo";

// Counts what the launcher opens and closes, and passes everything on.
class CountingRegistry : public Registry {
public:
    long Open(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey* key) override {
        accesses.insert(access);
        RegistryKey real;
        long status = RealRegistry().Open(root, path, access, &real);
        statuses.push_back(status);
        if (status == kRegistryOk) {
            ++opened;
            *key = RegistryKey(*this, real.release());  // closed through Close below
        }
        return status;
    }
    long Query(const RegistryKey& key, const std::string& name, std::uint32_t* type, unsigned char* buffer,
               std::uint32_t* size) override {
        return RealRegistry().Query(key, name, type, buffer, size);
    }
    void Close(void* handle) override {
        ++closed;
        RealRegistry().Close(handle);
    }
    int opened = 0;
    int closed = 0;
    std::set<std::uint32_t> accesses;
    std::vector<long> statuses;  // of every Open, in order
};

// Records every test and start, and passes them on to the real ones.
class RecordingPrograms : public Programs {
public:
    bool FileExists(const std::string& path) override {
        checked.push_back(path);
        return RealPrograms().FileExists(path);
    }
    bool Start(const std::string& path) override {
        bool ok = RealPrograms().Start(path);
        (ok ? started : failed).push_back(path);
        return ok;
    }
    std::vector<std::string> checked, started, failed;
};

Key CreateKey(HKEY root, const wchar_t* path) {
    HKEY key = nullptr;
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return Key(key);
}

std::string Utf16Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// ---------------------------------------------------------------- GetKeyValue

struct Stored {
    bool narrow;        // written with RegSetValueExA
    DWORD type;
    std::string bytes;  // exactly what is written
};

class GetKeyValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        key_ = CreateKey(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(key_);
    }
    void TearDown() override {
        key_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void Write(const char* name, const Stored& value) {
        // One spare non-zero byte after the data: Wine adds a terminating zero
        // to a string written without one when the byte after it is zero.
        std::string padded = value.bytes + "\x7F\x7F";
        const auto* data = reinterpret_cast<const BYTE*>(padded.data());
        const DWORD size = static_cast<DWORD>(value.bytes.size());
        LONG status = value.narrow ? RegSetValueExA(key_.get(), name, 0, value.type, data, size)
                                   : RegSetValueExW(key_.get(), Widen(name).c_str(), 0, value.type, data, size);
        ASSERT_EQ(status, ERROR_SUCCESS) << name;
    }
    Key key_;
};

// How the bytes read become text is the core's (tests/core/sysinfo_text_test.cpp);
// here, what only a real registry shows: values written narrow and wide, with
// and without their zero, and the 1,024 bytes the launcher reads at most.
TEST_F(GetKeyValueTest, ReadsTheValueAsTheLauncherSeesIt) {
    const std::string dwordBig("\x78\x56\x34\x12", 4);
    struct Case {
        const char* name;
        Stored stored;
        bool result;
        std::string keyVal;  // starts as "antes"
    };
    // Added one by one: GCC 12 warns wrongly about a braced table of strings here.
    std::vector<Case> cases;
    auto add = [&cases](const char* name, Stored stored, bool result, std::string keyVal) {
        cases.push_back({name, std::move(stored), result, std::move(keyVal)});
    };
    const std::wstring tool = L"C:\\A\u00f1o\\\u20ac msinfo32.exe";
    add("with zero", {false, REG_SZ, Utf16Bytes(tool + L'\0')}, true, Narrow(tool));
    add("without zero", {false, REG_SZ, Utf16Bytes(tool)}, true, Narrow(tool));
    add("narrow with zero", {true, REG_SZ, std::string("C:\\Archivos\\x.exe\0", 18)}, true, "C:\\Archivos\\x.exe");
    add("narrow without zero", {true, REG_SZ, "C:\\Archivos\\x.exe"}, true, "C:\\Archivos\\x.exe");
    add("dword", {false, REG_DWORD, dwordBig}, true, "&h12345678");
    add("exactly 1024 bytes", {false, REG_SZ, Utf16Bytes(std::wstring(511, L'x') + L'\0')}, true,
        std::string(511, 'x'));
    add("1026 bytes", {false, REG_SZ, Utf16Bytes(std::wstring(512, L'x') + L'\0')}, false, "");
    add("narrow 1100 characters", {true, REG_SZ, std::string(1100, 'y') + '\0'}, false, "");
    for (const Case& c : cases) Write(c.name, c.stored);
    CountingRegistry registry;
    for (const Case& c : cases) {
        std::string keyVal = "antes";
        EXPECT_EQ(GetKeyValue(registry, RegistryRoot::CurrentUser, kTestKeyUtf8, c.name, keyVal), c.result)
            << c.name;
        EXPECT_EQ(keyVal, c.keyVal) << c.name;
    }
    EXPECT_EQ(registry.opened, static_cast<int>(cases.size()));
    EXPECT_EQ(registry.closed, registry.opened);
    // Read rights only: Windows refuses a standard user anything more under
    // HKLM, which Wine never does, so the request itself is what is checked.
    EXPECT_EQ(registry.accesses, std::set<std::uint32_t>{KEY_QUERY_VALUE});
}

TEST_F(GetKeyValueTest, MissingKeyOrValueGivesFalseAndEmpty) {
    CountingRegistry registry;
    std::string keyVal = "antes";
    EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::CurrentUser, kTestKeyUtf8, "no such value", keyVal));
    EXPECT_EQ(keyVal, "");
    keyVal = "antes";
    EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::CurrentUser, "Software\\PulvarTests\\NoSuchKey", "PATH", keyVal));
    EXPECT_EQ(keyVal, "");
    EXPECT_EQ(registry.closed, registry.opened);
}

TEST_F(GetKeyValueTest, AnEmptyValueStopsTheLauncherAndClosesTheKey) {
    Write("empty", {false, REG_DWORD, ""});
    CountingRegistry registry;
    std::string keyVal = "antes";
    EXPECT_THROW(GetKeyValue(registry, RegistryRoot::CurrentUser, kTestKeyUtf8, "empty", keyVal), EmptyRegistryValue);
    EXPECT_EQ(registry.opened, 1);
    EXPECT_EQ(registry.closed, 1);
}

// ------------------------------------------------------------------- Programs

std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void MakeFile(const std::wstring& path, DWORD attributes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    file.reset();
    SetFileAttributesW(path.c_str(), attributes);
}

// Only an ordinary file exists for the launcher, and what is not a program does not start.
TEST(Programs, FileExistsOnlyForOrdinaryFilesAndStartOnlyForPrograms) {
    const std::wstring folder = TempFolder(L"PulvarFiles");
    RemoveFolder(folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    CreateDirectoryW((folder + L"\\carpeta").c_str(), nullptr);
    struct Case {
        const wchar_t* name;
        DWORD attributes;  // 0: not created here
        bool exists;
    } cases[] = {
        {L"normal.exe", FILE_ATTRIBUTE_NORMAL, true},
        {L"solo lectura.exe", FILE_ATTRIBUTE_READONLY, true},
        {L"archivo.exe", FILE_ATTRIBUTE_ARCHIVE, true},
        {L"oculto.exe", FILE_ATTRIBUTE_HIDDEN, false},
        {L"sistema.exe", FILE_ATTRIBUTE_SYSTEM, false},
        {L"carpeta", 0, false},
        {L"falta.exe", 0, false},
    };
    for (const Case& c : cases)
        if (c.attributes) MakeFile(folder + L"\\" + c.name, c.attributes);
    for (const Case& c : cases)
        EXPECT_EQ(RealPrograms().FileExists(Narrow(folder + L"\\" + c.name)), c.exists) << Narrow(c.name);
    EXPECT_FALSE(RealPrograms().FileExists(""));
    for (const std::wstring& path : {std::wstring(), folder, folder + L"\\falta.exe"})
        EXPECT_FALSE(RealPrograms().Start(Narrow(path))) << Narrow(path);
    RemoveFolder(folder);
}

// --------------------------------------------------------------- StartSysInfo

// One value of the real HKLM keys, put back as it was found.
class SavedValue {
public:
    SavedValue(const wchar_t* keyPath, const wchar_t* name) : keyPath_(keyPath), name_(name) {
        HKEY key = nullptr;
        keyExisted_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) == ERROR_SUCCESS;
        Key owned(key);
        if (!keyExisted_) return;
        DWORD size = 0;
        if (RegQueryValueExW(key, name, nullptr, &type_, nullptr, &size) != ERROR_SUCCESS) return;
        data_.emplace(size, '\0');
        RegQueryValueExW(key, name, nullptr, &type_, reinterpret_cast<BYTE*>(data_->data()), &size);
    }
    ~SavedValue() {
        if (!keyExisted_) {
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, keyPath_);
            return;
        }
        Key key = CreateKey(HKEY_LOCAL_MACHINE, keyPath_);
        if (data_)
            RegSetValueExW(key.get(), name_, 0, type_, reinterpret_cast<const BYTE*>(data_->data()),
                           static_cast<DWORD>(data_->size()));
        else
            RegDeleteValueW(key.get(), name_);
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    const wchar_t* keyPath_;
    const wchar_t* name_;
    bool keyExisted_ = false;
    DWORD type_ = 0;
    std::optional<std::string> data_;
};

std::set<DWORD> ProcessesNamed(const std::wstring& exeName) {
    std::set<DWORD> ids;
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0) ids.insert(entry.th32ProcessID);
    return ids;
}

std::wstring FileName(const std::string& path) {
    std::wstring wide = Widen(path);
    return wide.substr(wide.find_last_of(L'\\') + 1);
}

// Waits for a process that was not running before, and ends it.
bool EndNewProcess(const std::wstring& exeName, const std::set<DWORD>& before) {
    for (int tries = 0; tries < 500; ++tries) {
        for (DWORD id : ProcessesNamed(exeName)) {
            if (before.count(id)) continue;
            Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (!process) continue;
            TerminateProcess(process.get(), 0);
            WaitForSingleObject(process.get(), 5000);
            return true;
        }
        Sleep(10);  // the new process appears in the snapshot within milliseconds
    }
    return false;
}

constexpr wchar_t kPathKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

class StartSysInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::UnderWine())
            GTEST_SKIP() << "Wine only: rewrites the launcher's keys in HKLM, which a Windows user may not";
        savedPath_.emplace(kPathKey, L"PATH");
        savedFolder_.emplace(kFolderKey, L"MSINFO");
        root_ = TempFolder(L"PulvarSysInfo");
        RemoveFolder(root_);
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
        withProgram_ = root_ + L"\\lleno";
        withoutProgram_ = root_ + L"\\vacio";
        withBlanks_ = root_ + L"\\Program Files Test";
        for (const std::wstring& folder : {withProgram_, withoutProgram_, withBlanks_})
            ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << Narrow(folder);
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        const std::wstring notepad = std::wstring(system) + L"\\notepad.exe";
        ASSERT_TRUE(CopyFileW(notepad.c_str(), (withProgram_ + L"\\MSINFO32.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(notepad.c_str(), (withBlanks_ + L"\\MSINFO32.EXE").c_str(), FALSE));
        msinfo32_ = std::wstring(system) + L"\\msinfo32.exe";
    }
    void TearDown() override {
        if (!savedCurrent_.empty()) SetCurrentDirectoryW(savedCurrent_.c_str());
        if (!decoy_.empty()) DeleteFileW(decoy_.c_str());
        if (!root_.empty()) RemoveFolder(root_);
    }

    // A program named like the tool at the root of the current drive, and the
    // current folder in the test's own: what a relative path would reach.
    void PlantDecoys() {
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        savedCurrent_ = current;
        ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
        decoy_ = root_.substr(0, 3) + L"MSINFO32.EXE";
        ASSERT_TRUE(CopyFileW((withProgram_ + L"\\MSINFO32.EXE").c_str(), decoy_.c_str(), FALSE));
    }

    // Writes the two values (nullopt: absent), each with its zero, of the types given.
    static void SetValues(const std::optional<std::wstring>& path, DWORD pathType,
                          const std::optional<std::wstring>& folder, DWORD folderType = REG_SZ) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFolderKey);
        Key pathKey = CreateKey(HKEY_LOCAL_MACHINE, kPathKey);
        RegDeleteValueW(pathKey.get(), L"PATH");
        if (path) {
            const DWORD bytes = static_cast<DWORD>(path->empty() ? 0 : (path->size() + 1) * sizeof(wchar_t));
            RegSetValueExW(pathKey.get(), L"PATH", 0, pathType, reinterpret_cast<const BYTE*>(path->c_str()), bytes);
        }
        if (folder) {
            Key folderKey = CreateKey(HKEY_LOCAL_MACHINE, kFolderKey);
            RegSetValueExW(folderKey.get(), L"MSINFO", 0, folderType, reinterpret_cast<const BYTE*>(folder->c_str()),
                           static_cast<DWORD>((folder->size() + 1) * sizeof(wchar_t)));
        }
    }

    // Saved only where the test runs, and put back when it ends.
    std::optional<SavedValue> savedPath_, savedFolder_;
    std::wstring root_, withProgram_, withoutProgram_, withBlanks_, msinfo32_, savedCurrent_, decoy_;
};

TEST_F(StartSysInfoTest, StartsWhatTheRegistryNamesOrShowsTheMessage) {
    const std::wstring missing = root_ + L"\\falta\\msinfo32.exe";
    struct Case {
        const char* what;
        std::optional<std::wstring> path;
        DWORD pathType;
        std::optional<std::wstring> folder;
        std::wstring started;  // empty: nothing runs and the message shows
        bool folderTried;      // the second lookup looked for the program
        DWORD folderType = REG_SZ;
    } cases[] = {
        {"PATH names msinfo32", msinfo32_, REG_SZ, withProgram_, msinfo32_, false},
        {"PATH with blanks", withBlanks_ + L"\\MSINFO32.EXE", REG_SZ, std::nullopt,
         withBlanks_ + L"\\MSINFO32.EXE", false},
        {"folder holds the program", std::nullopt, REG_SZ, withProgram_, withProgram_ + L"\\MSINFO32.EXE", true},
        {"folder with blanks", std::nullopt, REG_SZ, withBlanks_, withBlanks_ + L"\\MSINFO32.EXE", true},
        {"folder lacks the program", std::nullopt, REG_SZ, withoutProgram_, L"", true},
        {"neither key", std::nullopt, REG_SZ, std::nullopt, L"", false},
        {"PATH names no file, never looked for", missing, REG_SZ, withProgram_, L"", false},
        {"PATH expandable reads as nothing", msinfo32_, REG_EXPAND_SZ, withProgram_, L"", false},
        {"PATH empty stops at once", std::wstring(), REG_SZ, withProgram_, L"", false},
        // Paths that would name a file wherever the program was started from.
        {"PATH relative", L"lleno\\MSINFO32.EXE", REG_SZ, std::nullopt, L"", false},
        {"PATH cut short by a zero", withProgram_ + std::wstring(L"\\MSINFO32.EXE\0 x", 16), REG_SZ, std::nullopt,
         L"", false},
        {"folder relative", std::nullopt, REG_SZ, L"lleno", L"", false},
        {"folder expandable leaves the drive root", std::nullopt, REG_SZ, withProgram_, L"", false, REG_EXPAND_SZ},
    };
    PlantDecoys();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetValues(c.path, c.pathType, c.folder, c.folderType);
        testing::TestServices fakes;
        RecordingPrograms programs;
        Services services{fakes.prompt, fakes.clock,   fakes.locale,   fakes.shell,
                          fakes.ending, fakes.services.printer, RealRegistry(), programs};
        const std::wstring exeName = c.started.empty() ? L"" : c.started.substr(c.started.find_last_of(L'\\') + 1);
        const std::set<DWORD> before = ProcessesNamed(exeName);

        StartSysInfo(services, nullptr);

        if (c.started.empty()) {
            EXPECT_TRUE(programs.started.empty());
            ASSERT_EQ(fakes.prompt.shown.size(), 1u);
            EXPECT_EQ(fakes.prompt.shown[0].text, "La información del sistema no está disponible en este momento");
            EXPECT_EQ(fakes.prompt.shown[0].title, "PULVAR");
            EXPECT_EQ(fakes.prompt.shown[0].style, 0u);
        } else {
            EXPECT_TRUE(fakes.prompt.shown.empty());
            ASSERT_EQ(programs.started.size(), 1u);
            EXPECT_EQ(programs.started[0], Narrow(c.started));
            EXPECT_TRUE(EndNewProcess(FileName(programs.started[0]), before));
        }
        EXPECT_EQ(!programs.checked.empty(), c.folderTried);
    }
}

// ------------------------------------------------------- on Windows itself

// This thread as the same user without administrator rights: the
// Administrators group only denies and every privilege is gone, as in the
// token UAC gives a standard user. The CI's Windows user is an administrator;
// impersonating this token shows what a standard user may open.
class StandardUser {
public:
    StandardUser() {
        HANDLE own = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY, &own)) return;
        Handle process(own);
        BYTE admins[SECURITY_MAX_SID_SIZE];
        DWORD sidSize = sizeof admins;
        if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, admins, &sidSize)) return;
        SID_AND_ATTRIBUTES denied{admins, 0};
        HANDLE restricted = nullptr;
        if (!CreateRestrictedToken(process.get(), DISABLE_MAX_PRIVILEGE | LUA_TOKEN, 1, &denied, 0, nullptr, 0,
                                   nullptr, &restricted))
            return;
        Handle primary(restricted);
        HANDLE impersonation = nullptr;
        if (!DuplicateTokenEx(primary.get(), TOKEN_IMPERSONATE | TOKEN_QUERY, nullptr, SecurityImpersonation,
                              TokenImpersonation, &impersonation))
            return;
        token_.reset(impersonation);
        BOOL admin = TRUE;
        if (!CheckTokenMembership(token_.get(), admins, &admin) || admin) return;
        active_ = SetThreadToken(nullptr, token_.get()) != FALSE;
    }
    ~StandardUser() {
        if (active_) RevertToSelf();
    }
    StandardUser(const StandardUser&) = delete;
    StandardUser& operator=(const StandardUser&) = delete;
    bool active() const { return active_; }

private:
    Handle token_;
    bool active_ = false;
};

TEST(OnWindows, LauncherKeysOpenForAStandardUser) {
    if (testing::UnderWine()) GTEST_SKIP() << "Windows only: Wine grants every registry access, so no refusal shows";
    StandardUser user;
    ASSERT_TRUE(user.active()) << "cannot act as a user without administrator rights";
    const SysInfoLookup lookups[] = {kSysInfoPath, kSysInfoFolder};
    int present = 0;
    for (const auto& lookup : lookups) {
        HKEY opened = nullptr;
        const LONG status =
            RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(lookup.key).c_str(), 0, KEY_QUERY_VALUE, &opened);
        Key owned(opened);
        if (status == ERROR_FILE_NOT_FOUND) continue;
        ++present;
        EXPECT_EQ(status, ERROR_SUCCESS) << lookup.key << ", read-only";
    }
    if (present == 0) GTEST_SKIP() << "this Windows has neither of the launcher's keys";
    // And as the launcher itself opens them: a refusal here is the "not
    // available" message for every standard user.
    CountingRegistry registry;
    for (const auto& lookup : lookups) {
        std::string keyVal;
        try {
            GetKeyValue(registry, RegistryRoot::LocalMachine, lookup.key, lookup.value, keyVal);
        } catch (const EmptyRegistryValue&) {
        }
    }
    for (long status : registry.statuses) EXPECT_NE(status, ERROR_ACCESS_DENIED) << "the launcher asks for too much";
    EXPECT_EQ(registry.closed, registry.opened);
}

TEST(OnWindows, SysInfoStartsTheSystemInformationTool) {
    if (testing::UnderWine()) GTEST_SKIP() << "Windows only: starts the msinfo32.exe that Windows registers";
    std::string registered;
    if (!GetKeyValue(RealRegistry(), RegistryRoot::LocalMachine, kSysInfoPath.key, kSysInfoPath.value, registered))
        GTEST_SKIP() << "this Windows does not register msinfo32.exe under HKLM\\" << kSysInfoPath.key;
    testing::TestServices fakes;
    RecordingPrograms programs;
    Services services{fakes.prompt, fakes.clock,   fakes.locale,   fakes.shell,
                      fakes.ending, fakes.services.printer, RealRegistry(), programs};
    const std::set<DWORD> before = ProcessesNamed(L"msinfo32.exe");

    StartSysInfo(services, nullptr);

    EXPECT_TRUE(fakes.prompt.shown.empty()) << "the launcher showed its message; the registry names " << registered;
    ASSERT_EQ(programs.started.size(), 1u);
    EXPECT_EQ(lstrcmpiW(FileName(programs.started[0]).c_str(), L"msinfo32.exe"), 0) << programs.started[0];
    EXPECT_TRUE(EndNewProcess(FileName(programs.started[0]), before)) << "no new process for " << programs.started[0];
}

}  // namespace
}  // namespace pulvar
