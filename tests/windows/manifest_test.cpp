// Pulvar.exe's application manifest, read back from the built program: first
// the resource as it is stored, then what the Windows loader makes of it, by
// building an activation context from the exe the way CreateProcess does.
// A misspelt namespace or attribute does not fail the build, and Windows
// silently ignores the setting; the second half catches that.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "res/version.h"
#include "tests/windows/host.h"

namespace {

std::wstring ExePath() { return pulvar::testing::ProgramPath(PULVAR_EXE_PATH); }

std::string ExpectedIdentityVersion() {
    return std::to_string(PULVAR_VERSION_MAJOR) + "." + std::to_string(PULVAR_VERSION_MINOR) + ".0." +
           std::to_string(PULVAR_VERSION_REVISION);
}

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
    return s;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(out)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

struct ManifestResource {
    std::vector<ULONG_PTR> ids;  // integer ids only: a named manifest would show as a pointer
    std::string text;            // the resource with id 1, as stored
};

ManifestResource ReadManifestResource() {
    ManifestResource r;
    HMODULE exe = LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) {
        ADD_FAILURE() << "cannot open " << PULVAR_EXE_PATH << " (error " << GetLastError() << ")";
        return r;
    }
    EnumResourceNamesW(exe, RT_MANIFEST, CollectName, reinterpret_cast<LONG_PTR>(&r.ids));
    if (HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
        const DWORD size = SizeofResource(exe, res);
        HGLOBAL loaded = LoadResource(exe, res);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (bytes) r.text.assign(static_cast<const char*>(bytes), size);
    }
    FreeLibrary(exe);
    return r;
}

// An activation context built from Pulvar.exe's manifest resource.
class ExeContext {
public:
    ExeContext() {
        const std::wstring path = ExePath();
        ACTCTXW ctx{};
        ctx.cbSize = sizeof ctx;
        ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        ctx.lpSource = path.c_str();
        ctx.lpResourceName = MAKEINTRESOURCEW(1);
        handle_ = CreateActCtxW(&ctx);
        error_ = GetLastError();
    }
    ~ExeContext() {
        if (ok()) ReleaseActCtx(handle_);
    }
    ExeContext(const ExeContext&) = delete;
    ExeContext& operator=(const ExeContext&) = delete;

    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    DWORD error() const { return error_; }

    // The raw answer of QueryActCtxW for an information class.
    std::vector<char> Query(ULONG info_class, void* sub_instance = nullptr) const {
        SIZE_T needed = 0;
        QueryActCtxW(0, handle_, sub_instance, info_class, nullptr, 0, &needed);
        std::vector<char> buf(needed + 16);
        if (!QueryActCtxW(0, handle_, sub_instance, info_class, buf.data(), buf.size(), &needed)) return {};
        buf.resize(needed);
        return buf;
    }

    // The encoded identities of the assemblies in the context: the exe's own first.
    std::vector<std::string> Assemblies() const {
        std::vector<std::string> out;
        std::vector<char> detail = Query(ActivationContextDetailedInformation);
        if (detail.size() < sizeof(ACTIVATION_CONTEXT_DETAILED_INFORMATION)) return out;
        DWORD count = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(detail.data())->ulAssemblyCount;
        for (DWORD i = 1; i <= count; ++i) {
            std::vector<char> a = Query(AssemblyDetailedInformationInActivationContext, &i);
            auto* info = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(a.data());
            out.push_back(a.size() >= sizeof *info && info->lpAssemblyEncodedAssemblyIdentity
                              ? Narrow(info->lpAssemblyEncodedAssemblyIdentity)
                              : std::string());
        }
        return out;
    }

    // A <windowsSettings> value, or "" when the loader has none.
    std::string Setting(const wchar_t* ns, const wchar_t* name) const {
        wchar_t buf[128] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, handle_, ns, name, buf, ARRAYSIZE(buf), &written)) return {};
        return Narrow(buf);
    }

    // The supportedOS ids the loader took in.
    std::vector<GUID> SupportedOs() const {
        std::vector<GUID> out;
        std::vector<char> buf = Query(CompatibilityInformationInActivationContext);
        if (buf.size() < sizeof(DWORD)) return out;
        DWORD count = 0;
        std::memcpy(&count, buf.data(), sizeof count);
        if (count == 0) return out;
        // Windows 10 1903 added MaxVersionTested to each element, which also
        // moves the array to an 8-byte boundary; older systems have the short
        // form. The size of the answer tells which.
        struct Long {
            GUID id;
            ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
            ULONGLONG max_version_tested;
        };
        size_t offset = 0, stride = 0;
        if (buf.size() == 8 + count * sizeof(Long)) {
            offset = 8, stride = sizeof(Long);
        } else if (buf.size() == 4 + count * sizeof(COMPATIBILITY_CONTEXT_ELEMENT)) {
            offset = 4, stride = sizeof(COMPATIBILITY_CONTEXT_ELEMENT);
        } else {
            ADD_FAILURE() << "compatibility answer of " << buf.size() << " bytes for " << count << " elements";
            return out;
        }
        for (DWORD i = 0; i < count; ++i) {
            COMPATIBILITY_CONTEXT_ELEMENT e;
            std::memcpy(&e, buf.data() + offset + i * stride, sizeof e);
            if (e.Type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) out.push_back(e.Id);
        }
        return out;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
};

