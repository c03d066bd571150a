#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "core/text.h"
#include "core/translatable.h"

namespace brisel {

namespace {

constexpr std::size_t kShownText = 120;

Text describe(std::string_view text) {
  bool cut = text.size() > kShownText;
  std::string shown = latin1ToUtf8(escapeControls(text.substr(0, kShownText)));
  if (cut) shown += "...";
  return Text(BRISEL_TRANSLATE_NOOP("Message", "'%1' non \xC3\xA8 un valore numerico valido"),
              {Text::data(std::move(shown))});
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// A decimal number at the start of `text`: sign? (digits (sep digits*)? |
// sep digits) (e sign? digits)?. Returns the bytes it takes, 0 for none, and
// its form with a point as separator and no plus sign in `normalized`.
std::size_t scanDecimal(std::string_view text, char separator, std::string& normalized) {
  normalized.clear();
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normalized += '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    normalized += text[i++];
    ++digits;
  }
  if (i < text.size() && text[i] == separator) {
    std::size_t fraction = 0;
    std::size_t j = i + 1;
    while (j < text.size() && isDigit(text[j])) ++j, ++fraction;
    if (digits + fraction > 0) {
      normalized += '.';
      normalized.append(text.substr(i + 1, fraction));
      digits += fraction;
      i = j;
    }
  }
  if (digits == 0) {
    normalized.clear();
    return 0;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      if (text[j] == '-') exponent += '-';
      ++j;
    }
    std::size_t start = j;
    while (j < text.size() && isDigit(text[j])) exponent += text[j++];
    if (j > start) {
      normalized += exponent;
      i = j;
    }
  }
  return i;
}

// Where from_chars finds the value out of range, tells overflow from underflow
// by the power of ten of the first significant digit.
double outOfRange(std::string_view normalized) {
  bool negative = !normalized.empty() && normalized[0] == '-';
  std::size_t e = normalized.find('e');
  std::string_view mantissa = normalized.substr(0, e);
  long long power = 0;
  std::size_t point = mantissa.find('.');
  std::size_t integerEnd = point == std::string_view::npos ? mantissa.size() : point;
  std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return negative ? -0.0 : 0.0;
  power = first < integerEnd ? static_cast<long long>(integerEnd - first)
                             : -static_cast<long long>(first - integerEnd) + 1;
  if (e != std::string_view::npos) {
    std::string_view exponent = normalized.substr(e + 1);
    bool down = !exponent.empty() && exponent[0] == '-';
    if (down) exponent.remove_prefix(1);
    long long value = 0;
    for (char c : exponent) value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000);
    power += down ? -value : value;
  }
  double magnitude = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -magnitude : magnitude;
}

double toDouble(std::string_view normalized) {
  double value = 0;
  auto result = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  if (result.ec == std::errc::result_out_of_range) return outOfRange(normalized);
  return value;
}

std::string firstCommaToPoint(std::string_view text, bool enabled) {
  std::string out(text);
  if (enabled) {
    std::size_t comma = out.find(',');
    if (comma != std::string::npos) out[comma] = '.';
  }
  return out;
}

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : ConversionError(Parts{std::string(text), std::string(text), {}, {}}) {}

ConversionError::ConversionError(Parts parts) : Error(message(parts)), parts_(std::move(parts)) {}

Text ConversionError::message(const Parts& parts) {
  Text text = parts.where.then(describe(parts.shown));
  if (!parts.hint.empty()) text = text.then(Text("\n%1", {parts.hint}));
  return text;
}

ConversionError ConversionError::atLine(long line) const {
  Parts parts = parts_;
  parts.where =
      Text(BRISEL_TRANSLATE_NOOP("Message", "Riga %1: "), {Text::number(line)}).then(parts.where);
  return ConversionError(std::move(parts));
}

ConversionError ConversionError::inFile(std::string_view fileName, long line,
                                        std::string_view original) const {
  Parts parts = parts_;
  parts.where = Text(BRISEL_TRANSLATE_NOOP("Message", "%1, riga %2: "),
                     {Text::data(latin1ToUtf8(escapeControls(fileName))), Text::number(line)});
  parts.shown = std::string(original);
  return ConversionError(std::move(parts));
}

ConversionError ConversionError::atCell(int row, std::string_view column) const {
  Parts parts = parts_;
  parts.where = Text(BRISEL_TRANSLATE_NOOP("Message", "Riga %1, colonna %2: "),
                     {Text::number(row), Text(std::string(column))});
  return ConversionError(std::move(parts));
}

