#include "core/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace brisel {
namespace {

constexpr NumberFormat kPoint{'.', false};
constexpr NumberFormat kComma{',', false};
constexpr NumberFormat kPointEnglish{'.', true};
constexpr NumberFormat kCommaEnglish{',', true};

TEST(TextToReal, AcceptsTheConventionalGrammar) {
  EXPECT_EQ(textToReal("12.5", kPoint), 12.5);
  EXPECT_EQ(textToReal("  12.5  ", kPoint), 12.5);
  EXPECT_EQ(textToReal("-3", kPoint), -3);
  EXPECT_EQ(textToReal("+3.", kPoint), 3);
  EXPECT_EQ(textToReal(".5", kPoint), 0.5);
  EXPECT_EQ(textToReal("1e3", kPoint), 1000);
  EXPECT_EQ(textToReal("1.5E-2", kPoint), 0.015);
  EXPECT_EQ(textToReal("0012.50", kPoint), 12.5);
  EXPECT_EQ(textToReal("1e-400", kPoint), 0);
  EXPECT_EQ(textToReal("12,5", kComma), 12.5);
}

TEST(TextToReal, RejectsAnythingElse) {
  for (const char* text : {"", " ", "abc", "12.5.1", "12,5", "1e", "1e+", "0x10", "inf", "nan",
                           "- 1", "1 2", "\t12", "12\n", "12.5mm", ".", "+", "1e400", "1,5"}) {
    EXPECT_THROW(textToReal(text, kPoint), ConversionError) << text;
  }
  EXPECT_THROW(textToReal("12.5", kComma), ConversionError);
  EXPECT_THROW(textToReal(std::string_view("1\0", 2), kPoint), ConversionError);
}

// Plain decimals of up to 18 digits, short ones and long ones, read as the
// general conversion reads them, to the last bit.
TEST(TextToReal, ReadsPlainDecimalsToTheNearestDouble) {
  std::mt19937_64 random(2026);
  for (int i = 0; i < 100000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 18);
    const int point = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 1));
    std::string text = random() % 2 ? "-" : "";
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    const double read = textToReal(text, kPoint);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected)) << text;
  }
}

// What the plain form takes of a text, and the texts it leaves to the general
// conversion; past 15 digits it still reads the nearest double.
TEST(LeadingPlainDecimal, TakesThePlainFormAndStopsWhereItEnds) {
  struct Case {
    std::string_view text;
    double value;
    std::size_t taken;  // 0: nothing read
  };
  const Case cases[] = {
      {"58.674mm", 58.674, 6},
      {"-1250mil", -1250, 5},
      {"7", 7, 1},
      {"0.5 mm", 0.5, 3},
      {"1e5", 1, 1},
      {"2.5.1", 2.5, 3},
      {"12345678901234567.5x", 12345678901234567.5, 19},
      {"5.", 0, 0},
      {".5", 0, 0},
      {"-", 0, 0},
      {" 5", 0, 0},
      {"+5", 0, 0},
      {"", 0, 0},
  };
  for (const Case& c : cases) {
    const std::optional<LeadingDecimal> read = leadingPlainDecimal(c.text);
    ASSERT_EQ(read.has_value(), c.taken != 0) << c.text;
    if (!read) continue;
    EXPECT_EQ(read->value, c.value) << c.text;
    EXPECT_EQ(read->taken, c.taken) << c.text;
  }
}

TEST(TextToReal, RbEnTurnsTheFirstCommaIntoAPoint) {
  EXPECT_EQ(textToReal("12,5", kPointEnglish), 12.5);
  EXPECT_THROW(textToReal("1,234,5", kPointEnglish), ConversionError);  // 1.234,5
  // With a comma locale the fixed-up point no longer converts.
  EXPECT_THROW(textToReal("12,5", kCommaEnglish), ConversionError);
  EXPECT_EQ(textToReal("12", kCommaEnglish), 12);
}

TEST(TextToFloat, HoldsCoordinatesAsFloatsAndRefusesWhatNoFloatHolds) {
  EXPECT_EQ(textToFloat("12.4", kPoint), 12.4f);
  EXPECT_EQ(textToFloat("-3.4e38", kPoint), -3.4e38f);
  EXPECT_THROW(textToFloat("1e39", kPoint), ConversionError);
  EXPECT_THROW(textToFloat("-1e39", kPoint), ConversionError);
  EXPECT_THROW(textToFloat("x", kPoint), ConversionError);
}

TEST(TextToInteger, TrimsThenTakesASignAndDigits) {
  EXPECT_EQ(textToInteger("42", kPoint), 42);
  EXPECT_EQ(textToInteger(" \t42 \r\n", kPoint), 42);
  EXPECT_EQ(textToInteger("-90", kPoint), -90);
  EXPECT_EQ(textToInteger("+7", kPointEnglish), 7);
  EXPECT_EQ(textToInteger("007", kPoint), 7);
  EXPECT_EQ(textToInteger("2147483647", kPoint), 2147483647);
  EXPECT_EQ(textToInteger("-2147483648", kPoint), std::numeric_limits<std::int32_t>::min());
}

