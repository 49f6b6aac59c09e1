#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "actions.h"
#include "memory_boxes.h"
#include "recording_boxes.h"
#include "row_name.h"
#include "runtime_error.h"

namespace hexagon {
namespace {

using testing::RecordingBoxes;

constexpr const char* kPrompt = "Въведете начално число:";

std::array<std::string, 7> hexagonTexts(BoxAccess& boxes) {
  std::array<std::string, 7> texts;
  for (int i = 1; i <= 7; ++i) {
    texts[static_cast<std::size_t>(i - 1)] = boxes.text2(i);
  }
  return texts;
}

// What the hexagon should show for start number n: n in box 1 up to n + 6 in box 7.
std::array<std::string, 7> filledFrom(long n) {
  std::array<std::string, 7> texts;
  for (long i = 0; i < 7; ++i) {
    texts[static_cast<std::size_t>(i)] = std::to_string(n + i);
  }
  return texts;
}

// The report for start number n: the diagonals (1, 4, 7), (2, 4, 6), (3, 4, 5), each summing to
// 3n + 9, every line ended by a carriage return and a line feed.
std::string reportFor(long n) {
  std::string report;
  for (const auto& [first, last] : {std::pair{0L, 6L}, {1L, 5L}, {2L, 4L}}) {
    report += std::to_string(n + first) + "+" + std::to_string(n + 3) + "+" +
              std::to_string(n + last) + " = " + std::to_string(3 * n + 9) + "\r\n";
  }
  return report;
}

int overflowNumber(BoxAccess& boxes) {
  try {
    EnterAction(boxes);
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

struct EnterCase {
  const char* name;
  const char* startText;
  long startNumber;
};

void PrintTo(const EnterCase& c, std::ostream* os) {
  *os << c.name;
}

class EnterActionTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterActionTest, FillsTheHexagonAndReportsEqualSums) {
  MemoryBoxes boxes;
  boxes.setText2(0, GetParam().startText);
  EnterAction(boxes);
  EXPECT_EQ(hexagonTexts(boxes), filledFrom(GetParam().startNumber));
  EXPECT_EQ(boxes.text1(), reportFor(GetParam().startNumber));
  EXPECT_EQ(boxes.text2(0), GetParam().startText) << "the start box is never rewritten";
}

INSTANTIATE_TEST_SUITE_P(
    Starts, EnterActionTest,
    ::testing::Values(EnterCase{"five", "5", 5}, EnterCase{"zero", "0", 0},
                      EnterCase{"empty start box", "", 0}, EnterCase{"letters", "abc", 0},
                      EnterCase{"tie rounds down to even", "2.5", 2},
                      EnterCase{"tie rounds up to even", "3.5", 4}, EnterCase{"negative", "-3", -3},
                      EnterCase{"blanks between digits", " 1 2 ", 12},
                      EnterCase{"hexadecimal", "&H10", 16}, EnterCase{"exponent", "1e3", 1000},
                      EnterCase{"tiny number with an exponent at the 64-bit limit",
                                "0.01e-9223372036854775807", 0},
                      EnterCase{"largest complete report", "10919", 10919},
                      EnterCase{"smallest complete report", "-10925", -10925}),
    testing::rowName<EnterCase>);

TEST(EnterActionTest, ReportReadsAsTheStudentSeesIt) {
  MemoryBoxes boxes;
  boxes.setText2(0, "5");
  EnterAction(boxes);
  EXPECT_EQ(boxes.text1(), "5+8+11 = 24\r\n6+8+10 = 24\r\n7+8+9 = 24\r\n");
}

TEST(EnterActionTest, NegativeTermsAreWrittenWithTheirSigns) {
  MemoryBoxes boxes;
  boxes.setText2(0, "-3");
  EnterAction(boxes);
  EXPECT_EQ(boxes.text1(), "-3+0+3 = 0\r\n-2+0+2 = 0\r\n-1+0+1 = 0\r\n");
}

TEST(EnterActionTest, RunningTwiceGivesTheSamePicture) {
  MemoryBoxes boxes;
  boxes.setText2(0, "5");
  EnterAction(boxes);
  const std::string firstReport = boxes.text1();
  EnterAction(boxes);
  EXPECT_EQ(boxes.text1(), firstReport);
  EXPECT_EQ(hexagonTexts(boxes), filledFrom(5));
}

// The report quotes the boxes' texts as they stand, not numbers formatted anew.
TEST(EnterActionTest, ReportQuotesTheBoxTexts) {
  RecordingBoxes boxes;
  boxes.storeHexagonText = [](const std::string& text) { return " " + text; };
  boxes.setText2(0, "5");
  EnterAction(boxes);
  EXPECT_EQ(boxes.text1(), " 5+ 8+ 11 = 24\r\n 6+ 8+ 10 = 24\r\n 7+ 8+ 9 = 24\r\n");
}

// The start box is read once; the hexagon is written in index order; each diagonal's numbers are
// read centre, last, first, and its line quotes the report, then first, centre and last.
TEST(EnterActionTest, ReadsAndWritesInOrder) {
  RecordingBoxes boxes;
  boxes.setText2(0, "5");
  boxes.log.clear();
  EnterAction(boxes);
  const std::vector<std::string> expected{"get 2:0",
                                          "set 2:1=5",
                                          "set 2:2=6",
                                          "set 2:3=7",
                                          "set 2:4=8",
                                          "set 2:5=9",
                                          "set 2:6=10",
                                          "set 2:7=11",
                                          "set 1=",
                                          "get 2:4",
                                          "get 2:7",
                                          "get 2:1",
                                          "get 1",
                                          "get 2:1",
                                          "get 2:4",
                                          "get 2:7",
                                          "set 1=5+8+11 = 24\r\n",
                                          "get 2:4",
                                          "get 2:6",
                                          "get 2:2",
                                          "get 1",
                                          "get 2:2",
                                          "get 2:4",
                                          "get 2:6",
                                          "set 1=5+8+11 = 24\r\n6+8+10 = 24\r\n",
                                          "get 2:4",
                                          "get 2:5",
                                          "get 2:3",
                                          "get 1",
                                          "get 2:3",
                                          "get 2:4",
                                          "get 2:5",
                                          "set 1=5+8+11 = 24\r\n6+8+10 = 24\r\n7+8+9 = 24\r\n"};
  EXPECT_EQ(boxes.log, expected);
}

struct OverflowCase {
  const char* name;
  const char* startText;
};

void PrintTo(const OverflowCase& c, std::ostream* os) {
  *os << c.name;
}

// A start text that no 16-bit integer can hold stops the action before anything is written.
class StartOverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(StartOverflowTest, ChangesNothing) {
  RecordingBoxes boxes;
  boxes.setText2(0, GetParam().startText);
  boxes.setText1("an earlier report\r\n");
  boxes.log.clear();
  EXPECT_EQ(overflowNumber(boxes), RuntimeError::kOverflow);
  EXPECT_EQ(boxes.log, std::vector<std::string>{"get 2:0"});
  EXPECT_EQ(hexagonTexts(boxes.boxes),
            (std::array<std::string, 7>{"1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(boxes.boxes.text1(), "an earlier report\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartOverflowTest,
    ::testing::Values(OverflowCase{"one past the largest", "32768"},
                      OverflowCase{"tie rounding past the largest", "32767.5"},
                      OverflowCase{"one below the smallest", "-32769"},
                      OverflowCase{"forty thousand", "40000"},
                      OverflowCase{"hexadecimal FFFF", "&HFFFF"},
                      OverflowCase{"beyond the double range", "1e400"},
                      OverflowCase{"exponent at the 64-bit limit", "12e9223372036854775807"},
                      OverflowCase{"eighty nines",
                                   "9999999999999999999999999999999999999999"
                                   "9999999999999999999999999999999999999999"}),
    testing::rowName<OverflowCase>);

// When the common sum overflows, the hexagon is already filled and the report stays empty.
class SumOverflowTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(SumOverflowTest, FillsTheHexagonAndLeavesTheReportEmpty) {
  RecordingBoxes boxes;
  boxes.setText2(0, GetParam().startText);
  boxes.setText1("an earlier report\r\n");
  boxes.log.clear();
  EXPECT_EQ(overflowNumber(boxes), RuntimeError::kOverflow);
  EXPECT_EQ(hexagonTexts(boxes.boxes), filledFrom(GetParam().startNumber));
  EXPECT_EQ(boxes.boxes.text1(), "");
  EXPECT_EQ(boxes.writes().size(), 8U) << "seven hexagon boxes and the emptied report";
}

INSTANTIATE_TEST_SUITE_P(
    Starts, SumOverflowTest,
    ::testing::Values(EnterCase{"first start whose sum overflows", "10920", 10920},
                      EnterCase{"first negative start whose sum overflows", "-10926", -10926},
                      EnterCase{"largest start widens the fill", "32767", 32767},
                      EnterCase{"smallest start", "-32768", -32768}),
    testing::rowName<EnterCase>);

TEST(ClearActionTest, EmptiesEveryBoxAndPrompts) {
  for (const char* start : {"5", "10920", "32768", "0"}) {
    MemoryBoxes boxes;
    boxes.setText2(0, start);
    try {
      EnterAction(boxes);
    } catch (const RuntimeError&) {
      // Clear must work from whatever state an overflow left.
    }
    ClearAction(boxes);
    for (int i = 0; i <= 7; ++i) {
      EXPECT_EQ(boxes.text2(i), "") << "box " << i << " after start " << start;
    }
    EXPECT_EQ(boxes.text1(), kPrompt);
  }
}

TEST(ClearActionTest, WritesBoxesInIndexOrderThenTheReport) {
  RecordingBoxes boxes;
  ClearAction(boxes);
  std::vector<std::string> expected;
  for (int i = 0; i <= 7; ++i) {
    expected.push_back("set 2:" + std::to_string(i) + "=");
  }
  expected.push_back(std::string("set 1=") + kPrompt);
  EXPECT_EQ(boxes.log, expected);
}

TEST(ClearActionTest, EnterAfterClearFillsFromZero) {
  MemoryBoxes boxes;
  ClearAction(boxes);
  EnterAction(boxes);
  EXPECT_EQ(hexagonTexts(boxes), filledFrom(0));
  EXPECT_EQ(boxes.text1(), reportFor(0));
}

TEST(MemoryBoxesTest, StartsAsTheWindowAndRefusesOtherIndices) {
  MemoryBoxes boxes;
  for (int i = 0; i <= 7; ++i) {
    EXPECT_EQ(boxes.text2(i), std::to_string(i));
  }
  EXPECT_EQ(boxes.text1(), "");
  for (int index : {-1, 8, 1000}) {
    try {
      boxes.setText2(index, "x");
      ADD_FAILURE() << "index " << index << " was accepted";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), RuntimeError::kNoSuchElement);
    }
    EXPECT_THROW(static_cast<void>(boxes.text2(index)), RuntimeError);
  }
}

}  // namespace
}  // namespace hexagon
