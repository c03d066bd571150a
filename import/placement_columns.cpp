#include "import/placement_columns.h"

#include <algorithm>

#include "core/text.h"
#include "import/placement_text.h"

namespace brisel::placements {

namespace {

constexpr std::size_t kShapeLines = 20;

// In the order --columns lists them.
constexpr std::array<Field, kFieldCount> kListed{kRef,   kX,         kY,   kAngle,    kSide,
                                                 kValue, kFootprint, kDnp, kPopulate, kBoard};
constexpr std::array<std::string_view, kFieldCount> kKeys{
    "ref", "x", "y", "value", "footprint", "angle", "side", "dnp", "populate", "board"};

struct Name {
  std::string key;  // lower case letters and digits only
  Unit unit = Unit::none;
};

Name nameOf(std::string_view raw) {
  Name name;
  std::string_view text = trim(raw);
  if (text.ends_with(')') || text.ends_with(']')) {
    std::size_t open = text.find_last_of("([");
    if (open != std::string_view::npos) {
      if (auto unit = unitWord(text.substr(open + 1, text.size() - open - 2))) {
        name.unit = *unit;
        text = text.substr(0, open);
      }
    }
  }
  for (char c : text)
    if (isLetter(c) || isDigit(c)) name.key += lower(c);
  return name;
}

struct Role {
  Field field;
  int rank;  // a centre beats a plain X, which beats a reference point, then a pad
};

struct Synonym {
  std::string_view key;
  Field field;
  int rank;
};

constexpr Synonym kSynonyms[] = {
    {"designator", kRef, 1},
    {"ref", kRef, 1},
    {"refdes", kRef, 1},
    {"reference", kRef, 1},
    {"referencedesignator", kRef, 1},
    {"value", kValue, 2},
    {"val", kValue, 2},
    {"comment", kValue, 1},
    {"compvalue", kValue, 2},
    {"footprint", kFootprint, 1},
    {"package", kFootprint, 1},
    {"pattern", kFootprint, 1},
    {"comppackage", kFootprint, 1},
    {"midx", kX, 3},
    {"centerx", kX, 3},
    {"centrex", kX, 3},
    {"symcenterx", kX, 3},
    {"x", kX, 2},
    {"posx", kX, 2},
    {"positionx", kX, 2},
    {"symx", kX, 2},
    {"refx", kX, 1},
    {"padx", kX, 0},
    {"midy", kY, 3},
    {"centery", kY, 3},
    {"centrey", kY, 3},
    {"symcentery", kY, 3},
    {"y", kY, 2},
    {"posy", kY, 2},
    {"positiony", kY, 2},
    {"symy", kY, 2},
    {"refy", kY, 1},
    {"pady", kY, 0},
    {"rotation", kAngle, 1},
    {"rot", kAngle, 1},
    {"rotate", kAngle, 1},
    {"angle", kAngle, 1},
    {"symrotate", kAngle, 1},
    {"side", kSide, 1},
    {"layer", kSide, 1},
    {"tb", kSide, 1},
    {"symmirror", kSide, 1},
    {"dnp", kDnp, 1},
    {"dnf", kDnp, 1},
    {"populate", kPopulate, 1},
    {"fitted", kPopulate, 1},
    {"mount", kPopulate, 1},
    {"montare", kPopulate, 1},
    {"board", kBoard, 1},
};

std::optional<Role> roleOf(std::string_view key) {
  for (const Synonym& s : kSynonyms)
    if (s.key == key) return Role{s.field, s.rank};
  return std::nullopt;
}

std::optional<Field> fieldOfKey(std::string_view key) {
  std::string k = lowered(trim(key));
  for (int f = 0; f < kFieldCount; ++f)
    if (kKeys[f] == k) return static_cast<Field>(f);
  if (k == "reference" || k == "designator") return kRef;
  if (k == "val") return kValue;
  if (k == "package") return kFootprint;
  if (k == "rotation" || k == "rot") return kAngle;
  return std::nullopt;
}

bool isNumericField(int f) {
  return f == kX || f == kY || f == kAngle;
}

// KiCad's "# Ref": the marks before the first name become blanks, so the
// names keep their positions.
std::string unmarked(std::string_view line) {
  std::string cleaned(line);
  for (char& c : cleaned) {
    if (c == '#')
      c = ' ';
    else if (!isBlank(c))
      break;
  }
  return cleaned;
}

// Words of a space-separated header joined where together they name a column
// ("Mid X"), and a unit written apart ("X (mm)") joined to its name.
std::vector<Piece> joinNames(std::string_view line, const std::vector<Piece>& words) {
  std::vector<Piece> names;
  for (std::size_t i = 0; i < words.size();) {
    std::size_t take = 1;
    for (std::size_t k = 3; k >= 2; --k) {
      if (i + k > words.size()) continue;
      std::string joined;
      for (std::size_t w = i; w < i + k; ++w) joined += std::string(words[w].text) + ' ';
      if (roleOf(nameOf(joined).key)) {
        take = k;
        break;
      }
    }
    Piece piece{line.substr(words[i].start, words[i + take - 1].end - words[i].start),
                words[i].start, words[i + take - 1].end, false};
    if (words[i].text.data() != line.data() + words[i].start) piece.text = words[i].text;  // quoted
    i += take;
    if (i < words.size() && nameOf(words[i].text).key.empty() &&
        nameOf("x" + std::string(words[i].text)).unit != Unit::none) {
      piece.end = words[i].end;
      piece.text = line.substr(piece.start, piece.end - piece.start);
      ++i;
    }
    names.push_back(piece);
  }
  return names;
}

// The columns a header line names, `given` applied; the layout is complete when
// it names a reference, an X and a Y.
Layout headerLayout(std::string_view line, const Given& given, std::vector<Piece>& pieces,
                    bool joinWords) {
  Layout layout;
  std::string cleaned = unmarked(line);
  layout.separator = separatorOf(cleaned);
  split(cleaned, layout.separator, pieces);
  if (layout.separator == Separator::spaces && joinWords) pieces = joinNames(cleaned, pieces);
  layout.index.fill(-1);
  std::array<int, kFieldCount> rank{};
  for (std::size_t c = 0; c < pieces.size(); ++c) {
    Column column{utf8Text(pieceText(pieces[c])), pieces[c].start, pieces[c].end};
    Name name = nameOf(column.name);
    for (int f = 0; f < kFieldCount; ++f) {
      if (given.given[f] && given.number[f] == 0 && given.name[f] == name.key) {
        layout.index[f] = static_cast<int>(c);
        rank[f] = 100;
        layout.suffix[f] = name.unit;
      }
    }
    if (auto role = roleOf(name.key)) {
      int f = role->field;
      if (!given.given[f] && (layout.index[f] < 0 || role->rank > rank[f])) {
        layout.index[f] = static_cast<int>(c);
        rank[f] = role->rank;
        layout.suffix[f] = name.unit;
      }
    }
    layout.columns.push_back(std::move(column));
  }
  for (int f = 0; f < kFieldCount; ++f) {
    if (given.number[f] > 0) layout.index[f] = given.number[f] - 1;
    if (layout.index[f] >= 0 && static_cast<std::size_t>(layout.index[f]) < layout.columns.size())
      layout.columns[static_cast<std::size_t>(layout.index[f])].numeric = isNumericField(f);
  }
  layout.header = layout.complete();
  return layout;
}

std::string columnsText(const Layout& layout) {
  std::string text;
  for (Field f : kListed) {
    int index = layout.index[f];
    if (index < 0) continue;
    std::string what = std::to_string(index + 1);
    if (layout.header && static_cast<std::size_t>(index) < layout.columns.size()) {
      const std::string& name = layout.columns[static_cast<std::size_t>(index)].name;
      if (!name.empty() && name.find_first_of(",=") == std::string::npos && nameOf(name).key.size())
        what = name;
    }
    text += (text.empty() ? "" : ",") + std::string(kKeys[f]) + "=" + what;
  }
  return text;
}

// The layout of a file without a header: the separator of its first line
// that may be a component, the columns given by number.
void layoutWithoutHeader(Layout& layout, const std::vector<std::string_view>& seen,
                         const Given& given) {
  std::string_view first;
  for (std::string_view l : seen)
    if (!skippable(l) && !declaration(l)) {
      first = l;
      break;
    }
  layout.separator = separatorOf(first);
  layout.index.fill(-1);
  for (int f = 0; f < kFieldCount; ++f)
    if (given.number[f] > 0) layout.index[f] = given.number[f] - 1;
}

// The header within the first kHeaderSearch lines, the preamble's unit, the
// first line for the message.
Scan findHeader(std::string_view text, const Given& given) {
  Scan result;
  Lines lines(text);
  std::string_view line;
  std::vector<Piece> pieces;
  std::vector<std::string_view> seen;
  // Columns given by number: a file without a header, every line a component.
  const bool byNumber = given.number[kRef] > 0 && given.number[kX] > 0 && given.number[kY] > 0;
  while (lines.next(line) && lines.number() <= kHeaderSearch) {
    if (trim(line).empty()) continue;
    if (!result.anyLine) result.firstLine = utf8Text(trim(line));
    result.anyLine = true;
    seen.push_back(line);
    if (auto unit = declaration(line)) result.layout.declared = *unit;
    if (byNumber || (line.front() == '#' && trim(line.substr(1)).starts_with("#"))) continue;
    Layout layout = headerLayout(line, given, pieces, true);
    if (!layout.header) layout = headerLayout(line, given, pieces, false);
    if (layout.header) {
      layout.declared = result.layout.declared;
      layout.headerLine = lines.number();
      result.layout = std::move(layout);
      break;
    }
  }
  if (!result.layout.header) layoutWithoutHeader(result.layout, seen, given);
  return result;
}

// The first kShapeLines lines that are not empty, split as they are read,
// the header's cells its columns' names.
void shapeLines(std::string_view text, const Layout& layout, FileShape& shape) {
  Lines lines(text);
  std::string_view line;
  std::vector<Piece> pieces;
  while (lines.next(line) && shape.lines.size() < kShapeLines) {
    if (trim(line).empty()) continue;
    const bool header = lines.number() == layout.headerLine;
    std::string cleaned = header ? unmarked(line) : std::string(line);
    Separator separator = layout.header || layout.complete() ? layout.separator : separatorOf(line);
    split(cleaned, separator, pieces);
    if (header && separator == Separator::spaces) pieces = joinNames(cleaned, pieces);
    std::vector<std::string> cells;
    for (const Piece& piece : pieces) cells.push_back(utf8Text(pieceText(piece)));
    if (header) {
      cells.clear();
      for (const Column& column : layout.columns) cells.push_back(column.name);
      shape.headerLine = static_cast<int>(shape.lines.size());
    }
    shape.lines.push_back(std::move(cells));
  }
}

}  // namespace

std::optional<Unit> unitWord(std::string_view word) {
  std::string w = lowered(trim(word));
  if (w == "mm" || w == "millimeter" || w == "millimeters" || w == "millimetre" ||
      w == "millimetres")
    return Unit::mm;
  if (w == "mil" || w == "mils") return Unit::mil;
  if (w == "in" || w == "inch" || w == "inches") return Unit::in;
  return std::nullopt;
}

std::string_view unitName(Unit unit) {
  switch (unit) {
    case Unit::mm:
      return "mm";
    case Unit::mil:
      return "mil";
    case Unit::in:
      return "in";
    case Unit::none:
      break;
  }
  return {};
}

double unitFactor(Unit unit) {
  switch (unit) {
    case Unit::mil:
      return 0.0254;
    case Unit::in:
      return 25.4;
    default:
      return 1.0;
  }
}

Unit unitOf(std::string_view text) {
  return unitWord(text).value_or(Unit::none);
}

std::optional<Given> parseGiven(std::string_view text) {
  Given given;
  while (!trim(text).empty()) {
    std::size_t comma = text.find(',');
    std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    auto field = fieldOfKey(item.substr(0, equals));
    std::string_view what = trim(item.substr(equals + 1));
    if (!field || what.empty()) return std::nullopt;
    if (std::all_of(what.begin(), what.end(), isDigit)) {
      if (what.size() > 4) return std::nullopt;
      int number = std::stoi(std::string(what));
      if (number < 1) return std::nullopt;
      given.number[*field] = number;
    } else {
      given.name[*field] = nameOf(what).key;
      if (given.name[*field].empty()) return std::nullopt;
    }
    given.given[*field] = true;
  }
  return given;
}

std::optional<Unit> declaration(std::string_view line) {
  std::string text = lowered(trim(line));
  std::string_view rest(text);
  while (!rest.empty() && (rest.front() == '#' || isBlank(rest.front()))) rest.remove_prefix(1);
  if (!(rest.starts_with("unit") || rest.starts_with("uunits"))) return std::nullopt;
  std::size_t mark = rest.find_first_of(":=");
  if (mark == std::string_view::npos) return std::nullopt;
  rest.remove_prefix(mark + 1);
  while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
  std::size_t word = 0;
  while (word < rest.size() && isLetter(rest[word])) ++word;
  return unitWord(rest.substr(0, word));
}

bool skippable(std::string_view line) {
  std::string_view text = trim(line);
  if (text.empty() || text.front() == '#') return true;
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '=' || c == '-' || isBlank(c); });
}

Scan scan(std::string_view text, const Given& given, Unit givenUnit) {
  Scan result = findHeader(text, given);
  const Layout& layout = result.layout;
  FileShape& shape = result.shape;
  shapeLines(text, layout, shape);
  shape.columns = columnsText(layout);
  Unit unit = layout.declared;
  if (unit == Unit::none && layout.index[kX] >= 0) unit = layout.suffix[kX];
  if (unit == Unit::none) unit = givenUnit;
  shape.unit = std::string(unitName(unit));
  shape.complete = layout.complete();
  return result;
}

}  // namespace brisel::placements
