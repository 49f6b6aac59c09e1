#pragma once

#include <exception>

namespace hexagon {

// The program's single error kind. Every conversion and every box operation either succeeds or
// throws one of these at once; nothing inside the program catches it, so it leaves the button
// handler and reaches the window's unhandled-error action with its number.
//
// The numbers the program can raise:
//   6     overflow: a value does not fit its integer type (the only one a user can meet);
//   340   a box or button index outside its array;
//   1000  a diagonal sum that is not a finite number (the floating-point check; the boxes the
//         program fills itself hold integers of at most five digits, so it cannot happen there).
class RuntimeError : public std::exception {
 public:
  static constexpr int kOverflow = 6;
  static constexpr int kNoSuchElement = 340;
  static constexpr int kFloatingPoint = 1000;

  // Takes its Bulgarian description from the numbers above.
  explicit RuntimeError(int number) noexcept;

  [[nodiscard]] int number() const noexcept { return number_; }

  // The meaning of the number in Bulgarian, as the error message shows it (for 6: "Препълване").
  [[nodiscard]] const char* what() const noexcept override { return description_; }

 private:
  int number_;
  const char* description_;
};

}  // namespace hexagon
