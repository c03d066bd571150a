#include "core/text.h"

#include "core/said.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace brisel {
namespace {

TEST(Trim, RemovesEveryByteUpToSpaceAtBothEnds) {
  EXPECT_EQ(trim("  R12 \t\r\n"), "R12");
  EXPECT_EQ(trim(std::string_view("\0\x01 a b \x1f", 8)), "a b");
  EXPECT_EQ(trim(" \t\n"), "");
  EXPECT_EQ(trim(""), "");
  // Bytes above 127 are not blanks, whatever the signedness of char.
  EXPECT_EQ(trim("\xA0x\xFF"), "\xA0x\xFF");
}

TEST(CompareText, IsByteWiseOnUnsignedCodesAndCaseSensitive) {
  EXPECT_LT(compareText("10", "9"), 0);
  EXPECT_LT(compareText("100", "9"), 0);
  EXPECT_LT(compareText("R1", "R10"), 0);  // a beginning orders first
  EXPECT_LT(compareText("", "a"), 0);
  EXPECT_LT(compareText("Z", "a"), 0);
  EXPECT_LT(compareText("z", "\xE8"), 0);  // è after every ASCII letter
  EXPECT_EQ(compareText("abc", "abc"), 0);
  EXPECT_GT(compareText("r12", "R12"), 0);
  EXPECT_TRUE(textLess("", " "));
}

struct RealCase {
  double value;
  const char* text;
  friend std::ostream& operator<<(std::ostream& out, const RealCase& c) { return out << c.text; }
};

class FormatReal : public ::testing::TestWithParam<RealCase> {};

TEST_P(FormatReal, WritesTheGeneralForm) {
  EXPECT_EQ(formatReal(GetParam().value, '.'), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatReal,
    ::testing::Values(
        RealCase{25, "25"}, RealCase{double(12.4f), "12.3999996185303"},
        RealCase{double(100 * 0.0254f), "2.53999996185303"}, RealCase{10.5, "10.5"},
        RealCase{-2.25, "-2.25"}, RealCase{0, "0"}, RealCase{-0.0, "0"},
        RealCase{0.00001, "0.00001"}, RealCase{0.000012345, "0.000012345"},
        RealCase{0.000001, "1E-6"}, RealCase{-0.0000015, "-1.5E-6"}, RealCase{1.5e20, "1.5E20"},
        RealCase{999999999999999, "999999999999999"}, RealCase{1e15, "1E15"},
        RealCase{1234567, "1234567"}, RealCase{0.1, "0.1"}, RealCase{1.0 / 3, "0.333333333333333"},
        RealCase{2.0 / 3, "0.666666666666667"}, RealCase{9.9999999999999999e14, "1E15"},
        RealCase{1e100, "1E100"}, RealCase{123456789012.345678, "123456789012.346"},
        RealCase{double(10.3f), "10.3000001907349"},
        // Trailing zeros around the eighth digit, where the
        // digits pass from one word to the next.
        RealCase{12345678, "12345678"}, RealCase{123456789, "123456789"},
        RealCase{1.2345678, "1.2345678"}, RealCase{1.23456789, "1.23456789"},
        RealCase{-0.000012345678, "-0.000012345678"}, RealCase{1.2345678e-9, "1.2345678E-9"}));

TEST(FormatRealSpecial, UsesTheUsersSeparatorAndNamesNonFiniteValues) {
  EXPECT_EQ(formatReal(12.5, ','), "12,5");
  EXPECT_EQ(formatReal(1.5e-7, ','), "1,5E-7");
  EXPECT_EQ(formatReal(25, ','), "25");
  EXPECT_EQ(formatReal(std::numeric_limits<double>::quiet_NaN(), '.'), "NAN");
  EXPECT_EQ(formatReal(std::numeric_limits<double>::infinity(), '.'), "INF");
  EXPECT_EQ(formatReal(-std::numeric_limits<double>::infinity(), '.'), "-INF");
  EXPECT_EQ(formatReal(std::numeric_limits<double>::denorm_min(), '.'), "4.94065645841247E-324");
}

// Against the C library's own rounding to 15 digits: two texts of 15
// significant digits that read as the same double are the same number. The
// floats between 2048 and 4096 with an odd last bit are all ties at the
// sixteenth digit, which round to the even fifteenth.
TEST(FormatRealSpecial, RoundsAsTheCLibraryDoesOnRandomFloatsDoublesAndTies) {
  std::mt19937_64 random(2026);
  for (int i = 0; i < 120000; ++i) {
    double value = 0;
    const std::uint64_t bits = random();
    switch (i % 4) {
      case 0:
        value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        break;
      case 1:
        value = std::bit_cast<double>(bits);
        break;
      case 2:
        value = std::ldexp(static_cast<float>((bits & 0x7FFFFF) | 0x800000), -12);
        break;
      default:
        value = static_cast<float>(static_cast<std::int64_t>(bits % 2'000'000) - 1'000'000) / 1000;
    }
    if (!std::isfinite(value) || value == 0) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.14e", value);
    const std::string text = formatReal(value, '.');
    ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(expected, nullptr))
        << text << " against " << expected;
  }
}

TEST(SeparatorSwap, FollowsTheCheckBox) {
  std::string line = "R1.2 1,5 2.5";
  swapDecimalSeparators(line, true);
  EXPECT_EQ(line, "R1,2 1,5 2,5");
  swapDecimalSeparators(line, false);
  EXPECT_EQ(line, "R1.2 1.5 2.5");
}

TEST(Escape, ShowsControlBytesAndKeepsTheRest) {
  EXPECT_EQ(escapeControls("a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re");
  EXPECT_EQ(escapeControls(std::string_view("\0\x1f\x7f\x80\xff", 5)), "\\x00\\x1F\\x7F\x80\xff");
  EXPECT_EQ(latin1ToUtf8("caff\xE8"), "caff\xC3\xA8");
}

// A text said in another language: each key turned, the data as it is, an
// argument's own %1 never filled again.
TEST(Said, KeysTurnAndDataStays) {
  auto english = [](const std::string& key) -> std::string {
    if (key == "%1 componenti importati") return "%1 components imported";
    if (key == "Riga %1: ") return "Line %1: ";
    if (key == "Valore") return "Value";
    return key;
  };
  const Text count("%1 componenti importati", {Text::data("Valore %1")});
  EXPECT_EQ(count.italian(), "Valore %1 componenti importati");
  EXPECT_EQ(count.said(english), "Valore %1 components imported");
  const Text nested = Text("Riga %1: ", {Text::number(7)}).then(Text("Valore"));
  EXPECT_EQ(nested.said(english), "Line 7: Value");
  EXPECT_EQ(Text("%2 e %1 e %3", {Text::data("a"), Text::data("b")}).italian(), "b e a e %3");
  EXPECT_EQ(Text("100%", {Text::data("x")}).italian(), "100%");
}

}  // namespace
}  // namespace brisel
