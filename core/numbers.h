#pragma once
// Text to number, as every operation converts the texts of the grids and of
// the files it reads. Nothing here depends on the C locale: the user's decimal
// separator is a parameter.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/error.h"

namespace brisel {

// How numbers are read: the separator of the user's locale, and the radio
// button "Inglese" (RB_EN), which turns the first comma of a text into a point.
struct NumberFormat {
  char decimalSeparator = '.';
  bool RB_EN = false;
};

// A text that is not a number. The message names the text, in Italian:
// 'abc' non è un valore numerico valido; the ways of saying where it stands
// put a place before it, and a hint may follow on a second line.
class ConversionError : public Error {
 public:
  explicit ConversionError(std::string_view text);
  // The text that failed to convert.
  const std::string& text() const { return parts_.text; }
  // The same failure said of a line of the file being read: Riga 7: '...' ...
  ConversionError atLine(long line) const;
  // Said of line `line` of the file `fileName` (a name without its folder),
  // showing `original`, the text as the file holds it: BOARD.MNT, riga 7: ...
  ConversionError inFile(std::string_view fileName, long line, std::string_view original) const;
  // Said of a cell of the component table: Riga 3, colonna X: ...
  ConversionError atCell(int row, std::string_view column) const;
  // With a second line naming the system's separator when the text would
  // have converted with the other one; unchanged otherwise.
  ConversionError withSeparatorHint(const NumberFormat& format) const;

 private:
  struct Parts {
    std::string text;   // what was converted
    std::string shown;  // what the message shows
    Text where;         // before the text
    Text hint;          // the second line, if any
  };
  explicit ConversionError(Parts parts);
  static Text message(const Parts& parts);
  Parts parts_;
};

// Text to real: optional spaces, an optional sign, decimal digits with at most
// one separator, an optional exponent, optional spaces; nothing else (no hex,
// no inf or nan, no blanks other than the space). The text is not trimmed.
// Throws ConversionError when the text is not such a number or overflows.
double textToReal(std::string_view text, const NumberFormat& format);

// Text to real held as a 32-bit float, the form every coordinate takes. A
// number beyond the float range would become an infinity: it throws
// ConversionError like any text that is not a number.
float textToFloat(std::string_view text, const NumberFormat& format);

// Text to integer: the text is trimmed, then an optional sign and decimal
// digits within the signed 32-bit range. Throws ConversionError otherwise.
std::int32_t textToInteger(std::string_view text, const NumberFormat& format);

// The plain form -?digits(.digits)? (a point, no blanks, no exponent) at the
// start of `text`: its value, the nearest double, and the bytes it takes.
// Nothing when the text does not start with it, or a point has no digits
// after it. Of at most 15 digits it is read in one pass: its digits make an
// integer below 2^53 and the power of ten of its decimals is exact too, so one
// division, rounded as every double operation is, gives the nearest double, as
// the general conversion does.
struct LeadingDecimal {
  double value;
  std::size_t taken;
};
std::optional<LeadingDecimal> leadingPlainDecimal(std::string_view text);

// The same three conversions without the exception: nothing when the text is
// not such a number. For passes over a whole table that expect failures.
std::optional<double> tryTextToReal(std::string_view text, const NumberFormat& format);
std::optional<float> tryTextToFloat(std::string_view text, const NumberFormat& format);
std::optional<std::int32_t> tryTextToInteger(std::string_view text, const NumberFormat& format);

// The number at the start of a text, read with a point as separator whatever
// the locale: leading blanks skipped, then an optional sign, digits with an
// optional fraction and exponent; reading stops at the first character that
// cannot continue the number. No number gives 0; too large a number gives an
// infinity of its sign.
double readLeadingNumber(std::string_view text);

// A real truncated toward zero, as the low 16 bits of that integer taken as
// unsigned: 90.7 gives 90, -90 gives 65446, 70000 gives 4464. Exact for every
// finite value; an infinity or NaN gives 0.
std::uint16_t low16(double value);

// The low 16 bits of an integer taken as unsigned.
inline std::uint16_t low16(std::int32_t value) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value));
}

}  // namespace brisel
