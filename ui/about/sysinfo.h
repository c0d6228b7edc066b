// "Info. del sistema...": finds the system-information program through the
// registry and starts it.
#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/seams.h"

namespace pulvar {

inline constexpr char kSysInfoUnavailable[] = "La información del sistema no está disponible en este momento";

// Where the registry tells of the tool, under HKEY_LOCAL_MACHINE: a key and
// the name of a value in it.
struct SysInfoLookup {
    const char* key;
    const char* value;
};
inline constexpr SysInfoLookup kSysInfoPath{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};  // the program
inline constexpr SysInfoLookup kSysInfoFolder{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};
inline constexpr char kSysInfoProgram[] = "\\MSINFO32.EXE";

// Thrown by GetKeyValue for a value that holds no bytes at all. It is not a
// plain "not found": the launcher stops at once, without its second lookup.
struct EmptyRegistryValue {};

// Reads root\keyName's valueName into keyVal (UTF-8). A missing key or value,
// or one longer than 1024 bytes, gives false and an empty keyVal. Text and
// DWORD values are read as core/sysinfo_text.h says; a value of any other
// type gives true and leaves keyVal as it was.
bool GetKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& keyVal);

// Starts the program that PATH names, or else MSINFO32.EXE in the folder the
// second key names; otherwise, or when the start fails, one message box.
void StartSysInfo(Services& services, void* owner);

}  // namespace pulvar
