#include "conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <system_error>

#ifndef __cpp_lib_to_chars
#include <cerrno>
#include <cstdlib>
#endif

namespace hexagon {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text without blanks, tabs and line feeds. Most texts have none: they are read in place.
std::string_view withoutBlanks(std::string_view text, std::string& storage) {
  if (std::none_of(text.begin(), text.end(), isBlank)) {
    return text;
  }
  storage.reserve(text.size());
  std::remove_copy_if(text.begin(), text.end(), std::back_inserter(storage), isBlank);
  return storage;
}

// Digits after "&H" or "&O". Too many digits for 64 bits read as infinity, no digit as 0.
double readRadixDigits(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (result.ec == std::errc::result_out_of_range) {
    return kInfinity;
  }
  return result.ec == std::errc{} ? static_cast<double>(value) : 0.0;
}

// An exponent's digits, with its sign, saturated far beyond any double's exponent.
std::int64_t readExponent(std::string_view exponent) {
  constexpr std::int64_t kFarOut = std::numeric_limits<std::int64_t>::max() / 4;
  const bool negative = !exponent.empty() && exponent.front() == '-';
  if (!exponent.empty() && (exponent.front() == '+' || negative)) {
    exponent.remove_prefix(1);
  }
  std::int64_t value = 0;
  const auto result = std::from_chars(exponent.data(), exponent.data() + exponent.size(), value);
  if (result.ec == std::errc::result_out_of_range || value > kFarOut) {
    value = kFarOut;
  }
  return negative ? -value : value;
}

// from_chars leaves the value alone when a number lies beyond the double range; this tells
// which side it lies on. `number` is unsigned digits, at most one point, an optional exponent.
// The power of ten of its first non-zero digit decides: from 0 up it is too large, else too small.
bool isBeyondLargest(std::string_view number) {
  const std::size_t exponentAt = number.find_first_of("Ee");
  const std::string_view mantissa = number.substr(0, exponentAt);
  const std::int64_t exponent =
      exponentAt == std::string_view::npos ? 0 : readExponent(number.substr(exponentAt + 1));

  const std::size_t pointAt = std::min(mantissa.find('.'), mantissa.size());
  const std::string_view whole = mantissa.substr(0, pointAt);
  const std::size_t firstInWhole = whole.find_first_not_of('0');
  if (firstInWhole != std::string_view::npos) {
    const auto digitsAfter = static_cast<std::int64_t>(whole.size() - firstInWhole - 1);
    return digitsAfter + exponent >= 0;
  }
  const std::string_view fraction = mantissa.substr(std::min(pointAt + 1, mantissa.size()));
  const auto zerosBefore = static_cast<std::int64_t>(fraction.find_first_not_of('0'));
  return exponent - zerosBefore - 1 >= 0;
}

#ifdef __cpp_lib_to_chars

// Reads the longest unsigned decimal number at the start of `text`: digits, at most one full
// stop (whatever the locale) and an exponent only when digits follow its letter. A value beyond
// the double range leaves `value` alone and gives result_out_of_range.
std::from_chars_result readUnsignedDecimal(std::string_view text, double& value) {
  return std::from_chars(text.data(), text.data() + text.size(), value);
}

#else

// The same reading where the standard library has no from_chars for double (libc++ 14, in the
// browser build). strtod alone would read more than from_chars does ("0x10" as 16, "inf",
// "nan") and would follow the locale's decimal point, so the decimal shape is scanned here first
// and strtod sees only a copy of it.
std::size_t decimalShapeLength(std::string_view text) {
  const auto digitsFrom = [text](std::size_t at) {
    while (at < text.size() && isDecimalDigit(text[at])) {
      ++at;
    }
    return at;
  };
  std::size_t end = digitsFrom(0);
  std::size_t digitCount = end;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = digitsFrom(end + 1);
    digitCount += fractionEnd - end - 1;
    end = fractionEnd;
  }
  if (digitCount == 0) {
    return 0;
  }
  if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
    std::size_t exponentAt = end + 1;
    if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
      ++exponentAt;
    }
    const std::size_t exponentEnd = digitsFrom(exponentAt);
    if (exponentEnd > exponentAt) {
      end = exponentEnd;
    }
  }
  return end;
}

std::from_chars_result readUnsignedDecimal(std::string_view text, double& value) {
  const std::size_t length = decimalShapeLength(text);
  if (length == 0) {
    return {text.data(), std::errc::invalid_argument};
  }
  const std::string number(text.substr(0, length));
  errno = 0;
  const double read = std::strtod(number.c_str(), nullptr);
  // strtod also reports ERANGE for a tiny number it could still give as a subnormal one;
  // from_chars gives that number, and refuses only what became zero or infinity.
  if (errno == ERANGE && (read == 0.0 || std::isinf(read))) {
    return {text.data() + length, std::errc::result_out_of_range};
  }
  value = read;
  return {text.data() + length, std::errc{}};
}

#endif

// The longest leading decimal number: [sign] digits [. digits] [E [sign] digits]. The unsigned
// reading above takes no sign, and it must not be given a text that begins with anything but a
// digit or a full stop: from_chars also knows "inf" and "nan", which a text must not spell here.
double readDecimal(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  std::string_view unsignedPart = text;
  if (!text.empty() && (text.front() == '+' || negative)) {
    unsignedPart.remove_prefix(1);
  }
  if (unsignedPart.empty() ||
      !(isDecimalDigit(unsignedPart.front()) || unsignedPart.front() == '.')) {
    return 0.0;
  }
  double value = 0.0;
  const auto result = readUnsignedDecimal(unsignedPart, value);
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view number(unsignedPart.data(),
                                  static_cast<std::size_t>(result.ptr - unsignedPart.data()));
    value = isBeyondLargest(number) ? kInfinity : 0.0;
  } else if (result.ec != std::errc{}) {
    return 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

double TextToNumber(std::string_view text) {
  std::string storage;
  const std::string_view number = withoutBlanks(text, storage);
  if (number.size() >= 2 && number.front() == '&') {
    switch (number[1]) {
      case 'H':
      case 'h':
        return readRadixDigits(number.substr(2), 16);
      case 'O':
      case 'o':
        return readRadixDigits(number.substr(2), 8);
      default:
        return 0.0;
    }
  }
  return readDecimal(number);
}

std::int16_t ToInt16(double value) {
  // nearbyint rounds in the current rounding mode, which the program never changes from the
  // default: to nearest, ties to even.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {  // also refuses not-a-number
    throw RuntimeError(RuntimeError::kOverflow);
  }
  return static_cast<std::int16_t>(rounded);
}

namespace {

WideInt fromExact(std::int64_t exact) {
  if (exact < INT32_MIN || exact > INT32_MAX) {
    throw RuntimeError(RuntimeError::kOverflow);
  }
  return WideInt(static_cast<std::int32_t>(exact));
}

template <typename Integer>
std::string formatDecimal(Integer value) {
  std::array<char, std::numeric_limits<Integer>::digits10 + 3> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return std::string(digits.data(), result.ptr);
}

}  // namespace

WideInt operator+(WideInt left, WideInt right) {
  return fromExact(std::int64_t{left.value()} + right.value());
}

WideInt operator-(WideInt left, WideInt right) {
  return fromExact(std::int64_t{left.value()} - right.value());
}

std::string FormatInteger(std::int16_t value) {
  return formatDecimal(value);
}

std::string FormatInteger(WideInt value) {
  return formatDecimal(value.value());
}

bool SumIsFinite(double sum) {
  return std::isfinite(sum);
}

}  // namespace hexagon
