#include "core/cut_position/cut_offset.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/common/number_text.h"

namespace Q6 {

float snapCutOffset(float mm) {
  if (std::isnan(mm)) {
    return 0.0f;
  }
  // Both steps stay in single precision: the product and the quotient are what the printer's
  // tools have always rounded, and a double here would move some half steps.
  const float hundredths = mm * 100.0f;
  const float quarters = hundredths / 25.0f;
  // The step count is saturated in 64 bits (never wrapped like a 16-bit count would be), so a huge
  // or infinite value still ends at the right limit below.
  const std::int64_t steps = roundHalfEven(static_cast<double>(quarters));
  constexpr std::int64_t kMinSteps = -40;
  constexpr std::int64_t kMaxSteps = 127;
  if (steps <= kMinSteps) {
    return kMinCutOffset;
  }
  if (steps >= kMaxSteps) {
    return kMaxCutOffset;
  }
  if (steps == 0) {
    return 0.0f;  // never -0, which would otherwise read "-0mm"
  }
  return static_cast<float>(steps) * 0.25f;
}

std::string cutOffsetText(float offsetMm) {
  if (std::isnan(offsetMm) || offsetMm == 0.0f) {
    return " 0mm";
  }
  const bool negative = offsetMm < 0.0f;
  // to_chars never consults the locale; "fixed" keeps large values out of exponent form.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(offsetMm), std::chars_format::fixed);
  std::string digits(buffer, result.ptr);
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') {
    digits.erase(0, 1);
  }
  return (negative ? "-" : " ") + digits + "mm";
}

}  // namespace Q6
