// The UCRT's stdlib.h also declares abs and div for long and long long in
// C++, which the STL calls unqualified; mingw-w64's has only the C ones.
#include_next <stdlib.h>
#if defined(__cplusplus) && !defined(PULVAR_SHIM_STDLIB_OVERLOADS)
#define PULVAR_SHIM_STDLIB_OVERLOADS
extern "C++" {
inline long __cdecl abs(long value) throw() { return labs(value); }
inline long long __cdecl abs(long long value) throw() { return llabs(value); }
inline ldiv_t __cdecl div(long numerator, long denominator) throw() { return ldiv(numerator, denominator); }
inline lldiv_t __cdecl div(long long numerator, long long denominator) throw() { return lldiv(numerator, denominator); }
}
#endif
