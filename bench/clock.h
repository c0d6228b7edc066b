// The measuring programs' clock: the performance counter, in milliseconds
// or microseconds.
#pragma once

#include <windows.h>

namespace bench {

inline double CounterTicksPerSecond() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return perSecond;
}

inline double NowUs() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / (CounterTicksPerSecond() / 1e6);
}

inline double NowMs() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / (CounterTicksPerSecond() / 1e3);
}

}  // namespace bench
