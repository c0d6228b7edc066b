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

// ole32 is loaded when first needed, not with the program. No DDE for OLE 1
// objects: the shell's documentation asks for it, and the program embeds no
// such object.
HRESULT EnterApartment() {
    static const auto coInitializeEx = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    return coInitializeEx ? coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) : E_FAIL;
}

void LeaveApartment() {
    static const auto coUninitialize = SystemFunction<CoUninitializeFn>(L"ole32.dll", "CoUninitialize");
    if (coUninitialize) coUninitialize();
}

}  // namespace

bool UseCom() {
    if (tried) return usable;
    tried = true;
    const HRESULT result = EnterApartment();
    entered = SUCCEEDED(result);  // S_FALSE too: every success is left once
    usable = entered || result == RPC_E_CHANGED_MODE;
    return usable;
}

void LeaveCom() {
    if (entered) LeaveApartment();
    tried = usable = entered = false;
}

ComApartment::ComApartment() : entered_(SUCCEEDED(EnterApartment())) {}

ComApartment::~ComApartment() {
    if (entered_) LeaveApartment();
}

}  // namespace pulvar
