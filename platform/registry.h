// Read access to the Windows registry, as thin as the Win32 calls so the rules
// built on it can be driven by a fake.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace pulvar {

enum class RegistryRoot { CurrentUser, LocalMachine };

class Registry;

// An open key (an HKEY), closed by the registry that opened it when the key
// goes. Move-only, so a key is closed exactly once.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(Registry& registry, void* handle) : registry_(&registry), handle_(handle) {}
    RegistryKey(RegistryKey&& other) noexcept
        : registry_(std::exchange(other.registry_, nullptr)), handle_(std::exchange(other.handle_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset();
            registry_ = std::exchange(other.registry_, nullptr);
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { reset(); }

    void* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle away unclosed.
    void* release() {
        registry_ = nullptr;
        return std::exchange(handle_, nullptr);
    }
    inline void reset();

private:
    Registry* registry_ = nullptr;
    void* handle_ = nullptr;
};

// Win32 status codes the callers look at.
inline constexpr long kRegistryOk = 0;
inline constexpr long kRegistryNotFound = 2;
inline constexpr long kRegistryMoreData = 234;

// Access right to read a key's values (KEY_QUERY_VALUE).
inline constexpr std::uint32_t kRegistryQueryValue = 0x0001;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens root\path (UTF-8) with the given access rights; on success key
    // holds it, otherwise key is left empty.
    virtual long Open(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey* key) = 0;
    // Reads a value with the wide call: size holds the buffer's size in bytes
    // and receives the data's size in bytes.
    virtual long Query(const RegistryKey& key, const std::string& name, std::uint32_t* type,
                       unsigned char* buffer, std::uint32_t* size) = 0;
    // Closes a handle of this registry's; RegistryKey calls it.
    virtual void Close(void* handle) = 0;
};

void RegistryKey::reset() {
    if (handle_ && registry_) registry_->Close(handle_);
    registry_ = nullptr;
    handle_ = nullptr;
}

Registry& RealRegistry();

}  // namespace pulvar
