#include "core/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace brisel {

std::string_view trim(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

int compareText(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  if (n > 0) {
    // memcmp compares as unsigned char, whatever the signedness of char.
    int byBytes = std::memcmp(a.data(), b.data(), n);
    if (byBytes != 0) return byBytes < 0 ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

constexpr int kPrecision = 15;

// The eight digits of `value` (below 10^8), leading zeros kept, in the bytes
// of a word from the lowest up: four digits in each half, then two in each
// quarter, then one in each byte, every step dividing all its lanes at once
// (x * 10486 >> 20 is x / 100 below 43,699; x * 103 >> 10 is x / 10 below 179).
std::uint64_t eightDigits(std::uint32_t value) {
  std::uint64_t x = value / 10000 | std::uint64_t{value % 10000} << 32;
  const std::uint64_t hundreds = (x * 10486 >> 20) & 0x0000007F0000007F;
  x = hundreds | (x - hundreds * 100) << 16;
  const std::uint64_t tens = (x * 103 >> 10) & 0x000F000F000F000F;
  x = tens | (x - tens * 10) << 8;
  return x | 0x3030303030303030;
}

// A word's bytes from the lowest up, whatever the byte order of the machine.
void storeBytes(char* out, std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &word, sizeof word);
  } else {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(word >> (8 * i));
  }
}

// The 15 significant digits of a positive real, trailing zeros dropped, and
// the power of ten of the first. The digits stand one a byte in two words,
// so the text's parts are written with whole-word stores.
struct Significand {
  std::uint64_t first8 = 0;  // digits 1 to 8, the first in the lowest byte
  std::uint64_t last7 = 0;   // digits 9 to 15; the highest byte is 0
  std::size_t count = 0;
  int exponent = 0;

  char first() const { return static_cast<char>(first8); }

  // Takes a 15-digit integer (10^14 <= digits < 10^15).
  void take(std::uint64_t digits, int power) {
    const std::uint64_t high = eightDigits(static_cast<std::uint32_t>(digits / 100'000'000)) >> 8;
    const std::uint64_t low = eightDigits(static_cast<std::uint32_t>(digits % 100'000'000));
    first8 = high | low << 56;
    last7 = low >> 8;
    // A '0' digit is a zero byte once the digits' '0' bits are taken off.
    const std::uint64_t lastZeros = last7 ^ 0x0030303030303030;
    const int trailing = lastZeros != 0 ? std::countl_zero(lastZeros) / 8 - 1
                                        : 7 + std::countl_zero(first8 ^ 0x3030303030303030) / 8;
    count = static_cast<std::size_t>(kPrecision - trailing);
    exponent = power;
  }

  // Writes the digits from the n-th (0-based) on, and returns the end of
  // those kept. The 16 bytes behind `out` must be free.
  char* putFrom(char* out, std::size_t n) const {
    std::uint64_t low = first8;
    std::uint64_t high = last7;
    if (n >= 8) {
      low = last7 >> (8 * (n - 8));
      high = 0;
    } else if (n > 0) {
      low = first8 >> (8 * n) | last7 << (64 - 8 * n);
      high = last7 >> (8 * n);
    }
    storeBytes(out, low);
    storeBytes(out + 8, high);
    return out + (count - n);
  }
};

constexpr std::uint64_t kLeastDigits = 100'000'000'000'000;  // 10^14, the least of 15 digits

// 5^k up to 5^27, the last below 2^64, and the largest number each may
// multiply without overflow.
constexpr auto kFives = [] {
  std::array<std::uint64_t, 28> fives{};
  fives[0] = 1;
  for (std::size_t i = 1; i < fives.size(); ++i) fives[i] = fives[i - 1] * 5;
  return fives;
}();
constexpr auto kMostTimesFive = [] {
  std::array<std::uint64_t, 28> most{};
  for (std::size_t i = 0; i < most.size(); ++i) most[i] = UINT64_MAX / kFives[i];
  return most;
}();

// A whole number, mantissa * 2^-shift with shift <= 0: its digits as they stand.
bool wholeDigits(std::uint64_t mantissa, int shift, Significand& out) {
  if (-shift >= std::countl_zero(mantissa)) return false;
  std::uint64_t digits = mantissa << -shift;
  if (digits >= 10 * kLeastDigits) return false;
  int power = kPrecision - 1;
  for (; digits < kLeastDigits; digits *= 10) --power;
  out.take(digits, power);
  return true;
}

// The digits as the general conversion rounds them (to nearest, ties to even),
// for the reals whose exact value fits 64-bit integer arithmetic: every float
// from 0.001 up and every whole number below 10^15, which is nearly every
// coordinate. False for the others.
bool exactDigits(double value, Significand& out) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>(bits >> 52) & 0x7FF;
  if (biased == 0) return false;  // below 2^-1022
  std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  int shift = 1075 - biased;              // value = mantissa / 2^shift
  const int binaryExponent = 53 - shift;  // value < 2^binaryExponent
  const int zeros = std::countr_zero(mantissa);
  mantissa >>= zeros;
  shift -= zeros;
  if (shift <= 0) return wholeDigits(mantissa, shift, out);
  // value * 10^k = mantissa * 5^k / 2^(shift - k), for the k that leaves 15
  // digits before the point; log10(2) is 0.30103, so the first guess of the
  // power of the first digit is one off at most.
  int power = (binaryExponent - 1) * 30103 / 100000 - (binaryExponent < 1 ? 1 : 0);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = kPrecision - 1 - power;
    if (k < 0 || k >= static_cast<int>(kFives.size())) return false;
    if (mantissa > kMostTimesFive[static_cast<std::size_t>(k)]) return false;
    const std::uint64_t scaled = mantissa * kFives[static_cast<std::size_t>(k)];
    const int down = shift - k;
    if (down >= 64 || (down < 0 && -down >= std::countl_zero(scaled))) return false;
    std::uint64_t digits = down <= 0 ? scaled << -down : scaled >> down;
    if (digits < kLeastDigits || digits >= 10 * kLeastDigits) {
      power += digits < kLeastDigits ? -1 : 1;
      continue;
    }
    if (down > 0) {
      const std::uint64_t rest = scaled & ((std::uint64_t{1} << down) - 1);
      const std::uint64_t half = std::uint64_t{1} << (down - 1);
      if (rest > half || (rest == half && digits % 2 == 1)) ++digits;
    }
    if (digits == 10 * kLeastDigits) digits = kLeastDigits, ++power;
    out.take(digits, power);
    return true;
  }
  return false;
}

