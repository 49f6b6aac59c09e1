#include "runtime_error.h"

namespace hexagon {
namespace {

const char* describe(int number) noexcept {
  switch (number) {
    case RuntimeError::kOverflow:
      return "Препълване";
    case RuntimeError::kNoSuchElement:
      return "Няма елемент с такъв индекс";
    case RuntimeError::kFloatingPoint:
      return "Грешка при изчисление с плаваща запетая";
    default:
      return "Неизвестна грешка";
  }
}

}  // namespace

RuntimeError::RuntimeError(int number) noexcept : number_(number), description_(describe(number)) {}

}  // namespace hexagon
