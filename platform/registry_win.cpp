#include "platform/registry.h"

#include <windows.h>

#include "platform/owned.h"
#include "platform/text.h"

namespace pulvar {

namespace {

using Key = Owned<HKEY, RegCloseKey>;

class WinRegistry : public Registry {
public:
    long Open(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey* key) override {
        HKEY rootKey = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        HKEY opened = nullptr;
        LONG status = RegOpenKeyExW(rootKey, Widen(path).c_str(), 0, access, &opened);
        *key = status == ERROR_SUCCESS ? RegistryKey(*this, opened) : RegistryKey();
        return status;
    }

    long Query(const RegistryKey& key, const std::string& name, std::uint32_t* type, unsigned char* buffer,
               std::uint32_t* size) override {
        DWORD valueType = 0;
        DWORD bytes = *size;
        LONG status = RegQueryValueExW(static_cast<HKEY>(key.get()), Widen(name).c_str(), nullptr, &valueType, buffer,
                                       &bytes);
        *type = valueType;
        *size = bytes;
        return status;
    }

    void Close(void* handle) override { Key closing(static_cast<HKEY>(handle)); }
};

}  // namespace

Registry& RealRegistry() {
    static WinRegistry registry;
    return registry;
}

}  // namespace pulvar
