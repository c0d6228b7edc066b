// One move-only owner for every Windows handle the program creates.
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace pulvar {

// Counts the handles alive in all owners, so tests can see a leak
// (GetGuiResources is not available everywhere). Atomic: a report's printer
// handles are made on a thread of their own.
struct HandleCount {
    static inline std::atomic<long> live{0};
};

// The value a failed call returns, for the few handle kinds where that is
// not null: CreateFile and CreateToolhelp32Snapshot give INVALID_HANDLE_VALUE.
inline constexpr std::intptr_t kInvalidHandleValue = -1;

// Owns a handle of type H and frees it with Free; Invalid is the value that
// means "no handle" for this kind (null unless told).
template <class H, auto Free, std::intptr_t Invalid = 0>
class Owned {
public:
    static H invalid() {
        if constexpr (std::is_pointer_v<H>)
            return reinterpret_cast<H>(Invalid);
        else
            return static_cast<H>(Invalid);
    }

    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {
        if (valid()) ++HandleCount::live;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, invalid()), false);
        return *this;
    }
    ~Owned() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return valid(); }

    void reset(H handle = invalid()) { reset(handle, true); }

    // Gives the handle away; the owner no longer frees it.
    H release() {
        if (valid()) --HandleCount::live;
        return std::exchange(handle_, invalid());
    }

private:
    bool valid() const { return handle_ != invalid(); }

    void reset(H handle, bool counts) {
        if (valid()) {
            Free(handle_);
            --HandleCount::live;
        }
        handle_ = handle;
        if (valid() && counts) ++HandleCount::live;
    }

    H handle_ = invalid();
};

}  // namespace pulvar
