// Feeds arbitrary bytes to EnterAction as the text of the start box and checks what it leaves
// behind. The expected outcome is worked out here on its own, not by the program's reader:
//
//   - the start text's value comes from our own scan of the numeric prefix, read by strtod (or by
//     strtoull after &H and &O); TextToNumber must give the same value;
//   - a value that does not round into -32768..32767 must raise overflow (6) before anything is
//     written;
//   - otherwise, for start number N, the hexagon must show N..N+6; when 3N + 9 does not fit in 16
//     bits the action must raise overflow with the report emptied and nothing more written,
//     else the report must be exactly the three diagonal lines with the sum 3N + 9, and a second
//     run must leave the same picture.
//
// Any other error, exception or sanitizer report is a finding too. A broken invariant prints
// its name and aborts, so libFuzzer (or the replaying main in builds without it) reports it.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions.h"
#include "conversions.h"
#include "memory_boxes.h"
#include "runtime_error.h"

namespace {

constexpr int kReport = -1;  // stands for the report box in a list of written boxes
constexpr const char* kEarlierReport = "an earlier report\r\n";

void check(bool holds, const char* invariant) {
  if (!holds) {
    std::fprintf(stderr, "Broken invariant: %s\n", invariant);
    std::abort();
  }
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool isDigitIn(char c, int base) {
  if (base == 16) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  }
  return c >= '0' && c < static_cast<char>('0' + base);
}

// Digits after &H or &O, read by strtoull; more than 64 bits of them is infinity.
double radixValue(const std::string& text, int base) {
  std::size_t end = 2;
  while (end < text.size() && isDigitIn(text[end], base)) {
    ++end;
  }
  if (end == 2) {
    return 0.0;
  }
  const std::string digits = text.substr(2, end - 2);
  errno = 0;
  const unsigned long long value = std::strtoull(digits.c_str(), nullptr, base);
  if (errno == ERANGE) {
    return std::numeric_limits<double>::infinity();
  }
  return static_cast<double>(value);
}

// The longest leading [sign] digits [. digits] [E [sign] digits] with at least one digit before
// the exponent, read by strtod. The fuzzer never sets a locale, so strtod reads the full stop.
double decimalValue(const std::string& text) {
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
    ++end;
  }
  std::size_t mantissaDigits = 0;
  for (bool pointSeen = false; end < text.size(); ++end) {
    if (isDigitIn(text[end], 10)) {
      ++mantissaDigits;
    } else if (text[end] == '.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) {
    return 0.0;
  }
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponentEnd = end + 1;
    if (exponentEnd < text.size() && (text[exponentEnd] == '+' || text[exponentEnd] == '-')) {
      ++exponentEnd;
    }
    const std::size_t digitsStart = exponentEnd;
    while (exponentEnd < text.size() && isDigitIn(text[exponentEnd], 10)) {
      ++exponentEnd;
    }
    if (exponentEnd > digitsStart) {
      end = exponentEnd;
    }
  }
  return std::strtod(text.substr(0, end).c_str(), nullptr);
}

// What the start text reads as: blanks, tabs and line feeds go first, wherever they stand.
double expectedValue(std::string_view text) {
  std::string packed;
  for (const char c : text) {
    if (!isBlank(c)) {
      packed += c;
    }
  }
  if (packed.size() >= 2 && packed[0] == '&') {
    if (packed[1] == 'H' || packed[1] == 'h') {
      return radixValue(packed, 16);
    }
    if (packed[1] == 'O' || packed[1] == 'o') {
      return radixValue(packed, 8);
    }
    return 0.0;
  }
  return decimalValue(packed);
}

// Values below the smallest normal double may be read as zero instead.
bool sameReading(double got, double expected) {
  return got == expected || (std::fabs(expected) < DBL_MIN && got == 0.0);
}

