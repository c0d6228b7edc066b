// One move-only owner for every Windows handle the program creates.
#pragma once

#include <utility>

namespace pulvar {

// Counts the handles alive in all owners, so tests can see a leak
// (GetGuiResources is not available everywhere).
struct HandleCount {
    static inline long live = 0;
};

template <class H, auto Free>
class Owned {
public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {
        if (handle_) ++HandleCount::live;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, H{}), false);
        return *this;
    }
    ~Owned() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != H{}; }

    void reset(H handle = H{}) { reset(handle, true); }

    // Gives the handle away; the owner no longer frees it.
    H release() {
        if (handle_) --HandleCount::live;
        return std::exchange(handle_, H{});
    }

private:
    void reset(H handle, bool counts) {
        if (handle_) {
            Free(handle_);
            --HandleCount::live;
        }
        handle_ = handle;
        if (handle_ && counts) ++HandleCount::live;
    }

    H handle_{};
};

}  // namespace pulvar
