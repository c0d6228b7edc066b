// Times one "Ver Resultados" evaluation on the portable core, the work
// Command1_Click does between reading the boxes and setting the captions:
// the entry check, the capture and the result texts.
//
//   evaluate_core [RUNS]     (default 10000)
//
// Prints "runs N median_us M p90_us P min_us A max_us B". Each run is timed
// on its own with steady_clock, whose own cost (a few tens of ns) is included.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/classify.h"
#include "core/reading.h"

namespace {

struct Entry {
    const char* pulse;
    const char* systolic;
    const char* diastolic;
};

// Typical readings from each band, typed with the Spanish decimal comma.
constexpr Entry kEntries[] = {
    {"72", "120", "80"}, {"110", "150", "95,5"}, {"55", "100", "58"}, {"64,5", "140", "87"},
};

}  // namespace

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const pulvar::NumberFormat format{",", "."};

    std::vector<double> us(static_cast<size_t>(runs));
    size_t sink = 0;
    for (int i = 0; i < runs; ++i) {
        const Entry& e = kEntries[i % std::size(kEntries)];
        const auto start = Clock::now();
        pulvar::EntryCheck check = pulvar::CheckEntries(e.pulse, e.systolic, e.diastolic, format);
        pulvar::Reading reading = pulvar::CaptureReading(e.pulse, e.systolic, e.diastolic, format);
        pulvar::Results results = pulvar::ShowResultsFor(reading, format);
        const auto end = Clock::now();
        sink += static_cast<size_t>(check.messages) + results.pulseCaption.size() +
                results.pressureCaption.size() + static_cast<size_t>(results.gauge);
        us[static_cast<size_t>(i)] = std::chrono::duration<double, std::micro>(end - start).count();
    }
    std::sort(us.begin(), us.end());
    std::printf("runs %d median_us %.3f p90_us %.3f min_us %.3f max_us %.3f\n", runs,
                us[us.size() / 2], us[us.size() * 9 / 10], us.front(), us.back());
    return sink == 0;  // keeps the work from being optimised away
}
