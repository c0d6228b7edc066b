// mingw-w64's _mingw.h, seen by clang in Microsoft mode. Without __GNUC__ it
// takes its MSVC branch, whose attribute macros put __declspec after the
// declarator, where clang refuses them: those become GNU attributes or
// nothing (they change no type). It also hides __attribute__, which clang's
// own intrinsic headers use. (mingw-w64 10.0's _mingw.h also empties
// __stdcall on x64; with 12.0's clang sees the keyword and, like MSVC, ignores
// it there. Either way no declaration changes.)
#include_next <_mingw.h>

#undef __attribute__

#undef __MINGW_NOTHROW
#define __MINGW_NOTHROW
#undef __MINGW_ATTRIB_MALLOC
#define __MINGW_ATTRIB_MALLOC
#undef __MINGW_ATTRIB_CONST
#define __MINGW_ATTRIB_CONST
#undef __MINGW_ATTRIB_NORETURN
#define __MINGW_ATTRIB_NORETURN __attribute__((__noreturn__))
#undef __MINGW_ATTRIB_DEPRECATED
#define __MINGW_ATTRIB_DEPRECATED __attribute__((__deprecated__))
#undef __MINGW_ATTRIB_DEPRECATED_MSG
#define __MINGW_ATTRIB_DEPRECATED_MSG(text) __attribute__((__deprecated__(text)))
