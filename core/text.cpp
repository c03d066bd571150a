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

// The text of a real is built in place: no step of it allocates.
class RealPlaces {
 public:
  std::string_view text() const { return {out_, size_}; }

  void put(char ch) { out_[size_++] = ch; }
  void put(std::string_view text) {
    for (char ch : text) put(ch);
  }
  void zeros(int count) {
    for (int i = 0; i < count; ++i) put('0');
  }

  // The significant digits at the places of a fixed-point form: `exponent`
  // is the power of ten of the first digit.
  void fixedForm(std::string_view digits, int exponent, char separator) {
    if (exponent < 0) {
      put('0');
      put(separator);
      zeros(-exponent - 1);
      put(digits);
      return;
    }
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      put(digits);
      zeros(static_cast<int>(integerDigits - digits.size()));
      return;
    }
    put(digits.substr(0, integerDigits));
    put(separator);
    put(digits.substr(integerDigits));
  }

  void scientificForm(std::string_view digits, int exponent, char separator) {
    put(digits[0]);
    if (digits.size() > 1) {
      put(separator);
      put(digits.substr(1));
    }
    put('E');
    size_ = static_cast<std::size_t>(std::to_chars(out_ + size_, out_ + sizeof out_, exponent).ptr -
                                     out_);
  }

 private:
  // A sign, "0.", four zeros and 15 digits at most, or 15 digits, a
  // separator and an exponent of four characters with its sign.
  char out_[48];
  std::size_t size_ = 0;
};

// The 15 significant digits of a positive real, trailing zeros dropped, and
// the power of ten of the first.
struct Significand {
  char bytes[kPrecision];
  std::size_t count = 0;
  int exponent = 0;

  std::string_view digits() const { return {bytes, count}; }
  void dropTrailingZeros() {
    while (count > 1 && bytes[count - 1] == '0') --count;
  }

  // Takes a 15-digit integer (10^14 <= digits < 10^15).
  void take(std::uint64_t digits, int power) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    for (std::size_t i = kPrecision - 1; i > 0; i -= 2, digits /= 100) {
      const std::size_t pair = 2 * static_cast<std::size_t>(digits % 100);
      bytes[i] = kPairs[pair + 1];
      bytes[i - 1] = kPairs[pair];
    }
    bytes[0] = static_cast<char>('0' + digits);
    count = kPrecision;
    dropTrailingZeros();
    exponent = power;
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
  out.count = 0;
  out.bytes[out.count++] = text[0];
  for (char digit : text.substr(2, e - 2)) out.bytes[out.count++] = digit;
  out.dropTrailingZeros();
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), out.exponent);
}

}  // namespace

RealText formatRealText(double value, char decimalSeparator) {
  RealText out;
  if (std::isnan(value)) {
    out.append("NAN");
    return out;
  }
  if (std::isinf(value)) {
    out.append(value < 0 ? "-INF" : "INF");
    return out;
  }
  if (value == 0) {
    out.append("0");
    return out;
  }
  Significand significand;
  if (!exactDigits(std::fabs(value), significand)) generalDigits(std::fabs(value), significand);
  // Fixed point from 0.00001 up to 15 integer digits.
  RealPlaces places;
  if (value < 0) places.put('-');
  const int exponent = significand.exponent;
  if (exponent >= -5 && exponent < kPrecision)
    places.fixedForm(significand.digits(), exponent, decimalSeparator);
  else
    places.scientificForm(significand.digits(), exponent, decimalSeparator);
  out.append(places.text());
  return out;
}

std::string formatReal(double value, char decimalSeparator) {
  return std::string(formatRealText(value, decimalSeparator).view());
}

void RealText::append(std::string_view text) {
  std::copy(text.begin(), text.end(), bytes_ + size_);
  size_ += text.size();
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

}  // namespace brisel
