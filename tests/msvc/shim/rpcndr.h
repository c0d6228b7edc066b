// The Windows SDK's MIDL_INTERFACE gives an interface its GUID, so that
// __uuidof(IAccessible) works, as the tests use it; mingw-w64's is a plain
// struct and emulates __uuidof another way.
#include_next <rpcndr.h>
#undef MIDL_INTERFACE
#define MIDL_INTERFACE(guid) struct __declspec(uuid(guid)) __declspec(novtable)