bool Contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

TEST(ManifestTest, IsEmbeddedOnceAsTheStartUpManifest) {
    const ManifestResource r = ReadManifestResource();
    // Id 1 is the manifest the loader reads when the process starts; a second
    // one (id 2 is meant for DLLs) would only confuse.
    ASSERT_EQ(r.ids, std::vector<ULONG_PTR>{1});
    ASSERT_FALSE(r.text.empty());
    EXPECT_EQ(r.text.rfind("<?xml", 0), 0u) << "the manifest must start with its XML declaration, no BOM";

    EXPECT_TRUE(Contains(r.text, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_TRUE(Contains(r.text, "publicKeyToken=\"6595b64144ccf1df\""));
    EXPECT_TRUE(Contains(r.text, ">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_TRUE(Contains(r.text, "<requestedExecutionLevel level=\"asInvoker\""));
    // The manifest repeats the program's version; it must follow CMakeLists.txt, as version.h does.
    EXPECT_TRUE(Contains(r.text, "name=\"Pulvar.Pulvar\" version=\"" + ExpectedIdentityVersion() + "\""))
        << "the assembly identity's version differs from res/version.h";
}

TEST(ManifestTest, LoaderBindsTheVersion6CommonControls) {
    const ExeContext ctx;
    ASSERT_TRUE(ctx.ok()) << "the loader rejects the manifest (error " << ctx.error() << ")";
    const std::vector<std::string> assemblies = ctx.Assemblies();
    ASSERT_GE(assemblies.size(), 2u);

    EXPECT_EQ(assemblies[0].rfind("Pulvar.Pulvar,", 0), 0u) << assemblies[0];
    // Any architecture: a fixed one keeps a build for any other from starting.
    EXPECT_TRUE(Contains(assemblies[0], "processorArchitecture=\"*\"")) << assemblies[0];
    EXPECT_TRUE(Contains(assemblies[0], "version=\"" + ExpectedIdentityVersion() + "\"")) << assemblies[0];

    bool common_controls_6 = false;
    for (size_t i = 1; i < assemblies.size(); ++i) {
        const std::string& a = assemblies[i];
        if (a.rfind("Microsoft.Windows.Common-Controls,", 0) == 0 && Contains(a, "version=\"6.")) {
            common_controls_6 = true;
        }
    }
    EXPECT_TRUE(common_controls_6) << "no version 6 common controls among " << ::testing::PrintToString(assemblies);
}

TEST(ManifestTest, LoaderReadsTheRunLevelDpiAwarenessAndSupportedSystems) {
    const ExeContext ctx;
    ASSERT_TRUE(ctx.ok()) << "the loader rejects the manifest (error " << ctx.error() << ")";

    std::vector<char> run = ctx.Query(RunlevelInformationInActivationContext);
    ASSERT_GE(run.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    auto* level = reinterpret_cast<const ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION*>(run.data());
    EXPECT_EQ(level->RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level->UiAccess, 0u);

    // Each setting is read from its own namespace; one in the wrong namespace
    // comes back empty.
    EXPECT_EQ(ctx.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              "PerMonitorV2, PerMonitor");
    EXPECT_EQ(ctx.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), "true/pm");

    const GUID vista = {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}};
    const GUID win7 = {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}};
    const GUID win8 = {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}};
    const GUID win81 = {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}};
    const GUID win10 = {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    const std::vector<GUID> supported = ctx.SupportedOs();
    const struct {
        const char* name;
        GUID id;
    } systems[] = {{"Vista", vista}, {"7", win7}, {"8", win8}, {"8.1", win81}, {"10 and 11", win10}};
    for (const auto& system : systems) {
        bool found = false;
        for (const GUID& g : supported) found = found || IsEqualGUID(g, system.id);
        EXPECT_TRUE(found) << "Windows " << system.name << " is not among the supported systems";
    }
    EXPECT_EQ(supported.size(), std::size(systems));
}

