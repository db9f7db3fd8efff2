#include "core/common/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Q6 {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at the start of text (after blanks have been skipped), 0 when none. There
// is no exponent: "1e9" is the number 1 followed by text.
std::size_t numberLength(std::string_view text, double* value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  const std::size_t mantissaStart = i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++digits;
  }
  std::size_t end = i;  // the parsed span excludes a bare trailing point
  if (i < text.size() && text[i] == '.') {
    ++i;
    std::size_t fractionDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++fractionDigits;
    }
    if (digits == 0 && fractionDigits == 0) {
      return 0;
    }
    digits += fractionDigits;
    end = fractionDigits > 0 ? i : end;
  }
  if (digits == 0) {
    return 0;
  }
  const std::size_t length = i;
  if (value != nullptr) {
    // from_chars is locale-independent; it takes no leading '+', so the sign is applied here.
    std::string span(text.substr(mantissaStart, end - mantissaStart));
    double parsed = 0.0;
    const auto result = std::from_chars(span.data(), span.data() + span.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
      const bool tiny =
          span.find("e-") != std::string::npos || span.find("E-") != std::string::npos;
      parsed = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    *value = (mantissaStart > 0 && text[0] == '-') ? -parsed : parsed;
  }
  return length;
}

std::size_t skipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  return i;
}

}  // namespace

double leadingNumber(std::string_view text) {
  text.remove_prefix(skipBlanks(text));
  double value = 0.0;
  return numberLength(text, &value) > 0 ? value : 0.0;
}

bool isWholeNumber(std::string_view text) {
  text.remove_prefix(skipBlanks(text));
  const std::size_t length = numberLength(text, nullptr);
  return length > 0 && length == text.size();
}

std::int64_t roundHalfEven(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  constexpr double kLimit = 9.2e18;
  if (value >= kLimit) {
    return std::numeric_limits<std::int64_t>::max();
  }
  if (value <= -kLimit) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding mode: half to even
}

std::string hexUpper(std::uint64_t value, int minDigits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < minDigits) {
    out.insert(out.begin(), '0');
  }
  return out;
}

}  // namespace Q6
