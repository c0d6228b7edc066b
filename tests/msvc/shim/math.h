// mingw-w64's math.h gives the classification functions as C macros; the
// UCRT gives C++ overloads, and Microsoft's <cmath> declares its own under
// those names. In C++ the macros go.
#include_next <math.h>
#ifdef __cplusplus
#undef fpclassify
#undef isfinite
#undef isinf
#undef isnan
#undef isnormal
#undef signbit
#undef isgreater
#undef isgreaterequal
#undef isless
#undef islessequal
#undef islessgreater
#undef isunordered
#endif