ConversionError ConversionError::withSeparatorHint(const NumberFormat& format) const {
  const char other = format.decimalSeparator == ',' ? '.' : ',';
  // Only a text that fails as a number at all, not one out of range.
  if (tryTextToReal(parts_.text, format) || !tryTextToFloat(parts_.text, {other, format.RB_EN}))
    return *this;
  Parts parts = parts_;
  // Where the system writes a comma, the imports read the file's points as
  // commas only with the box checked; "Inglese" would not help there.
  Text advice =
      format.decimalSeparator == ','
          ? BRISEL_TRANSLATE_NOOP("Message",
                                  "Provare a mettere \"Virgola come separatore decimali\".")
          : BRISEL_TRANSLATE_NOOP(
                "Message", "Provare \"Inglese\" o togliere \"Virgola come separatore decimali\".");
  parts.hint = Text(BRISEL_TRANSLATE_NOOP("Message", "Separatore decimale del sistema: '%1'. %2"),
                    {Text::data(std::string(1, format.decimalSeparator)), std::move(advice)});
  return ConversionError(std::move(parts));
}

std::optional<LeadingDecimal> leadingPlainDecimal(std::string_view text) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* at = begin;
  const bool negative = at != end && *at == '-';
  if (negative) ++at;
  // Past 19 digits the integer wraps; such a number takes the general path.
  std::uint64_t digits = 0;
  const char* const integerStart = at;
  for (; at != end && isDigit(*at); ++at)
    digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
  const auto count = at - integerStart;
  if (count == 0) return std::nullopt;
  std::ptrdiff_t decimals = 0;
  if (at != end && *at == '.') {
    const char* const fractionStart = ++at;
    for (; at != end && isDigit(*at); ++at)
      digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    decimals = at - fractionStart;
    if (decimals == 0) return std::nullopt;
  }
  const auto taken = static_cast<std::size_t>(at - begin);
  if (count + decimals <= 15) {
    const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return LeadingDecimal{negative ? -value : value, taken};
  }
  double value = 0;
  auto result = std::from_chars(begin, at, value);
  if (result.ec != std::errc() || std::isinf(value)) return std::nullopt;
  return LeadingDecimal{value, taken};
}

namespace {

// The form nearly every cell holds, with blanks around it, read where it
// stands: no copy made.
std::optional<double> plainDecimal(std::string_view text, const NumberFormat& format) {
  if (format.decimalSeparator != '.') return std::nullopt;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::optional<LeadingDecimal> read = leadingPlainDecimal(text);
  if (!read || read->taken != text.size()) return std::nullopt;
  return read->value;
}

}  // namespace

std::optional<double> tryTextToReal(std::string_view text, const NumberFormat& format) {
  if (std::optional<double> plain = plainDecimal(text, format)) return plain;
  std::string converted = firstCommaToPoint(text, format.RB_EN);
  std::string_view rest(converted);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  std::string normalized;
  std::size_t taken = scanDecimal(rest, format.decimalSeparator, normalized);
  if (taken == 0 || taken != rest.size()) return std::nullopt;
  double value = toDouble(normalized);
  if (std::isinf(value)) return std::nullopt;
  return value;
}

std::optional<float> tryTextToFloat(std::string_view text, const NumberFormat& format) {
  std::optional<double> value = tryTextToReal(text, format);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

std::optional<std::int32_t> tryTextToInteger(std::string_view text, const NumberFormat& format) {
  std::string_view trimmed = trim(text);
  std::string converted = firstCommaToPoint(trimmed, format.RB_EN);
  std::string_view rest(converted);
  bool negative = false;
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    negative = rest[0] == '-';
    rest.remove_prefix(1);
  }
  if (rest.empty()) return std::nullopt;
  long long value = 0;
  for (char c : rest) {
    if (!isDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

double textToReal(std::string_view text, const NumberFormat& format) {
  std::optional<double> value = tryTextToReal(text, format);
  if (!value) throw ConversionError(text);
  return *value;
}

float textToFloat(std::string_view text, const NumberFormat& format) {
  std::optional<float> value = tryTextToFloat(text, format);
  if (!value) throw ConversionError(text);
  return *value;
}

std::int32_t textToInteger(std::string_view text, const NumberFormat& format) {
  std::optional<std::int32_t> value = tryTextToInteger(text, format);
  if (!value) throw ConversionError(trim(text));
  return *value;
}

double readLeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  std::string normalized;
  if (scanDecimal(text.substr(i), '.', normalized) == 0) return 0;
  return toDouble(normalized);
}

std::uint16_t low16(double value) {
  if (!std::isfinite(value)) return 0;
  double remainder = std::fmod(std::trunc(value), 65536.0);  // exact
  if (remainder < 0) remainder += 65536.0;
  return static_cast<std::uint16_t>(remainder);
}

}  // namespace brisel
