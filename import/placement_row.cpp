#include "import/placement_row.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/component_row.h"
#include "core/numbers.h"
#include "core/text.h"

namespace brisel::placements {

namespace {

// A number of the file: a decimal comma where the comma does not separate the
// fields, and a unit after it ("1250mil", "58.674mm").
std::optional<double> number(std::string_view text, Unit& unit) {
  text = trim(text);
  // Nearly every number is plain, with or without its unit: read in one pass.
  if (std::optional<LeadingDecimal> plain = leadingPlainDecimal(text)) {
    if (plain->taken == text.size()) return plain->value;
    if (auto suffix = unitWord(text.substr(plain->taken))) {
      unit = *suffix;
      return plain->value;
    }
  }
  std::size_t letters = text.size();
  while (letters > 0 && isLetter(text[letters - 1])) --letters;
  if (letters < text.size()) {
    auto suffix = unitWord(text.substr(letters));
    if (!suffix) return std::nullopt;
    unit = *suffix;
    text = trim(text.substr(0, letters));
  }
  // A point first, as nearly every file writes; a decimal comma only in a
  // number without a point.
  if (std::optional<double> value = tryTextToReal(text, NumberFormat{'.', false})) return value;
  if (text.find(',') == std::string_view::npos || text.find('.') != std::string_view::npos)
    return std::nullopt;
  return tryTextToReal(text, NumberFormat{',', false});
}

bool sameLowered(std::string_view text, std::string_view lowerCase) {
  return text.size() == lowerCase.size() &&
         std::equal(text.begin(), text.end(), lowerCase.begin(),
                    [](char a, char b) { return lower(a) == b; });
}

// The side a CAD tool's word says: T, B, or 0 for a word it does not know.
char cadSide(std::string_view text) {
  // Views made once: a list of plain literals measures each one every row.
  static constexpr std::array<std::string_view, 6> kTop{"top",  "t",     "toplayer",
                                                        "f.cu", "front", "no"};
  static constexpr std::array<std::string_view, 7> kBottom{
      "bottom", "b", "bottomlayer", "b.cu", "back", "yes", "m"};
  std::string_view side = trim(text);
  for (std::string_view top : kTop)
    if (sameLowered(side, top)) return 'T';
  for (std::string_view bottom : kBottom)
    if (sameLowered(side, bottom)) return 'B';
  return 0;
}

}  // namespace

std::string_view decimal(long value, std::array<char, 32>& buffer) {
  auto* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

Reader::Reader(const Layout& layout, Unit givenUnit, const Controls& controls,
               std::string_view name)
    : layout_(layout),
      givenUnit_(givenUnit),
      controls_(controls),
      name_(name),
      askNotToPlace_(!controls.keepDnp &&
                     (layout.index[kDnp] >= 0 || layout.index[kPopulate] >= 0)) {
  for (int f = 0; f < kFieldCount; ++f) {
    const int index = layout.index[f];
    if (index < 0) continue;
    const auto column = static_cast<std::size_t>(index);
    if (column >= fieldsAt_.size()) fieldsAt_.resize(column + 1, 0);
    fieldsAt_[column] |= 1U << f;
  }
}

void Reader::fail(const Piece& piece, long line) const {
  std::string text = gridText(pieceText(piece));
  throw ConversionError(text).inFile(toLatin1(name_), line, text);
}

// The fields of a data line: by index, or by where the header's names stand
// when the line's fields do not match them (a padded table with an empty
// cell, or a text holding spaces).
void Reader::fieldsOf(std::string_view line) {
  fields_.fill(Piece{});
  if (layout_.separator != Separator::spaces) {
    cut(line, markOf(layout_.separator));
    return;
  }
  split(line, layout_.separator, pieces_);
  if (layout_.header && pieces_.size() != layout_.columns.size()) {
    byPosition(line);
    return;
  }
  for (int f = 0; f < kFieldCount; ++f) {
    int index = layout_.index[f];
    if (index >= 0 && static_cast<std::size_t>(index) < pieces_.size())
      fields_[f] = pieces_[static_cast<std::size_t>(index)];
  }
}

// The fields of a line cut at `mark`, as split() cuts it, up to the last
// column a field is read from.
void Reader::cut(std::string_view line, char mark) {
  std::size_t at = 0;
  for (const unsigned taken : fieldsAt_) {
    const Piece piece = separatedField(line, at, mark);
    for (unsigned bits = taken; bits != 0; bits &= bits - 1)
      fields_[std::countr_zero(bits)] = piece;
    if (at >= line.size()) return;
    ++at;  // the separator
  }
}

void Reader::byPosition(std::string_view line) {
  const std::vector<Column>& columns = layout_.columns;
  std::vector<std::pair<std::size_t, std::size_t>> spans(columns.size(),
                                                         {std::string_view::npos, 0});
  for (const Piece& piece : pieces_) {
    std::size_t byStart = 0;
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (columns[c].start <= piece.start) byStart = c;
    // A number stands right-aligned under its name, so it may start under
    // a column before: it belongs to the last numeric column it reaches.
    std::size_t chosen = byStart;
    Unit ignored = Unit::none;
    if (number(piece.text, ignored))
      for (std::size_t c = byStart + 1; c < columns.size() && columns[c].start < piece.end; ++c)
        if (columns[c].numeric) chosen = c;
    auto& span = spans[chosen];
    span.first = std::min(span.first, piece.start);
    span.second = std::max(span.second, piece.end);
  }
  for (int f = 0; f < kFieldCount; ++f) {
    int index = layout_.index[f];
    if (index < 0 || static_cast<std::size_t>(index) >= spans.size()) continue;
    auto [start, end] = spans[static_cast<std::size_t>(index)];
    if (start == std::string_view::npos) continue;
    std::string_view text = line.substr(start, end - start);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
      text = text.substr(1, text.size() - 2);
    fields_[f] = {text, start, end, false};
  }
}

float Reader::coordinate(Field f, long line) const {
  Unit valueUnit = Unit::none;
  auto value = number(fields_[f].text, valueUnit);
  if (!value) fail(fields_[f], line);
  Unit unit = layout_.suffix[f];
  if (unit == Unit::none) unit = valueUnit;
  if (unit == Unit::none) unit = layout_.declared;
  if (unit == Unit::none) unit = givenUnit_;
  if (unit == Unit::none) unit = controls_.RB_mils ? Unit::mil : Unit::mm;
  double mm = *value * unitFactor(unit);
  if (!(std::fabs(mm) <= std::numeric_limits<float>::max())) fail(fields_[f], line);
  return static_cast<float>(mm);
}

int Reader::angle(long line) const {
  const std::string_view text = trim(fields_[kAngle].text);
  if (text.empty()) return 0;
  Unit ignored = Unit::none;
  auto value = number(text, ignored);
  if (!value || ignored != Unit::none) fail(fields_[kAngle], line);
  double turned = std::round(*value);  // halves away from zero
  if (turned >= 0 && turned < 360) return static_cast<int>(turned);
  turned = std::fmod(turned, 360.0);
  if (turned < 0) turned += 360.0;
  return static_cast<int>(turned) % 360;
}

// A DNP column that says so, or a populate column that says no; none when
// the operator keeps every row.
bool Reader::markedNotToPlace() {
  if (!askNotToPlace_) return false;
  static constexpr std::array<std::string_view, 6> kDnpWords{"yes", "1", "true", "x", "dnp", "dnf"};
  static constexpr std::array<std::string_view, 3> kNoWords{"no", "0", "false"};
  const std::string_view dnp = trim(pieceView(fields_[kDnp], texts_[4]));
  for (std::string_view word : kDnpWords)
    if (sameLowered(dnp, word)) return true;
  const std::string_view populate = trim(pieceView(fields_[kPopulate], texts_[4]));
  for (std::string_view word : kNoWords)
    if (sameLowered(populate, word)) return true;
  return false;
}

RowKind Reader::row(std::string_view line, long number, long k) {
  fieldsOf(line);
  std::string_view reference = gridField(fields_[kRef], texts_[0]);
  if (reference.empty()) return RowKind::noReference;
  if (markedNotToPlace()) return RowKind::notToPlace;
  float x = coordinate(kX, number);
  float y = coordinate(kY, number);
  int turned = angle(number);
  cells[0] = decimal(k, numbers_[0]);
  cells[1] = reference;
  cells[2] = gridField(fields_[kValue], texts_[1]);
  if (cells[2].empty()) cells[2] = "???";
  char side = cadSide(pieceView(fields_[kSide], texts_[2]));
  cells[3] = side == 'T' ? sideCell(Side::top) : side == 'B' ? sideCell(Side::bottom) : "";
  reals_[0] = formatRealText(x, controls_.decimalSeparator);
  reals_[1] = formatRealText(y, controls_.decimalSeparator);
  cells[4] = reals_[0].view();
  cells[5] = reals_[1].view();
  cells[6] = decimal(turned, numbers_[1]);
  cells[7] = gridField(fields_[kFootprint], texts_[3]);
  cells[8] = gridField(fields_[kBoard], texts_[4]);
  return RowKind::component;
}

}  // namespace brisel::placements
