// The pulse and blood-pressure ladders and what each band shows.
#pragma once

#include <cstdint>
#include <string>

#include "core/colours.h"
#include "core/reading.h"

namespace pulvar {

enum class PulseBand { Fast, Normal, Slow };
enum class PressureBand { Stage3, Stage2, Stage1, HighNormal, Low, Normal };

// Which hidden traffic-light picture gives the window its icon.
enum class Lamp { Red, Amber, Green };

// The gauge (ProgressBar1) runs from empty to full over these values.
inline constexpr int kGaugeMin = 0;
inline constexpr int kGaugeMax = 100;

PulseBand ClassifyPulse(double pulse);
// Judged on the diastolic value alone.
PressureBand ClassifyPressure(double diastolic);

const char* PulseSentence(PulseBand band);

struct PressureOutputs {
    const char* sentence;
    int gauge;            // ProgressBar1, kGaugeMin to kGaugeMax
    std::uint32_t colour; // Picture1's background
    Lamp lamp;
};
PressureOutputs PressureOutput(PressureBand band);

// Everything "Ver Resultados" shows for a captured reading.
struct Results {
    std::string pulseCaption;     // Label7
    std::string pressureCaption;  // Label8
    int gauge;
    std::uint32_t colour;
    Lamp lamp;
};
Results ShowResultsFor(const Reading& reading, const NumberFormat& format);

}  // namespace pulvar
