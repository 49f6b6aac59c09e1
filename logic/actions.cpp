#include "actions.h"

#include <array>
#include <cstdint>
#include <string>

#include "conversions.h"

namespace hexagon {
namespace {

constexpr int kStartBox = 0;
constexpr int kCentreBox = 4;
constexpr std::int16_t kHexagonBoxCount = 7;

// Each diagonal joins two opposite vertices through the centre box.
struct Diagonal {
  int first;
  int last;
};
constexpr std::array<Diagonal, 3> kDiagonals{{{1, 7}, {2, 6}, {3, 5}}};

// Sums one diagonal from the numbers its boxes show now, not from the values just written:
// what the report states is what the student sees. Read order: centre, last, first.
std::int16_t diagonalSum(BoxAccess& boxes, const Diagonal& diagonal) {
  const double centre = TextToNumber(boxes.text2(kCentreBox));
  const double last = TextToNumber(boxes.text2(diagonal.last));
  const double first = TextToNumber(boxes.text2(diagonal.first));
  const double sum = (first + centre) + last;
  if (!SumIsFinite(sum)) {
    throw RuntimeError(RuntimeError::kFloatingPoint);
  }
  return ToInt16(sum);
}

// Appends "first+centre+last = sum" and a line end to the report. The terms are the box texts
// as they stand. Each read is its own statement because the order of operands of + is unspecified.
void appendReportLine(BoxAccess& boxes, const Diagonal& diagonal, std::int16_t sum) {
  std::string report = boxes.text1();
  report += boxes.text2(diagonal.first);
  report += '+';
  report += boxes.text2(kCentreBox);
  report += '+';
  report += boxes.text2(diagonal.last);
  report += " = ";
  report += FormatInteger(sum);
  report += "\r\n";
  boxes.setText1(report);
}

}  // namespace

void EnterAction(BoxAccess& boxes) {
  const std::int16_t start = ToInt16(TextToNumber(boxes.text2(kStartBox)));

  // Box i shows start + i - 1. Near the top of the range the values pass 32767; they widen
  // instead of overflowing, so the hexagon is always filled.
  for (std::int16_t i = 1; i <= kHexagonBoxCount; ++i) {
    boxes.setText2(i, FormatInteger(WideInt(start) + WideInt(i) - WideInt(std::int16_t{1})));
  }

  boxes.setText1("");
  for (const Diagonal& diagonal : kDiagonals) {
    const std::int16_t sum = diagonalSum(boxes, diagonal);
    appendReportLine(boxes, diagonal, sum);
  }
}

void ClearAction(BoxAccess& boxes) {
  for (int i = kStartBox; i <= kHexagonBoxCount; ++i) {
    boxes.setText2(i, "");
  }
  boxes.setText1("Въведете начално число:");
}

}  // namespace hexagon
