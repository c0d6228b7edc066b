// The UCRT's stdio.h brings _Mbstatet, which <cstdio> expects; mingw-w64's
// declares it in wchar.h. The STL's file buffer also asks the UCRT for a
// stream's buffer pointers.
#include_next <stdio.h>
#include <wchar.h>
#ifdef __cplusplus
extern "C" {
#endif
errno_t __cdecl _get_stream_buffer_pointers(FILE* stream, char*** base, char*** pointer, int** count);
#ifdef __cplusplus
}
#endif
