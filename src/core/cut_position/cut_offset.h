#pragma once

#include <string>

// The cut offset: millimetres from the black mark, on a grid of 0.25 mm, positive values moving the
// cut down the diagram. Pure arithmetic; the diagram widget and the main window build on it.
namespace Q6 {

// Puts a value in millimetres on the quarter-millimetre grid (an exact half step goes to the even
// step) and within [kMinCutOffset, kMaxCutOffset]. Works in single precision like the printer's
// own tools, so 0.125 gives 0 and 0.375 gives 0.5. Any value beyond the limits, however large or
// infinite, ends at the nearest limit; NaN gives 0.
float snapCutOffset(float mm);

// The offset as the text box shows it: " 3.5mm", " .25mm", "-.75mm", " 0mm". A blank in front of
// zero and positive values, no leading zero below 1, no trailing zeros, always a point as the
// decimal separator. Meant for snapped offsets; other finite values are written in their shortest
// exact form, NaN as zero.
std::string cutOffsetText(float offsetMm);

// Heights on the diagram (5 units wide, 55 high, y downwards; one unit is one millimetre).
inline constexpr float kNominalCutY = 20.5f;   // offset 0
inline constexpr float kDragTopY = 10.5f;      // offset -10, top of the drag band
inline constexpr float kDragBottomY = 52.25f;  // offset +31.75, bottom of the drag band

// The printer's field holds at most 127 quarter steps; the low limit is the maker's choice.
inline constexpr float kMinCutOffset = -10.0f;
inline constexpr float kMaxCutOffset = 31.75f;

}  // namespace Q6
