#include "core/picker.h"

namespace pulvar {

const char* PickerCaption(int position) {
    static const char* const kTens[] = {"0",   "10",  "20",  "30",  "40",  "50",  "60",
                                        "70",  "80",  "90",  "100", "110", "120", "130",
                                        "140", "150", "160", "170", "180", "190", "200"};
    if (position >= 200) return "200";
    if (position >= 10) return kTens[position / 10];
    if (position >= 1) return "5";
    return "0";
}

}  // namespace pulvar