// The digits of the general conversion, d.dddddddddddddde+XX correctly
// rounded to 15 significant digits.
void generalDigits(double value, Significand& out) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                              kPrecision - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
  for (char digit : text.substr(2, e - 2))
    digits = digits * 10 + static_cast<std::uint64_t>(digit - '0');
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  out.take(digits, exponent);
}

}  // namespace

namespace {

char* putZeros(char* out, std::size_t count) {
  std::memset(out, '0', count);
  return out + count;
}

// The significant digits at the places of a fixed-point form.
char* fixedForm(char* out, const Significand& significand, char separator) {
  const int exponent = significand.exponent;  // the power of ten of the first digit
  if (exponent < 0) {
    *out++ = '0';
    *out++ = separator;
    out = putZeros(out, static_cast<std::size_t>(-exponent - 1));
    return significand.putFrom(out, 0);
  }
  // The integer part first: its places past the digits kept hold zeros.
  const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
  significand.putFrom(out, 0);
  out += integerDigits;
  if (significand.count <= integerDigits) return out;
  *out++ = separator;
  return significand.putFrom(out, integerDigits);
}

char* scientificForm(char* out, char* end, const Significand& significand, char separator) {
  *out++ = significand.first();
  if (significand.count > 1) {
    *out++ = separator;
    out = significand.putFrom(out, 1);
  }
  *out++ = 'E';
  return std::to_chars(out, end, significand.exponent).ptr;
}

}  // namespace

RealText formatRealText(double value, char decimalSeparator) {
  RealText text;
  std::string_view special;
  if (std::isnan(value))
    special = "NAN";
  else if (std::isinf(value))
    special = value < 0 ? "-INF" : "INF";
  else if (value == 0)
    special = "0";
  if (!special.empty()) {
    std::memcpy(text.bytes_, special.data(), special.size());
    text.size_ = special.size();
    return text;
  }
  Significand significand;
  if (!exactDigits(std::fabs(value), significand)) generalDigits(std::fabs(value), significand);
  char* out = text.bytes_;
  if (value < 0) *out++ = '-';
  // Fixed point from 0.00001 up to 15 integer digits.
  if (significand.exponent >= -5 && significand.exponent < kPrecision)
    out = fixedForm(out, significand, decimalSeparator);
  else
    out = scientificForm(out, text.bytes_ + sizeof text.bytes_, significand, decimalSeparator);
  text.size_ = static_cast<std::size_t>(out - text.bytes_);
  return text;
}

std::string formatReal(double value, char decimalSeparator) {
  return std::string(formatRealText(value, decimalSeparator).view());
}

void swapDecimalSeparators(std::string& line, bool commaSeparator) {
  if (commaSeparator)
    std::replace(line.begin(), line.end(), '.', ',');
  else
    std::replace(line.begin(), line.end(), ',', '.');
}

std::string spacesToUnderscores(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), ' ', '_');
  return out;
}

std::string escapeControls(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto code = static_cast<unsigned char>(ch);
    switch (ch) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (code < 0x20 || code == 0x7F) {
          out += "\\x";
          out += kHex[code >> 4];
          out += kHex[code & 0xF];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto code = static_cast<unsigned char>(ch);
    if (code < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

namespace {

// The length of the UTF-8 sequence starting at text[i] and its code point,
// or 0 when the bytes there are no valid sequence.
std::size_t utf8Sequence(std::string_view text, std::size_t i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || i + length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are no UTF-8.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string toLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    std::size_t length = utf8Sequence(text, i, code);
    if (length == 0) return std::string(text);  // not UTF-8: Latin-1 as it stands
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += length;
  }
  return out;
}

}  // namespace brisel
