#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "conversions.h"
#include "row_name.h"

namespace hexagon {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ReadCase {
  const char* name;
  std::string text;
  double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class TextToNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberTest, ReadsTheLeadingNumber) {
  const ReadCase& c = GetParam();
  const double value = TextToNumber(c.text);
  if (c.expected == 0.0) {
    EXPECT_EQ(value, 0.0) << '"' << c.text << '"';
  } else {
    EXPECT_DOUBLE_EQ(value, c.expected) << '"' << c.text << '"';
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plain, TextToNumberTest,
    ::testing::Values(
        ReadCase{"empty text reads as zero", "", 0.0},
        ReadCase{"letters first read as zero", "abc", 0.0},
        ReadCase{"digits then letters", "12abc", 12.0}, ReadCase{"plus sign", "+5", 5.0},
        ReadCase{"minus sign", "-5", -5.0}, ReadCase{"two signs read as zero", "--5", 0.0},
        ReadCase{"plus then minus reads as zero", "+-5", 0.0}, ReadCase{"sign alone", "-", 0.0},
        ReadCase{"decimal point is the full stop", "1.5", 1.5},
        ReadCase{"comma stops the number", "1,5", 1.0},
        ReadCase{"comma first reads as zero", ",5", 0.0},
        ReadCase{"second point stops the number", "1.2.3", 1.2},
        ReadCase{"leading point", ".5", 0.5}, ReadCase{"negative leading point", "-.5", -0.5},
        ReadCase{"trailing point", "5.", 5.0}, ReadCase{"point alone", ".", 0.0},
        ReadCase{"many leading zeros", "0000000000000000000000042", 42.0}),
    testing::rowName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(
    Blanks, TextToNumberTest,
    ::testing::Values(ReadCase{"blank before the number", " 7", 7.0},
                      ReadCase{"blank inside the digits", "1 2", 12.0},
                      ReadCase{"tab inside the digits", "1\t2", 12.0},
                      ReadCase{"line feed inside the digits", "1\n2", 12.0},
                      ReadCase{"carriage return is not a blank", "1\r2", 1.0},
                      ReadCase{"no-break space is not a blank", "1\u00a02", 1.0},
                      ReadCase{"blanks everywhere", " - 3 . 5 e 1 ", -35.0},
                      ReadCase{"blanks inside a radix prefix", "& H 1 0", 16.0},
                      ReadCase{"only blanks", " \t\n ", 0.0}),
    testing::rowName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(
    Exponents, TextToNumberTest,
    ::testing::Values(ReadCase{"lower-case exponent", "1e3", 1000.0},
                      ReadCase{"upper-case exponent", "1E3", 1000.0},
                      ReadCase{"negative exponent", "25e-1", 2.5},
                      ReadCase{"exponent with plus", "1e+2", 100.0},
                      ReadCase{"exponent without digits is not read", "7e", 7.0},
                      ReadCase{"exponent sign without digits is not read", "7e-", 7.0},
                      ReadCase{"exponent alone reads as zero", "e5", 0.0},
                      ReadCase{"D is no exponent letter", "1d3", 1.0}),
    testing::rowName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(
    Radix, TextToNumberTest,
    ::testing::Values(
        ReadCase{"hexadecimal", "&H10", 16.0}, ReadCase{"hexadecimal in lower case", "&hff", 255.0},
        ReadCase{"hexadecimal stops at a non-digit", "&H1G", 1.0}, ReadCase{"octal", "&O17", 15.0},
        ReadCase{"octal stops at an eight", "&O18", 1.0},
        ReadCase{"prefix without digits", "&H", 0.0}, ReadCase{"ampersand alone", "&", 0.0},
        ReadCase{"unknown prefix", "&X10", 0.0}, ReadCase{"sign before a prefix", "-&H10", 0.0},
        ReadCase{"C-style hexadecimal reads its zero", "0x10", 0.0}),
    testing::rowName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, TextToNumberTest,
    ::testing::Values(ReadCase{"infinity is a word", "inf", 0.0},
                      ReadCase{"infinity spelt out is a word", "-Infinity", 0.0},
                      ReadCase{"not-a-number is a word", "nan", 0.0},
                      ReadCase{"full-width digits are not digits", "\uff11\uff12", 0.0},
                      ReadCase{"Cyrillic first", "пет5", 0.0}),
    testing::rowName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(
    BeyondTheDoubleRange, TextToNumberTest,
    ::testing::Values(ReadCase{"huge exponent", "1e400", kInf},
                      ReadCase{"huge negative number", "-1e400", -kInf},
                      ReadCase{"long digit run", "1" + std::string(400, '0'), kInf},
                      ReadCase{"exponent beyond 64 bits", "1e99999999999999999999999", kInf},
                      ReadCase{"tiny exponent", "1e-400", 0.0},
                      ReadCase{"tiny but still a subnormal number", "1e-310", 1e-310},
                      ReadCase{"tiny long fraction", "0." + std::string(400, '0') + "1", 0.0},
                      ReadCase{"tiny exponent beyond 64 bits", "5e-99999999999999999999999", 0.0},
                      ReadCase{"long fraction lifted back into range",
                               "0." + std::string(400, '0') + "1e500", 1e99},
                      ReadCase{"zero with a huge exponent", "0e99999999999999999999999", 0.0},
                      ReadCase{"two digits with the largest 64-bit exponent",
                               "12e9223372036854775807", kInf},
                      ReadCase{"small fraction with the smallest 64-bit exponent",
                               "0.01e-9223372036854775807", 0.0},
                      ReadCase{"hexadecimal beyond 64 bits", "&H" + std::string(17, 'F'), kInf}),
    testing::rowName<ReadCase>);

// The decimal point is the full stop whatever the user's locale says; Bulgarian writes a comma.
TEST(TextToNumberLocaleTest, FullStopIsTheDecimalPointUnderABulgarianLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "bg_BG.UTF-8") == nullptr) {
    GTEST_SKIP() << "the bg_BG.UTF-8 locale is not installed (scripts/test installs it)";
  }
  if (std::string(std::localeconv()->decimal_point) != ",") {
    std::setlocale(LC_ALL, previous.c_str());
    GTEST_SKIP() << "this C library keeps the full stop under bg_BG.UTF-8 (the browser's)";
  }
  const double withPoint = TextToNumber("1.5");
  const double withComma = TextToNumber("1,5");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(withPoint, 1.5);
  EXPECT_EQ(withComma, 1.0);
}

struct RoundCase {
  double value;
  std::int16_t expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
  *os << c.value << " to " << c.expected;
}

class ToInt16Test : public ::testing::TestWithParam<RoundCase> {};

TEST_P(ToInt16Test, RoundsHalfToEven) {
  EXPECT_EQ(ToInt16(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Ties, ToInt16Test,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{3.5, 4}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                                           RoundCase{-3.5, -4}, RoundCase{2.4999999, 2},
                                           RoundCase{2.5000001, 3}, RoundCase{-2.5000001, -3},
                                           RoundCase{-0.0, 0}));

INSTANTIATE_TEST_SUITE_P(Limits, ToInt16Test,
                         ::testing::Values(RoundCase{32767.0, 32767}, RoundCase{32767.4, 32767},
                                           RoundCase{32766.5, 32766}, RoundCase{-32768.0, -32768},
                                           RoundCase{-32768.5, -32768},
                                           RoundCase{-32767.5, -32768}));

class ToInt16OverflowTest : public ::testing::TestWithParam<double> {};

TEST_P(ToInt16OverflowTest, RaisesOverflow) {
  try {
    ToInt16(GetParam());
    ADD_FAILURE() << GetParam() << " was accepted";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 6);
    EXPECT_STREQ(error.what(), "Препълване");
  }
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, ToInt16OverflowTest,
                         ::testing::Values(32767.5, 32768.0, 40000.0, -32768.6, -32769.0, 1e300,
                                           -1e300, kInf, -kInf, kNaN, -kNaN));

TEST(WideIntTest, WidensInsteadOfOverflowing) {
  const WideInt top = WideInt(std::int16_t{32767}) + WideInt(std::int16_t{7});
  EXPECT_EQ(top.value(), 32774);
  EXPECT_TRUE(top.isWide());

  const WideInt fill = top - WideInt(std::int16_t{1});
  EXPECT_EQ(fill.value(), 32773);

  const WideInt bottom = WideInt(std::int16_t{-32768}) - WideInt(std::int16_t{1});
  EXPECT_EQ(bottom.value(), -32769);
  EXPECT_TRUE(bottom.isWide());
}

TEST(WideIntTest, NarrowsAgainWhenTheResultFits) {
  const WideInt back = WideInt(std::int32_t{32768}) - WideInt(std::int16_t{1});
  EXPECT_EQ(back.value(), 32767);
  EXPECT_FALSE(back.isWide());
  EXPECT_FALSE((WideInt(std::int16_t{-32768}) + WideInt(std::int16_t{0})).isWide());
}

TEST(WideIntTest, OverflowsOnlyBeyondThirtyTwoBits) {
  const WideInt largest(std::numeric_limits<std::int32_t>::max());
  const WideInt smallest(std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ((largest - largest).value(), 0);
  for (const auto& overflow : {+[](WideInt a) { return a + WideInt(std::int16_t{1}); },
                               +[](WideInt a) { return a - WideInt(std::int16_t{-1}); }}) {
    try {
      overflow(largest);
      ADD_FAILURE() << "no overflow past the largest 32-bit value";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), RuntimeError::kOverflow);
    }
  }
  EXPECT_THROW(smallest - WideInt(std::int16_t{1}), RuntimeError);
}

TEST(FormatIntegerTest, WritesPlainDecimalDigits) {
  EXPECT_EQ(FormatInteger(std::int16_t{-5}), "-5");
  EXPECT_EQ(FormatInteger(std::int16_t{0}), "0");
  EXPECT_EQ(FormatInteger(std::int16_t{12345}), "12345");
  EXPECT_EQ(FormatInteger(std::int16_t{32767}), "32767");
  EXPECT_EQ(FormatInteger(std::int16_t{-32768}), "-32768");
  EXPECT_EQ(FormatInteger(WideInt(std::int32_t{32773})), "32773");
  EXPECT_EQ(FormatInteger(WideInt(std::numeric_limits<std::int32_t>::min())), "-2147483648");
  EXPECT_EQ(FormatInteger(WideInt(std::int16_t{7})), FormatInteger(std::int16_t{7}));
}

TEST(FormatIntegerTest, IgnoresTheLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "bg_BG.UTF-8") == nullptr) {
    GTEST_SKIP() << "the bg_BG.UTF-8 locale is not installed (scripts/test installs it)";
  }
  const std::string text = FormatInteger(WideInt(std::int32_t{-1234567}));
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(text, "-1234567");
}

TEST(SumIsFiniteTest, RefusesInfinityAndNotANumber) {
  EXPECT_TRUE(SumIsFinite(0.0));
  EXPECT_TRUE(SumIsFinite(3.0 * 32773.0));
  EXPECT_TRUE(SumIsFinite(-std::numeric_limits<double>::max()));
  const double huge = std::numeric_limits<double>::max();
  EXPECT_FALSE(SumIsFinite(huge + huge));
  EXPECT_FALSE(SumIsFinite(-kInf));
  EXPECT_FALSE(SumIsFinite(kInf - kInf));
}

}  // namespace
}  // namespace hexagon
