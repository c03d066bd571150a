#include "core/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

  // d.dddddddddddddde+XX, correctly rounded to 15 significant digits.
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, kPrecision - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  char digitBytes[kPrecision];
  std::size_t count = 0;
  digitBytes[count++] = text[0];
  for (char digit : text.substr(2, e - 2)) digitBytes[count++] = digit;
  while (count > 1 && digitBytes[count - 1] == '0') --count;
  const std::string_view digits(digitBytes, count);
  int exponent = 0;
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  // Fixed point from 0.00001 up to 15 integer digits.
  RealPlaces places;
  if (value < 0) places.put('-');
  if (exponent >= -5 && exponent < kPrecision)
    places.fixedForm(digits, exponent, decimalSeparator);
  else
    places.scientificForm(digits, exponent, decimalSeparator);
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