// The start number, or nothing when the value does not round (ties to even, the default
// rounding mode) into the 16-bit range.
std::optional<long> expectedStart(double value) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const double rounded = std::rint(value);
  if (rounded < -32768.0 || rounded > 32767.0) {
    return std::nullopt;
  }
  return static_cast<long>(rounded);
}

// Boxes in memory that also list which boxes were written, in order, so a run that must write
// nothing can be told from one that writes the same texts back.
class WatchedBoxes final : public hexagon::BoxAccess {
 public:
  std::string text2(int index) override { return boxes.text2(index); }
  void setText2(int index, const std::string& text) override {
    written.push_back(index);
    boxes.setText2(index, text);
  }
  std::string text1() override { return boxes.text1(); }
  void setText1(const std::string& text) override {
    written.push_back(kReport);
    boxes.setText1(text);
  }

  [[nodiscard]] std::vector<std::string> texts() {
    std::vector<std::string> all;
    all.reserve(hexagon::MemoryBoxes::kBoxCount + 1);
    for (int i = 0; i < hexagon::MemoryBoxes::kBoxCount; ++i) {
      all.push_back(boxes.text2(i));
    }
    all.push_back(boxes.text1());
    return all;
  }

  hexagon::MemoryBoxes boxes;
  std::vector<int> written;
};

// The error number EnterAction raised, or 0. Any other exception escapes and is a finding.
int runEnter(WatchedBoxes& boxes) {
  try {
    hexagon::EnterAction(boxes);
  } catch (const hexagon::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

// The three lines for start number n: diagonals (1, 4, 7), (2, 4, 6), (3, 4, 5) as box texts.
std::string expectedReport(long n) {
  const long sum = 3 * n + 9;
  std::string report;
  for (const long first : {0L, 1L, 2L}) {
    report += std::to_string(n + first) + "+" + std::to_string(n + 3) + "+" +
              std::to_string(n + 6 - first) + " = " + std::to_string(sum) + "\r\n";
  }
  return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string startText(reinterpret_cast<const char*>(data), size);

  const double value = expectedValue(startText);
  check(sameReading(hexagon::TextToNumber(startText), value),
        "TextToNumber reads the same value as strtod or strtoull");

  WatchedBoxes boxes;
  boxes.boxes.setText2(0, startText);
  boxes.boxes.setText1(kEarlierReport);
  const std::vector<std::string> before = boxes.texts();
  const int error = runEnter(boxes);

  const std::optional<long> start = expectedStart(value);
  if (!start) {
    check(error == hexagon::RuntimeError::kOverflow, "a start out of range raises overflow");
    check(boxes.written.empty(), "a start out of range writes nothing");
    check(boxes.texts() == before, "a start out of range leaves every box as it was");
    return 0;
  }

  const long n = *start;
  std::vector<std::string> expected{startText};
  for (long i = 0; i < 7; ++i) {
    expected.push_back(std::to_string(n + i));
  }
  std::vector<int> expectedWrites{1, 2, 3, 4, 5, 6, 7, kReport};

  const long sum = 3 * n + 9;
  if (sum < -32768 || sum > 32767) {
    expected.emplace_back();
    check(error == hexagon::RuntimeError::kOverflow, "a sum out of range raises overflow");
    check(boxes.texts() == expected, "a sum out of range leaves N..N+6 and an empty report");
    check(boxes.written == expectedWrites, "a sum out of range writes the hexagon and the report");
    return 0;
  }

  expected.push_back(expectedReport(n));
  expectedWrites.insert(expectedWrites.end(), {kReport, kReport, kReport});
  check(error == 0, "a start whose sum fits raises nothing");
  check(boxes.texts() == expected, "the hexagon shows N..N+6 and the report three sums 3N+9");
  check(boxes.written == expectedWrites, "the hexagon and the report are written, nothing else");

  check(runEnter(boxes) == 0 && boxes.texts() == expected, "a second run shows the same picture");
  return 0;
}
