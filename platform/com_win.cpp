#include "platform/com.h"

#include <windows.h>
#include <objbase.h>

#include "platform/system_library.h"

namespace pulvar {

namespace {

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFn = void(WINAPI*)();

// Per thread: whether UseCom has asked, and whether the apartment is ours to leave.
thread_local bool tried = false;
thread_local bool usable = false;
thread_local bool entered = false;

}  // namespace

bool UseCom() {
    if (tried) return usable;
    // ole32 is loaded here, not with the program.
    static const auto coInitializeEx = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    tried = true;
    if (!coInitializeEx) return false;
    // No DDE for OLE 1 objects: the shell's documentation asks for it, and
    // the program embeds no such object.
    const HRESULT result = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    entered = SUCCEEDED(result);  // S_FALSE too: every success is left once
    usable = entered || result == RPC_E_CHANGED_MODE;
    return usable;
}

void LeaveCom() {
    if (entered) {
        static const auto coUninitialize = SystemFunction<CoUninitializeFn>(L"ole32.dll", "CoUninitialize");
        if (coUninitialize) coUninitialize();
    }
    tried = usable = entered = false;
}

}  // namespace pulvar
