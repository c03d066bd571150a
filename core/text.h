#pragma once
// The text rules every operation on the grids shares. Texts are bytes, one byte
// a character; nothing here depends on the C locale.

#include <string>
#include <string_view>

namespace brisel {

// Blanks are every byte with a code of 32 or less: spaces, tabs, line ends and
// the other control characters (NUL included).
constexpr bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// The text without its leading and trailing blanks.
std::string_view trim(std::string_view text);

// Byte-wise comparison on unsigned codes, case-sensitive; a text that begins
// another orders first. Negative, zero or positive.
int compareText(std::string_view a, std::string_view b);
inline bool textLess(std::string_view a, std::string_view b) {
  return compareText(a, b) < 0;
}

// The general real-to-text form of every real written into a grid: up to 15
// significant digits, trailing zeros and a trailing separator dropped, fixed
// point for magnitudes from 0.00001 up to 15 integer digits, scientific
// otherwise (1E-6, 1.5E20); `decimalSeparator` is the user's. Non-finite values
// give NAN, INF and -INF; negative zero gives 0.
std::string formatReal(double value, char decimalSeparator);

// The same text in a buffer of its own, for loops that write many reals
// without a string each.
class RealText {
 public:
  std::string_view view() const { return {bytes_, size_}; }

 private:
  friend RealText formatRealText(double value, char decimalSeparator);
  // The longest form, "-0.0000" and 15 digits, with room behind for the
  // fixed-size copies that write it.
  char bytes_[48];
  std::size_t size_ = 0;
};
RealText formatRealText(double value, char decimalSeparator);

// The decimal-separator swap of the coordinate imports: with `commaSeparator`
// (the check box "Virgola come separatore decimali") every point becomes a
// comma, otherwise every comma a point.
void swapDecimalSeparators(std::string& line, bool commaSeparator);

// Every space replaced by an underscore.
std::string spacesToUnderscores(std::string_view text);

// A text made safe for one line of a message or of printed output: backslash,
// tab, line feed and carriage return as \\ \t \n \r, other bytes below 0x20 and
// 0x7F as \xHH; every other byte unchanged.
std::string escapeControls(std::string_view text);

// One byte a character (ISO 8859-1) to UTF-8, for messages shown to the operator.
std::string latin1ToUtf8(std::string_view text);

// Bytes of a file or clipboard to Latin-1: valid UTF-8 is decoded, its
// characters beyond Latin-1 becoming '?' as when typing; any other text is
// taken as Latin-1 already.
std::string toLatin1(std::string_view text);

}  // namespace brisel
