// Stand-in for MSVC's vcruntime_new.h, which is not published: the
// replaceable allocation functions and the tags <new> takes from the runtime,
// with MSVC's __declspec(allocator) and the runtime's placement-new guards.
#pragma once
#include <vcruntime.h>

#pragma pack(push, _CRT_PACKING)
extern "C++" {
namespace std {
enum class align_val_t : size_t {};
struct nothrow_t {
    explicit nothrow_t() = default;
};
extern const nothrow_t nothrow;
}  // namespace std

[[nodiscard]] __declspec(allocator) void* __cdecl operator new(size_t size);
[[nodiscard]] __declspec(allocator) void* __cdecl operator new[](size_t size);
[[nodiscard]] __declspec(allocator) void* __cdecl operator new(size_t size, const std::nothrow_t&) noexcept;
[[nodiscard]] __declspec(allocator) void* __cdecl operator new[](size_t size, const std::nothrow_t&) noexcept;
[[nodiscard]] __declspec(allocator) void* __cdecl operator new(size_t size, std::align_val_t align);
[[nodiscard]] __declspec(allocator) void* __cdecl operator new[](size_t size, std::align_val_t align);
[[nodiscard]] __declspec(allocator) void* __cdecl operator new(size_t size, std::align_val_t align,
                                                               const std::nothrow_t&) noexcept;
[[nodiscard]] __declspec(allocator) void* __cdecl operator new[](size_t size, std::align_val_t align,
                                                                 const std::nothrow_t&) noexcept;

void __cdecl operator delete(void* block) noexcept;
void __cdecl operator delete[](void* block) noexcept;
void __cdecl operator delete(void* block, const std::nothrow_t&) noexcept;
void __cdecl operator delete[](void* block, const std::nothrow_t&) noexcept;
void __cdecl operator delete(void* block, size_t size) noexcept;
void __cdecl operator delete[](void* block, size_t size) noexcept;
void __cdecl operator delete(void* block, std::align_val_t align) noexcept;
void __cdecl operator delete[](void* block, std::align_val_t align) noexcept;
void __cdecl operator delete(void* block, std::align_val_t align, const std::nothrow_t&) noexcept;
void __cdecl operator delete[](void* block, std::align_val_t align, const std::nothrow_t&) noexcept;
void __cdecl operator delete(void* block, size_t size, std::align_val_t align) noexcept;
void __cdecl operator delete[](void* block, size_t size, std::align_val_t align) noexcept;

// Placement forms, guarded as the runtime guards them.
#ifndef __PLACEMENT_NEW_INLINE
#define __PLACEMENT_NEW_INLINE
[[nodiscard]] inline void* __cdecl operator new(size_t, void* where) noexcept { return where; }
inline void __cdecl operator delete(void*, void*) noexcept {}
#endif
#ifndef __PLACEMENT_VEC_NEW_INLINE
#define __PLACEMENT_VEC_NEW_INLINE
[[nodiscard]] inline void* __cdecl operator new[](size_t, void* where) noexcept { return where; }
inline void __cdecl operator delete[](void*, void*) noexcept {}
#endif
}
#pragma pack(pop)
