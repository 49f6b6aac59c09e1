#pragma once

// The conversions between box text and numbers. The program keeps no numbers between events:
// every number is read from a box's text when it is needed and written back as text, so these
// are the only arithmetic rules it has.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime_error.h"

namespace hexagon {

// Reads the number a text begins with and never fails. Blanks, tabs and line feeds are removed
// wherever they stand; then the longest leading number is read: an optional sign, digits, at
// most one full stop as the decimal point (in every locale) and an optional exponent (E or e,
// an optional sign, digits). "&H" and "&O" start a hexadecimal or octal number. A text that
// begins with nothing numeric reads as 0. Numbers too large for a double read as infinity (which
// ToInt16 refuses), numbers too small read as zero.
double TextToNumber(std::string_view text);

// Rounds to the nearest integer, ties to the even neighbour (2.5 -> 2, -2.5 -> -2), and throws
// RuntimeError 6 when the result lies outside -32768..32767 or the value is not a finite number.
std::int16_t ToInt16(double value);

// An integer that stays 16-bit while a result fits in -32768..32767 and widens to 32 bits when
// it does not. Widening never fails; only a result beyond 32 bits throws RuntimeError 6, which
// the hexagon fill never comes near (its values lie in -32768..32773).
class WideInt {
 public:
  constexpr WideInt(std::int16_t value) noexcept : value_(value) {}  // NOLINT: widening is implicit
  constexpr explicit WideInt(std::int32_t value) noexcept : value_(value) {}

  [[nodiscard]] constexpr std::int32_t value() const noexcept { return value_; }
  [[nodiscard]] constexpr bool isWide() const noexcept {
    return value_ < INT16_MIN || value_ > INT16_MAX;
  }

  friend WideInt operator+(WideInt left, WideInt right);
  friend WideInt operator-(WideInt left, WideInt right);
  friend constexpr bool operator==(WideInt, WideInt) noexcept = default;

 private:
  std::int32_t value_;
};

// Decimal digits with a leading minus sign for negative values: no blank, no grouping, no point.
std::string FormatInteger(std::int16_t value);
std::string FormatInteger(WideInt value);

// The check made after the two additions of a diagonal sum: false when the sum is infinite or
// not a number (an overflow, a division by zero or an invalid operation on the way). The caller
// then throws RuntimeError::kFloatingPoint (1000) before the sum is converted.
bool SumIsFinite(double sum);

}  // namespace hexagon