// The exe's file, whole, for the tests that read its PE headers.
std::vector<char> ExeBytes() {
    std::vector<char> bytes;
    HANDLE file = CreateFileW(ExePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    DWORD read = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

// The loader's protections are flags in the exe's header: nothing fails when
// a linker leaves one out, the program just runs without it.
TEST(ManifestTest, HeaderAsksForTheLoadersProtections) {
    const std::vector<char> bytes = ExeBytes();
    ASSERT_GE(bytes.size(), sizeof(IMAGE_DOS_HEADER)) << "cannot read " << PULVAR_EXE_PATH;
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, bytes.data(), sizeof dos);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_GE(dos.e_lfanew, 0);
    ASSERT_LE(static_cast<size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS64), bytes.size());
    IMAGE_NT_HEADERS64 nt;
    std::memcpy(&nt, bytes.data() + dos.e_lfanew, sizeof nt);
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);

    // 0x8160: terminal-server aware, DEP, ASLR, 64-bit ASLR, and no more
    // from mingw-w64; MSVC's /guard:cf adds Control Flow Guard (0x4000).
    constexpr WORD kWanted = IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT |
                             IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA;
    static_assert(kWanted == 0x8160, "the four flags");
#ifdef _MSC_VER
    constexpr WORD kWithGuard = kWanted | IMAGE_DLLCHARACTERISTICS_GUARD_CF;
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & kWithGuard, kWithGuard)
        << "DllCharacteristics 0x" << std::hex << nt.OptionalHeader.DllCharacteristics;
    // /CETCOMPAT lives in the debug directory: an entry of type 20 whose
    // first word has bit 0 (shadow stacks) set.
    const IMAGE_DATA_DIRECTORY debug = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DEBUG];
    const size_t sections = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                            nt.FileHeader.SizeOfOptionalHeader;
    bool cet = false;
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        ASSERT_LE(sections + (i + 1) * sizeof section, bytes.size());
        std::memcpy(&section, bytes.data() + sections + i * sizeof section, sizeof section);
        if (debug.VirtualAddress < section.VirtualAddress ||
            debug.VirtualAddress + debug.Size > section.VirtualAddress + section.SizeOfRawData)
            continue;
        const size_t at = debug.VirtualAddress - section.VirtualAddress + section.PointerToRawData;
        for (size_t e = 0; e + sizeof(IMAGE_DEBUG_DIRECTORY) <= debug.Size; e += sizeof(IMAGE_DEBUG_DIRECTORY)) {
            IMAGE_DEBUG_DIRECTORY entry;
            ASSERT_LE(at + e + sizeof entry, bytes.size());
            std::memcpy(&entry, bytes.data() + at + e, sizeof entry);
            DWORD flags = 0;
            if (entry.Type != 20 || entry.SizeOfData < sizeof flags) continue;
            ASSERT_LE(static_cast<size_t>(entry.PointerToRawData) + sizeof flags, bytes.size());
            std::memcpy(&flags, bytes.data() + entry.PointerToRawData, sizeof flags);
            cet = cet || (flags & 1) != 0;
        }
    }
    EXPECT_TRUE(cet) << "not marked compatible with shadow stacks (/CETCOMPAT)";
#else
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics, kWanted)
        << "DllCharacteristics 0x" << std::hex << nt.OptionalHeader.DllCharacteristics;
    // No link time in the header, so two builds of one commit match byte for byte.
    EXPECT_EQ(nt.FileHeader.TimeDateStamp, 0u);
#endif
}

// What Windows makes of the manifest while the program runs: this test
// program embeds the same manifest as Pulvar.exe, so its own thread and
// windows carry the awareness the loader gave it.
TEST(ManifestTest, WindowsRunsTheProgramPerMonitorV2Aware) {
    if (pulvar::testing::UnderWine())
        GTEST_SKIP() << "Windows only: Wine 8 reports per-monitor awareness, but not version 2";
    using Context = HANDLE;  // DPI_AWARENESS_CONTEXT, declared only for Windows 10 targets
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto function = [user32](const char* name) { return reinterpret_cast<void*>(GetProcAddress(user32, name)); };
    auto threadContext = reinterpret_cast<Context(WINAPI*)()>(function("GetThreadDpiAwarenessContext"));
    auto windowContext = reinterpret_cast<Context(WINAPI*)(HWND)>(function("GetWindowDpiAwarenessContext"));
    auto awarenessOf = reinterpret_cast<int(WINAPI*)(Context)>(function("GetAwarenessFromDpiAwarenessContext"));
    auto same = reinterpret_cast<BOOL(WINAPI*)(Context, Context)>(function("AreDpiAwarenessContextsEqual"));
    if (!threadContext || !windowContext || !awarenessOf || !same)
        GTEST_SKIP() << "needs Windows 10 1607 or later for the DPI awareness contexts";
    constexpr int kPerMonitorAware = 2;                                  // DPI_AWARENESS_PER_MONITOR_AWARE
    const Context perMonitorV2 = reinterpret_cast<Context>(static_cast<INT_PTR>(-4));  // ..._PER_MONITOR_AWARE_V2

    const Context thread = threadContext();
    EXPECT_EQ(awarenessOf(thread), kPerMonitorAware);
    EXPECT_TRUE(same(thread, perMonitorV2)) << "per-monitor, but not version 2";

    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(awarenessOf(windowContext(window)), kPerMonitorAware);
    DestroyWindow(window);
}

}  // namespace
