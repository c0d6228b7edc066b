// Stand-in for MSVC's eh.h, with what it takes from the UCRT's
// corecrt_terminate.h: the terminate and unexpected handlers, declared in C
// as the runtime exports them, which <exception> brings into std. It only
// names type_info. mingw-w64's eh.h cannot serve: 12.0's (Debian 13; not
// 10.0's) includes <typeinfo> first, which here is Microsoft's, and that needs
// std::exception from vcruntime_exception.h while vcruntime_exception.h is
// still reading eh.h; and were the order mended, <exception> would bring all
// of <typeinfo>, which MSVC's does not, and a missing include would go unseen.
#pragma once
#ifndef __cplusplus
#error eh.h is only for C++
#endif
#include <vcruntime.h>

#pragma pack(push, _CRT_PACKING)
class type_info;
struct _EXCEPTION_POINTERS;

extern "C" {
typedef void(__cdecl* terminate_handler)(void);
typedef void(__cdecl* terminate_function)(void);
typedef void(__cdecl* unexpected_handler)(void);
typedef void(__cdecl* _se_translator_function)(unsigned int, struct _EXCEPTION_POINTERS*);

[[noreturn]] void __cdecl terminate(void) throw();
terminate_handler __cdecl set_terminate(terminate_handler handler) throw();
terminate_handler __cdecl _get_terminate(void);
[[noreturn]] void __cdecl unexpected(void) noexcept(false);
unexpected_handler __cdecl set_unexpected(unexpected_handler handler) noexcept;
unexpected_handler __cdecl _get_unexpected(void);
_se_translator_function __cdecl _set_se_translator(_se_translator_function translator);
int __cdecl _is_exception_typeof(const type_info& type, struct _EXCEPTION_POINTERS* pointers);
bool __cdecl __uncaught_exception();
int __cdecl __uncaught_exceptions();
}
#pragma pack(pop)
