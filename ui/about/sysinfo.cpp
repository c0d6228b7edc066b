#include "ui/about/sysinfo.h"

#include <array>

#include "core/identity.h"
#include "core/sysinfo_text.h"
#include "platform/programs.h"
#include "platform/text.h"

namespace pulvar {

namespace {

// The keys are only read. Asking for more (write rights) under HKLM is
// refused to a standard user, who would then always be told the tool is not
// available.
constexpr std::uint32_t kKeyAccess = kRegistryQueryValue;
constexpr std::uint32_t kBufferBytes = 1024;

std::string Utf8(const std::u16string& text) { return Narrow(std::wstring(text.begin(), text.end())); }

}  // namespace

bool GetKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& keyVal) {
    RegistryKey key;
    if (registry.Open(root, keyName, kKeyAccess, &key) != kRegistryOk) {
        keyVal.clear();
        return false;
    }
    std::array<unsigned char, kBufferBytes> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kBufferBytes;
    if (registry.Query(key, valueName, &type, buffer.data(), &size) != kRegistryOk) {
        keyVal.clear();
        return false;
    }
    const size_t used = size < kBufferBytes ? size : kBufferBytes;
    KeyValueText value = KeyValueFromBytes(type, {reinterpret_cast<const char*>(buffer.data()), used});
    switch (value.reading) {
        case ValueReading::Unreadable: throw EmptyRegistryValue{};
        case ValueReading::Unchanged: return true;
        case ValueReading::Text: break;
    }
    keyVal = Utf8(value.text);
    return true;
}

void StartSysInfo(Services& services, void* owner) {
    bool started = false;
    try {
        std::string path;
        // Only an absolute path is looked at or started: an empty or relative
        // one would name a file in whatever folder or drive the program was
        // started from, a USB stick or a share.
        if (GetKeyValue(services.registry, RegistryRoot::LocalMachine, kSysInfoPath.key, kSysInfoPath.value, path)) {
            // What PATH names is started as it is, without looking for it first.
            started = IsAbsoluteProgramPath(path) && services.programs.Start(path);
        } else if (GetKeyValue(services.registry, RegistryRoot::LocalMachine, kSysInfoFolder.key,
                               kSysInfoFolder.value, path)) {
            path += kSysInfoProgram;
            started = IsAbsoluteProgramPath(path) && services.programs.FileExists(path) &&
                      services.programs.Start(path);
        }
    } catch (...) {
        // An empty value, or anything else that goes wrong, ends the attempt the same way.
        started = false;
    }
    if (!started) services.prompt.Show(owner, kSysInfoUnavailable, kAppTitle, kBoxOk);
}

}  // namespace pulvar