TEST(TextToInteger, RejectsFractionsCommasOverflowAndOtherForms) {
  for (const char* text : {"", "  ", "3,0", "3.0", "1e3", "0x10", "$10", "2147483648",
                           "-2147483649", "99999999999999999999", "4 2", "-", "+", "١"}) {
    EXPECT_THROW(textToInteger(text, kPoint), ConversionError) << text;
    EXPECT_THROW(textToInteger(text, kPointEnglish), ConversionError) << text;
  }
}

TEST(ConversionError, NamesTheTextInItalianAndTheLine) {
  try {
    textToReal("12,5", kPoint);
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'12,5' non \xC3\xA8 un valore numerico valido");
    EXPECT_EQ(error.text(), "12,5");
    EXPECT_STREQ(error.atLine(7).what(), "Riga 7: '12,5' non \xC3\xA8 un valore numerico valido");
  }
  // Control bytes are shown, Latin-1 becomes UTF-8 and a long text is cut.
  ConversionError odd(std::string("a\tb\xE8", 4));
  EXPECT_STREQ(odd.what(), "'a\\tb\xC3\xA8' non \xC3\xA8 un valore numerico valido");
  ConversionError longText(std::string(1000, 'x'));
  EXPECT_LT(std::string(longText.what()).size(), 200u);
}

TEST(ConversionError, SaysWhereAndHintsAtTheOtherSeparator) {
  const std::string kNot = "' non \xC3\xA8 un valore numerico valido";
  const std::string kPointHint =
      "\nSeparatore decimale del sistema: '.'. Provare \"Inglese\" o togliere \"Virgola come "
      "separatore decimali\".";
  const std::string kCommaHint =
      "\nSeparatore decimale del sistema: ','. Provare a mettere \"Virgola come separatore "
      "decimali\".";
  struct Case {
    const char* text;
    NumberFormat format;
    std::string hint;
  };
  const Case cases[] = {
      {"1,5", {'.', false}, kPointHint}, {"1.5", {',', false}, kCommaHint},
      {"1,0,5", {'.', false}, ""},  // no separator makes it a number
      {"1e39", {',', false}, ""},   // a number, but beyond a float: no hint
      {"abc", {'.', true}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ConversionError error(c.text);
    EXPECT_EQ(error.withSeparatorHint(c.format).inFile("BOARD.MNT", 40000, "1,0.5").what(),
              "BOARD.MNT, riga 40000: '1,0.5" + kNot + c.hint);
    EXPECT_EQ(error.atCell(3, "X").withSeparatorHint(c.format).what(),
              "Riga 3, colonna X: '" + std::string(c.text) + kNot + c.hint);
  }
}

TEST(LeadingNumber, ReadsWhatStartsTheTextWithAPoint) {
  EXPECT_EQ(readLeadingNumber("90.7"), 90.7);
  EXPECT_EQ(readLeadingNumber("90,5"), 90);
  EXPECT_EQ(readLeadingNumber("  -90 TOP"), -90);
  EXPECT_EQ(readLeadingNumber("\t\n270.9xyz"), 270.9);
  EXPECT_EQ(readLeadingNumber("1e2x"), 100);
  EXPECT_EQ(readLeadingNumber("1ex"), 1);
  EXPECT_EQ(readLeadingNumber("TOP"), 0);
  EXPECT_EQ(readLeadingNumber(""), 0);
  EXPECT_EQ(readLeadingNumber("inf"), 0);
  EXPECT_EQ(readLeadingNumber("0x1A"), 0);
  EXPECT_EQ(readLeadingNumber(".5"), 0.5);
  EXPECT_TRUE(std::isinf(readLeadingNumber("1e999")));
  EXPECT_EQ(readLeadingNumber("-1e-999"), 0);
}

TEST(Low16, TruncatesTowardZeroAndKeepsTheLowBitsExactly) {
  EXPECT_EQ(low16(90.7), 90);
  EXPECT_EQ(low16(359.99), 359);
  EXPECT_EQ(low16(-90.0), 65446);
  EXPECT_EQ(low16(-0.5), 0);
  EXPECT_EQ(low16(65536.0), 0);
  EXPECT_EQ(low16(70000.0), 4464);
  EXPECT_EQ(low16(-65537.0), 65535);
  EXPECT_EQ(low16(4294967296.0 + 5), 5);  // beyond 32 bits
  EXPECT_EQ(low16(1e20), 0);              // 10^20 = 2^20 * 5^20
  EXPECT_EQ(low16(std::ldexp(1.0, 60) + std::ldexp(1.0, 12)), 4096);
  EXPECT_EQ(low16(std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(low16(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(low16(std::int32_t{-90}), 65446);
  EXPECT_EQ(low16(std::int32_t{70000}), 4464);
}

}  // namespace
}  // namespace brisel
