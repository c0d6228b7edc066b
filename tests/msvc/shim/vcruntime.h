// Stand-in for MSVC's vcruntime.h, which is not published: the macros and
// types Microsoft's STL and mingw-w64's C headers expect from it, enough for
// a syntax-only compile (tests/msvc/check). Nothing here is ever linked.
#pragma once
#define _VCRUNTIME_H
#include <sal.h>
#include <vadefs.h>

#define _CRT_PACKING 8
#ifdef __cplusplus
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING)) extern "C" {
#define _CRT_END_C_HEADER } __pragma(pack(pop))
#else
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING))
#define _CRT_END_C_HEADER __pragma(pack(pop))
#endif

// Imports and attributes of the runtime's declarations.
#ifndef _VCRTIMP
#define _VCRTIMP __declspec(dllimport)
#endif
#ifndef _ACRTIMP
#define _ACRTIMP __declspec(dllimport)
#endif
#ifndef _CRTIMP
#define _CRTIMP __declspec(dllimport)
#endif
#ifndef _CRTIMP2
#define _CRTIMP2
#endif
#define _VCRT_ALIGN(n) __declspec(align(n))
#define _CRT_ALIGN(n) __declspec(align(n))
#define _CRTALLOCATOR __declspec(allocator)
#define _VCRT_ALLOCATOR __declspec(allocator)
#define _CRTRESTRICT __declspec(restrict)
#define _VCRT_RESTRICT __declspec(restrict)
#define _CRT_NOALIAS __declspec(noalias)
#define _CRTNOALIAS __declspec(noalias)
#define _VCRT_NOALIAS __declspec(noalias)
#define _CRT_HYBRIDPATCHABLE
#define _CRT_GUARDOVERFLOW
#define _CRT_SUPPRESS_RESTRICT
#define _CONST_RETURN
#define _VCRT_JIT_INTRINSIC
#define _VCRT_EXPORT_STD
#define _CRT_SECURE_CPP_NOTHROW throw()
#define _CRT_INTERNAL_NONSTDC_NAMES 1

// Calling conventions the headers spell through macros (no C++/CLI here).
#define __CRTDECL __cdecl
#define __CLRCALL_PURE_OR_CDECL __cdecl
#define __CLRCALL_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_STDCALL __stdcall
#define __CLR_OR_THIS_CALL

// Token helpers.
#define _CRT_STRINGIZE_(t) #t
#define _CRT_STRINGIZE(t) _CRT_STRINGIZE_(t)
#define _CRT_WIDE_(t) L##t
#define _CRT_WIDE(t) _CRT_WIDE_(t)
#define _CRT_CONCATENATE_(a, b) a##b
#define _CRT_CONCATENATE(a, b) _CRT_CONCATENATE_(a, b)
#define _CRT_UNPARENTHESIZE_(...) __VA_ARGS__
#define _CRT_UNPARENTHESIZE(...) _CRT_UNPARENTHESIZE_ __VA_ARGS__
#define __crt_countof(a) (sizeof(a) / sizeof((a)[0]))
#define _CRT_UNUSED(x) (void)(x)

// Deprecations: the build defines _CRT_SECURE_NO_WARNINGS, as the MSVC one does.
#define _CRT_DEPRECATE_TEXT(text) __declspec(deprecated(text))
#if defined(_CRT_SECURE_NO_DEPRECATE) && !defined(_CRT_SECURE_NO_WARNINGS)
#define _CRT_SECURE_NO_WARNINGS
#endif
#ifndef _CRT_INSECURE_DEPRECATE
#ifdef _CRT_SECURE_NO_WARNINGS
#define _CRT_INSECURE_DEPRECATE(replacement)
#else
#define _CRT_INSECURE_DEPRECATE(replacement) _CRT_DEPRECATE_TEXT("unsafe; use " #replacement)
#endif
#endif

#ifndef _HAS_EXCEPTIONS
#define _HAS_EXCEPTIONS 1
#endif
#define _CRT_HAS_C11 0

// The language level, from _MSVC_LANG as MSVC sets it for /std:c++17.
#if defined(_MSVC_LANG) && _MSVC_LANG >= 201703L
#define _CRT_HAS_CXX17 1
#else
#define _CRT_HAS_CXX17 0
#endif
#ifndef _HAS_CXX17
#define _HAS_CXX17 _CRT_HAS_CXX17
#endif
#ifndef _HAS_CXX20
#if defined(_MSVC_LANG) && _MSVC_LANG > 201703L
#define _HAS_CXX20 1
#else
#define _HAS_CXX20 0
#endif
#endif
#ifndef _HAS_CXX23
#if defined(_MSVC_LANG) && _MSVC_LANG > 202002L
#define _HAS_CXX23 1
#else
#define _HAS_CXX23 0
#endif
#endif
#ifndef _HAS_CXX26
#define _HAS_CXX26 0
#endif
#ifndef _HAS_NODISCARD
#define _HAS_NODISCARD 1
#endif
#if _HAS_NODISCARD
#define _NODISCARD [[nodiscard]]
#else
#define _NODISCARD
#endif
#ifdef __cplusplus
#define _VCRT_DEFINED_CONSTEXPR constexpr
#endif

// The STL's satellite-DLL markers: empty for a static runtime.
#define _CRT_SATELLITE_1
#define _CRT_SATELLITE_2
#define _CRT_SATELLITE_CODECVT_IDS
#define _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
#ifndef _Deref_post_opt_valid_
#define _Deref_post_opt_valid_
#endif

// The basic types, for x64 only (the program is 64-bit).
#ifndef _SIZE_T_DEFINED
#define _SIZE_T_DEFINED
typedef unsigned __int64 size_t;
#endif
#ifndef _PTRDIFF_T_DEFINED
#define _PTRDIFF_T_DEFINED
typedef __int64 ptrdiff_t;
#endif
#ifndef _INTPTR_T_DEFINED
#define _INTPTR_T_DEFINED
typedef __int64 intptr_t;
#endif
#ifndef _UINTPTR_T_DEFINED
#define _UINTPTR_T_DEFINED
typedef unsigned __int64 uintptr_t;
#endif
typedef bool __vcrt_bool;
