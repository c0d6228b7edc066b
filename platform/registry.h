// Read access to the Windows registry, as thin as the Win32 calls so the rules
// built on it can be driven by a fake.
#pragma once

#include <cstdint>
#include <string>

namespace pulvar {

enum class RegistryRoot { CurrentUser, LocalMachine };

using RegistryKey = void*;  // an open HKEY

// Win32 status codes the callers look at.
inline constexpr long kRegistryOk = 0;
inline constexpr long kRegistryNotFound = 2;
inline constexpr long kRegistryMoreData = 234;

// Access right to read a key's values (KEY_QUERY_VALUE).
inline constexpr std::uint32_t kRegistryQueryValue = 0x0001;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens root\path (UTF-8) with the given access rights.
    virtual long Open(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey* key) = 0;
    // Reads a value with the wide call: size holds the buffer's size in bytes
    // and receives the data's size in bytes.
    virtual long Query(RegistryKey key, const std::string& name, std::uint32_t* type, unsigned char* buffer,
                       std::uint32_t* size) = 0;
    virtual void Close(RegistryKey key) = 0;
};

Registry& RealRegistry();

}  // namespace pulvar
