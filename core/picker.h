// The heart-rate picker: which value the slider position offers.
#pragma once

namespace pulvar {

inline constexpr int kSliderMin = 0;
inline constexpr int kSliderMax = 200;

// From 10 up the position is cut down to its ten; 1 to 9 offer "5"; 0 offers "0".
const char* PickerCaption(int position);

// Position 0 hides the clock picture; nothing brings it back but reopening.
inline bool PickerHidesClock(int position) { return position == 0; }

}  // namespace pulvar
