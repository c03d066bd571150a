// Placement files of CAD tools. The file's bytes are decoded once (a UTF-16
// file to UTF-8; other bytes are kept and each field is taken as UTF-8 when it
// is valid, else as Latin-1, since real exports mix the two), split into lines
// and fields, and the header found by the names it gives its columns.
#include "import/placement_file.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <thread>

#include "core/lines.h"
#include "core/numbers.h"
#include "core/platform.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace placements {

namespace {

// Column 4 of the table: T or B.
constexpr int kSideColumn = 4;
constexpr long kHeaderSearch = 60;
constexpr std::size_t kShapeLines = 20;
constexpr std::size_t kShownFirstLine = 60;
// A file of this size or more is read in parts, two at a time.
constexpr std::size_t kPartBytes = 64 * 1024;
constexpr std::size_t kParts = 8;

enum Field : int { kRef, kX, kY, kValue, kFootprint, kAngle, kSide, kFieldCount };
// In the order --columns lists them.
constexpr std::array<Field, kFieldCount> kListed{kRef, kX, kY, kAngle, kSide, kValue, kFootprint};
constexpr std::array<std::string_view, kFieldCount> kKeys{"ref",       "x",     "y",   "value",
                                                          "footprint", "angle", "side"};

enum class Unit { none, mm, mil, in };

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isLetter(char c) {
  c = lower(c);
  return c >= 'a' && c <= 'z';
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lower(c);
  return out;
}

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

// ---- Decoding --------------------------------------------------------------

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string fromUtf16(std::string_view bytes, bool little) {
  std::string out;
  out.reserve(bytes.size() / 2 + 16);
  auto unit = [&](std::size_t at) -> char32_t {
    auto a = static_cast<unsigned char>(bytes[at]);
    auto b = static_cast<unsigned char>(bytes[at + 1]);
    return little ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    char32_t code = unit(at);
    if (code >= 0xD800 && code <= 0xDBFF && at + 3 < bytes.size()) {
      char32_t next = unit(at + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00));
        at += 2;
        continue;
      }
    }
    appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? char32_t{0xFFFD} : code);
  }
  return out;
}

struct Decoded {
  std::string owned;
  std::string_view text;
};

Decoded decode(std::string_view bytes) {
  Decoded decoded;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    decoded.text = bytes.substr(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    decoded.owned = fromUtf16(bytes.substr(2), bytes[0] == '\xFF');
    decoded.text = decoded.owned;
  } else {
    decoded.text = bytes;
  }
  return decoded;
}

bool validUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80                 ? 1
                         : c >= 0xC2 && c <= 0xDF ? 2
                         : c >= 0xE0 && c <= 0xEF ? 3
                         : c >= 0xF0 && c <= 0xF4 ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

bool plainAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A field as the grid holds text: Latin-1, other characters '?'.
std::string gridText(std::string_view text) {
  return plainAscii(text) ? std::string(text) : toLatin1(text);
}

// A field as UTF-8, for the dialog and the messages.
std::string utf8Text(std::string_view text) {
  return validUtf8(text) ? std::string(text) : latin1ToUtf8(text);
}

// ---- Lines and fields ------------------------------------------------------

// The lines of the text: ends LF or CR LF, or CR in a file that has no LF.
char lineEndOf(std::string_view text) {
  return text.find('\n') == std::string_view::npos ? '\r' : '\n';
}

class Lines {
 public:
  explicit Lines(std::string_view text) : Lines(text, lineEndOf(text), 0) {}
  // A part of a text that ends its lines with `end`, after `before` lines.
  Lines(std::string_view text, char end, long before) : rest_(text), end_(end), number_(before) {}
  bool next(std::string_view& line) {
    if (done_) return false;
    if (++number_ > LineReader::kMaxLines)
      throw InputTooLong("File troppo lungo: supera " + std::to_string(LineReader::kMaxLines) +
                         " righe; lettura interrotta");
    std::size_t at = rest_.find(end_);
    if (at == std::string_view::npos) {
      line = rest_;
      done_ = true;
      if (line.empty()) return false;
    } else {
      line = rest_.substr(0, at);
      rest_.remove_prefix(at + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }
  long number() const { return number_; }

 private:
  std::string_view rest_;
  char end_;
  long number_;
  bool done_ = false;
};

enum class Separator { tab, semicolon, comma, spaces };

Separator separatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return Separator::tab;
  if (line.find(';') != std::string_view::npos) return Separator::semicolon;
  if (line.find(',') != std::string_view::npos) return Separator::comma;
  return Separator::spaces;
}

char markOf(Separator separator) {
  return separator == Separator::tab ? '\t' : separator == Separator::semicolon ? ';' : ',';
}

// A field of a line: its bytes (inside the quotes when quoted) and where it
// stands in the line.
struct Piece {
  std::string_view text;
  std::size_t start = 0;
  std::size_t end = 0;
  bool doubledQuotes = false;
};

std::string pieceText(const Piece& piece) {
  if (!piece.doubledQuotes) return std::string(trim(piece.text));
  std::string out;
  for (std::size_t i = 0; i < piece.text.size(); ++i) {
    out += piece.text[i];
    if (piece.text[i] == '"' && i + 1 < piece.text.size() && piece.text[i + 1] == '"') ++i;
  }
  return std::string(trim(out));
}

// pieceText without a copy where no doubled quote is undone.
std::string_view pieceView(const Piece& piece, std::string& scratch) {
  if (!piece.doubledQuotes) return trim(piece.text);
  scratch = pieceText(piece);
  return scratch;
}

// A field as the grid holds it, without a copy where it is plain.
std::string_view gridField(const Piece& piece, std::string& scratch) {
  std::string_view text = pieceView(piece, scratch);
  if (plainAscii(text)) return text;
  std::string latin1 = toLatin1(text);
  scratch = std::move(latin1);
  return scratch;
}

// A quoted field from `at` (on its opening quote); `at` ends after the closing one.
Piece quoted(std::string_view line, std::size_t& at) {
  Piece piece;
  piece.start = at;
  const std::size_t open = ++at;
  while (true) {
    while (at < line.size() && line[at] != '"') ++at;
    if (at + 1 >= line.size() || line[at + 1] != '"') break;
    piece.doubledQuotes = true;
    at += 2;
  }
  piece.text = line.substr(open, at - open);
  if (at < line.size()) ++at;  // the closing quote
  piece.end = at;
  return piece;
}

// The field of a line cut at `mark` from `at`; `at` ends on the mark after it,
// or at the end of the line. Fields are short: bytes are compared in a loop
// rather than searched for with a call.
Piece separatedField(std::string_view line, std::size_t& at, char mark) {
  const std::size_t start = at;
  while (at < line.size() && line[at] == ' ') ++at;
  if (at < line.size() && line[at] == '"') {
    Piece piece = quoted(line, at);
    while (at < line.size() && line[at] != mark) ++at;
    return piece;
  }
  at = start;
  while (at < line.size() && line[at] != mark) ++at;
  return {line.substr(start, at - start), start, at, false};
}

void split(std::string_view line, Separator separator, std::vector<Piece>& pieces) {
  pieces.clear();
  if (separator == Separator::spaces) {
    std::size_t at = 0;
    while (true) {
      while (at < line.size() && isBlank(line[at])) ++at;
      if (at >= line.size()) return;
      if (line[at] == '"') {
        pieces.push_back(quoted(line, at));
        continue;
      }
      std::size_t start = at;
      while (at < line.size() && !isBlank(line[at])) ++at;
      pieces.push_back({line.substr(start, at - start), start, at, false});
    }
  }
  const char mark = markOf(separator);
  std::size_t at = 0;
  while (true) {
    pieces.push_back(separatedField(line, at, mark));
    if (at >= line.size()) return;
    ++at;  // the separator
  }
}

// ---- Header names ----------------------------------------------------------

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

std::optional<Role> roleOf(std::string_view key) {
  struct Synonym {
    std::string_view key;
    Field field;
    int rank;
  };
  static constexpr Synonym kSynonyms[] = {
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
  };
  for (const Synonym& s : kSynonyms)
    if (s.key == key) return Role{s.field, s.rank};
  return std::nullopt;
}

// What --columns says: a name or a 1-based number for each field given.
struct Given {
  std::array<std::string, kFieldCount> name;  // the key of the name
  std::array<int, kFieldCount> number{};      // 0 when not given by number
  std::array<bool, kFieldCount> given{};
};

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

// ---- The layout of the file ------------------------------------------------

struct Column {
  std::string name;  // as the header writes it, trimmed
  std::size_t start = 0;
  std::size_t end = 0;
  bool numeric = false;
};

struct Layout {
  Separator separator = Separator::comma;
  bool header = false;
  std::vector<Column> columns;             // the header's
  std::array<int, kFieldCount> index{};    // 0-based column of each field; -1 none
  std::array<Unit, kFieldCount> suffix{};  // the unit a column's name gives
  Unit declared = Unit::none;              // the preamble's
  long headerLine = 0;                     // its number in the file; 0 with no header
  Layout() { index.fill(-1); }
  bool complete() const { return index[kRef] >= 0 && index[kX] >= 0 && index[kY] >= 0; }
};

// A unit declaration: "## Unit = mm, Angle = deg.", "Units used: mil",
// "# Unit: mm", "UUNITS = MILLIMETERS".
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

bool isNumericField(int f) {
  return f == kX || f == kY || f == kAngle;
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
  std::string cleaned(line);
  for (char& c : cleaned) {  // KiCad's "# Ref": the marks become blanks, positions stay
    if (c == '#')
      c = ' ';
    else if (!isBlank(c))
      break;
  }
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

struct Scan {
  Layout layout;
  FileShape shape;
  std::string firstLine;  // the first line that is not empty, for the message
  bool anyLine = false;
};

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

Scan scan(std::string_view text, const Given& given, Unit givenUnit) {
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
  Layout& layout = result.layout;
  if (!layout.header) {
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
  // The shape: the lines seen, then more up to kShapeLines.
  FileShape& shape = result.shape;
  Lines again(text);
  while (again.next(line) && shape.lines.size() < kShapeLines) {
    if (trim(line).empty()) continue;
    std::string cleaned(line);
    if (again.number() == layout.headerLine)
      for (char& c : cleaned) {
        if (c == '#')
          c = ' ';
        else if (!isBlank(c))
          break;
      }
    Separator separator = layout.header || layout.complete() ? layout.separator : separatorOf(line);
    split(cleaned, separator, pieces);
    if (again.number() == layout.headerLine && separator == Separator::spaces)
      pieces = joinNames(cleaned, pieces);
    std::vector<std::string> cells;
    for (const Piece& piece : pieces) cells.push_back(utf8Text(pieceText(piece)));
    if (again.number() == layout.headerLine) {
      cells.clear();
      for (const Column& column : layout.columns) cells.push_back(column.name);
      shape.headerLine = static_cast<int>(shape.lines.size());
    }
    shape.lines.push_back(std::move(cells));
  }
  shape.columns = columnsText(layout);
  Unit unit = layout.declared;
  if (unit == Unit::none && layout.index[kX] >= 0) unit = layout.suffix[kX];
  if (unit == Unit::none) unit = givenUnit;
  shape.unit = std::string(unitName(unit));
  shape.complete = layout.complete();
  return result;
}

// ---- Rows ------------------------------------------------------------------

using Row = std::array<std::string, 8>;
// A row's cells as views, before they are copied.
using Cells = std::array<std::string_view, 8>;

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

char sideOf(std::string_view text) {
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

// A whole number's text, in `buffer`.
std::string_view decimal(long value, std::array<char, 32>& buffer) {
  auto* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

class Reader {
 public:
  Reader(const Layout& layout, Unit givenUnit, const Controls& controls, std::string_view name)
      : layout(layout), givenUnit(givenUnit), controls(controls), name(name) {
    for (int f = 0; f < kFieldCount; ++f) {
      const int index = layout.index[f];
      if (index < 0) continue;
      const auto column = static_cast<std::size_t>(index);
      if (column >= fieldsAt_.size()) fieldsAt_.resize(column + 1, 0);
      fieldsAt_[column] |= 1U << f;
    }
  }

  const Layout& layout;
  Unit givenUnit;
  const Controls& controls;
  std::string_view name;
  std::vector<Piece> pieces;
  std::array<Piece, kFieldCount> fields;

  [[noreturn]] void fail(const Piece& piece, long line) const {
    std::string text = gridText(pieceText(piece));
    throw ConversionError(text).inFile(toLatin1(name), line, text);
  }

  // The fields of a data line: by index, or by where the header's names
  // stand when the line's fields do not match them (a padded table with an
  // empty cell, or a text holding spaces).
  void fieldsOf(std::string_view line) {
    fields.fill(Piece{});
    if (layout.separator != Separator::spaces) {
      cut(line, markOf(layout.separator));
      return;
    }
    split(line, layout.separator, pieces);
    if (layout.header && pieces.size() != layout.columns.size()) {
      byPosition(line);
      return;
    }
    for (int f = 0; f < kFieldCount; ++f) {
      int index = layout.index[f];
      if (index >= 0 && static_cast<std::size_t>(index) < pieces.size())
        fields[f] = pieces[static_cast<std::size_t>(index)];
    }
  }

  // The fields of a line cut at `mark`, as split() cuts it, up to the last
  // column a field is read from.
  void cut(std::string_view line, char mark) {
    std::size_t at = 0;
    for (const unsigned taken : fieldsAt_) {
      const Piece piece = separatedField(line, at, mark);
      for (unsigned bits = taken; bits != 0; bits &= bits - 1)
        fields[std::countr_zero(bits)] = piece;
      if (at >= line.size()) return;
      ++at;  // the separator
    }
  }

  void byPosition(std::string_view line) {
    const std::vector<Column>& columns = layout.columns;
    std::vector<std::pair<std::size_t, std::size_t>> spans(columns.size(),
                                                           {std::string_view::npos, 0});
    for (const Piece& piece : pieces) {
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
      int index = layout.index[f];
      if (index < 0 || static_cast<std::size_t>(index) >= spans.size()) continue;
      auto [start, end] = spans[static_cast<std::size_t>(index)];
      if (start == std::string_view::npos) continue;
      std::string_view text = line.substr(start, end - start);
      if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
      fields[f] = {text, start, end, false};
    }
  }

  float coordinate(Field f, long line) const {
    Unit valueUnit = Unit::none;
    auto value = number(fields[f].text, valueUnit);
    if (!value) fail(fields[f], line);
    Unit unit = layout.suffix[f];
    if (unit == Unit::none) unit = valueUnit;
    if (unit == Unit::none) unit = layout.declared;
    if (unit == Unit::none) unit = givenUnit;
    if (unit == Unit::none) unit = controls.RB_mils ? Unit::mil : Unit::mm;
    double mm = *value * unitFactor(unit);
    if (!(std::fabs(mm) <= std::numeric_limits<float>::max())) fail(fields[f], line);
    return static_cast<float>(mm);
  }

  int angle(long line) const {
    const std::string_view text = trim(fields[kAngle].text);
    if (text.empty()) return 0;
    Unit ignored = Unit::none;
    auto value = number(text, ignored);
    if (!value || ignored != Unit::none) fail(fields[kAngle], line);
    double turned = std::round(*value);  // halves away from zero
    if (turned >= 0 && turned < 360) return static_cast<int>(turned);
    turned = std::fmod(turned, 360.0);
    if (turned < 0) turned += 360.0;
    return static_cast<int>(turned) % 360;
  }

  // The row of component `k` in `cells`, false when the line has no
  // reference. The cells view the line and the reader's buffers: they hold
  // until the next row is read.
  bool row(std::string_view line, long number, long k) {
    fieldsOf(line);
    std::string_view reference = gridField(fields[kRef], texts[0]);
    if (reference.empty()) return false;
    float x = coordinate(kX, number);
    float y = coordinate(kY, number);
    int turned = angle(number);
    cells[0] = decimal(k, numbers[0]);
    cells[1] = reference;
    cells[2] = gridField(fields[kValue], texts[1]);
    if (cells[2].empty()) cells[2] = "???";
    char side = sideOf(pieceView(fields[kSide], texts[2]));
    cells[3] = side == 'T' ? "T" : side == 'B' ? "B" : "";
    reals[0] = formatRealText(x, controls.decimalSeparator);
    reals[1] = formatRealText(y, controls.decimalSeparator);
    cells[4] = reals[0].view();
    cells[5] = reals[1].view();
    cells[6] = decimal(turned, numbers[1]);
    cells[7] = gridField(fields[kFootprint], texts[3]);
    return true;
  }

  Cells cells;

 private:
  std::vector<unsigned> fieldsAt_;              // by column: a bit for each field read there
  std::array<std::string, 4> texts;             // fields that had to change
  std::array<std::array<char, 32>, 2> numbers;  // the whole numbers' texts
  std::array<RealText, 2> reals;
};

Unit unitOf(std::string_view text) {
  return unitWord(text).value_or(Unit::none);
}

// Every component of the file to `take`, in order, numbered from
// `numberedAfter` + 1; false from `take` stops. Returns the rows without a
// reference.
template <class Take>
long eachRow(Lines lines, Layout layout, Unit givenUnit, const Controls& controls,
             std::string_view name, Take take, long numberedAfter = 0) {
  Reader reader(layout, givenUnit, controls, name);
  std::string_view line;
  long k = 0;
  long skipped = 0;
  while (lines.next(line)) {
    if (lines.number() <= layout.headerLine || skippable(line)) continue;
    if (!layout.header) {
      if (auto unit = declaration(line)) {
        layout.declared = *unit;
        continue;
      }
    }
    if (!reader.row(line, lines.number(), numberedAfter + k + 1)) {
      ++skipped;
      continue;
    }
    ++k;
    importing::checkRowNumber(k, lines.number(), importing::kLastRow);
    if (!take(reader.cells, k)) break;
  }
  return skipped;
}

// ---- Reading in parts at once ---------------------------------------------

// Rows of a part of the file, read into a table of their own.
struct Part {
  std::string_view text;
  long linesBefore = 0;
  long room = 0;  // rows the table makes room for at once
  // The rows are numbered on from this: the data lines before the part, as
  // many as the rows before it unless a line was skipped there.
  long numberedAfter = 0;
  Grid table{kTableColumns, 0};
  long written = 0;
  long skipped = 0;
  std::exception_ptr failure;
};

struct Reading {
  const Layout& layout;
  Unit givenUnit;
  const Controls& controls;
  std::string_view name;
  char lineEnd;
};

// Lines are long enough for a search to beat a byte by byte count.
long countOf(std::string_view text, char c) {
  long count = 0;
  for (std::size_t at = text.find(c); at != std::string_view::npos; at = text.find(c, at + 1))
    ++count;
  return count;
}

// The text in parts cut at line ends, one part when the file is read whole.
// Only a large file with a header is cut, since one without may declare a
// new unit between its components; the header must fall in the first part;
// and the lines after it must be fewer than the table's rows, so that the
// table's limit never falls in a later part. The first part's table makes
// room for every row: the others' rows join it.
std::vector<Part> cutInParts(std::string_view text, const Reading& reading) {
  const Layout& layout = reading.layout;
  std::vector<Part> parts;
  parts.reserve(kParts);
  const bool large =
      text.size() >= kPartBytes && layout.header && std::thread::hardware_concurrency() >= 2;
  for (std::size_t start = 0, i = 1; start < text.size() || parts.empty(); ++i) {
    std::size_t end = text.size();
    if (large && i < kParts) {
      const std::size_t at = text.find(reading.lineEnd, std::max(start, text.size() / kParts * i));
      if (at != std::string_view::npos) end = at + 1;
    }
    Part& part = parts.emplace_back();
    part.text = text.substr(start, end - start);
    start = end;
  }
  long lines = 0;
  for (Part& part : parts) {
    part.linesBefore = lines;
    part.numberedAfter = lines - layout.headerLine;
    const long own = countOf(part.text, reading.lineEnd);
    part.room = own + 1;
    lines += own;
  }
  if (!text.ends_with(reading.lineEnd)) ++lines;
  parts[0].numberedAfter = 0;
  parts[0].room = lines;
  const bool apart = parts.size() > 1 && parts[1].linesBefore >= layout.headerLine &&
                     lines - layout.headerLine <= importing::kLastRow;
  if (!apart) {
    parts.resize(1);
    parts[0].text = text;
  }
  return parts;
}

// A row a line at most, and never more than the table can number: the table
// takes its rows at once, and the import gives back those left empty below
// the growth rule's nine at the end, as if it had grown row by row.
void readPart(Part& part, const Reading& reading) {
  try {
    part.table.setRowCount(static_cast<int>(std::min(part.room, importing::kLastRow) + 10));
    Lines lines(part.text, reading.lineEnd, part.linesBefore);
    part.skipped = eachRow(
        lines, reading.layout, reading.givenUnit, reading.controls, reading.name,
        [&part](const Cells& cells, long k) {
          const int r = static_cast<int>(k);
          part.table.growFor(r);
          part.table.setCells(1, r, cells);
          part.written = k;
          return true;
        },
        part.numberedAfter);
  } catch (...) {
    part.failure = std::current_exception();
  }
}

// The rows of a later part after those before it, numbered on from them.
void join(Part& first, Part& later) {
  first.skipped += later.skipped;
  first.failure = later.failure;
  if (later.written == 0) return;
  const long total = first.written + later.written;
  first.table.growFor(static_cast<int>(total));
  first.table.takeRows(std::move(later.table), 1, static_cast<int>(later.written),
                       static_cast<int>(first.written) + 1);
  if (first.written != later.numberedAfter) {  // a line before the part was skipped
    std::array<char, 32> number;
    for (long k = first.written + 1; k <= total; ++k)
      first.table.setCell(1, static_cast<int>(k), decimal(k, number));
  }
  first.written = total;
}

// Two threads take the parts in turn, the next free one the next part: a
// core slowed by other work reads fewer of them. The calling thread also
// joins each part read to those before it as soon as they are all read, in
// the file's order, so that little is left to join at the end. The first
// failing line in the file's order stops the joins.
void readParts(std::vector<Part>& parts, const Reading& reading) {
  std::vector<std::atomic<bool>> read(parts.size());
  std::atomic<std::size_t> next{0};
  std::size_t joined = 1;
  auto joinRead = [&] {
    if (!read[0].load(std::memory_order_acquire)) return;
    for (; joined < parts.size() && read[joined].load(std::memory_order_acquire); ++joined)
      if (!parts[0].failure) join(parts[0], parts[joined]);
  };
  auto take = [&](bool joining) {
    for (std::size_t i = next++; i < parts.size(); i = next++) {
      readPart(parts[i], reading);
      read[i].store(true, std::memory_order_release);
      if (joining) joinRead();
    }
  };
  {
    std::thread helper;
    if (parts.size() > 1) {
      try {
        helper = std::thread(take, false);
      } catch (const std::system_error&) {
        // no thread to be had: this one reads every part
      }
    }
    // waited for however this thread leaves (a join may fail for memory)
    struct Waited {
      std::thread& thread;
      ~Waited() {
        if (thread.joinable()) thread.join();
      }
    } waited{helper};
    take(true);
  }
  joinRead();
}

Text noHeaderMessage(std::string_view name, const std::string& firstLine) {
  std::string shown = firstLine.substr(0, std::min(firstLine.size(), kShownFirstLine));
  return Text(
      BRISEL_TRANSLATE_NOOP("Message",
                            "%1: nessuna intestazione con riferimento, X e Y nelle prime "
                            "%2 righe (prima riga: '%3')"),
      {Text::data(latin1ToUtf8(escapeControls(toLatin1(name)))),
       Text::number(static_cast<long long>(kHeaderSearch)), Text::data(escapeControls(shown))});
}

Text noComponent(const std::string& shownName) {
  return Text(BRISEL_TRANSLATE_NOOP("Message", "%1: nessun componente"), {Text::data(shownName)});
}

}  // namespace

FileShape readShape(std::string_view bytes, std::string_view columns, std::string_view unit) {
  Decoded decoded = decode(bytes);
  Given given = parseGiven(columns).value_or(Given{});
  return scan(decoded.text, given, unitOf(unit)).shape;
}

std::vector<std::array<std::string, 8>> previewRows(std::string_view bytes,
                                                    const Controls& controls, std::size_t limit) {
  std::vector<Row> rows;
  if (limit == 0) return rows;
  Decoded decoded = decode(bytes);
  Given given = parseGiven(controls.placementColumns).value_or(Given{});
  Unit givenUnit = unitOf(controls.placementUnits);
  Scan found = scan(decoded.text, given, givenUnit);
  if (!found.layout.complete()) return rows;
  try {
    eachRow(Lines(decoded.text), found.layout, givenUnit, controls, "",
            [&](const Cells& cells, long) {
              Row& row = rows.emplace_back();
              for (std::size_t c = 0; c < cells.size(); ++c) row[c] = cells[c];
              return rows.size() < limit;
            });
  } catch (const Error&) {
    // the rows before the failing line are what the import would write
  }
  return rows;
}

bool validColumns(std::string_view columns) {
  return parseGiven(columns).has_value();
}

bool validUnit(std::string_view unit) {
  return unit == "mm" || unit == "mil" || unit == "in";
}

Outcome importPlacementBytes(std::string_view bytes, std::string_view name, Workspace& workspace,
                             const Controls& controls, Progress& /*progress*/) {
  Outcome outcome;
  Decoded decoded = decode(bytes);
  Given given = parseGiven(controls.placementColumns).value_or(Given{});
  Unit givenUnit = unitOf(controls.placementUnits);
  Scan found = scan(decoded.text, given, givenUnit);
  const std::string shownName = latin1ToUtf8(escapeControls(toLatin1(name)));
  if (!found.anyLine) throw Error(noComponent(shownName));
  if (!found.layout.complete()) {
    outcome.askColumns = true;
    outcome.messages.push_back({"Errore", noHeaderMessage(name, found.firstLine)});
    return outcome;
  }
  const Reading reading{found.layout, givenUnit, controls, name, lineEndOf(decoded.text)};
  std::vector<Part> parts = cutInParts(decoded.text, reading);
  readParts(parts, reading);
  Part& read = parts[0];
  auto keep = [&] {
    read.table.setRowCount(static_cast<int>(read.written) + 10);
    workspace.StringGrid1 = std::move(read.table);
  };
  // The rows before the first failing line are kept.
  if (read.failure) {
    try {
      std::rethrow_exception(read.failure);
    } catch (const Error&) {
      keep();
      throw;
    }
  }
  const long written = read.written;
  const long skipped = read.skipped;
  if (written == 0) throw Error(noComponent(shownName));
  keep();
  Text said = written == 1 ? Text(BRISEL_TRANSLATE_NOOP("Message", "1 componente importato"))
                           : Text(BRISEL_TRANSLATE_NOOP("Message", "%1 componenti importati"),
                                  {Text::number(written)});
  if (skipped == 1)
    said = said.then(Text(BRISEL_TRANSLATE_NOOP("Message", ", 1 riga senza riferimento saltata")));
  if (skipped > 1)
    said = said.then(Text(BRISEL_TRANSLATE_NOOP("Message", ", %1 righe senza riferimento saltate"),
                          {Text::number(skipped)}));
  outcome.messages.push_back({"Messaggio", said});
  workspace.Button17Enabled = true;
  workspace.BU_FootPrintEnabled = true;
  return outcome;
}

}  // namespace placements

Outcome importPlacements(Workspace& workspace, const Controls& controls, Progress& progress) {
  // One byte past the bound tells a file that is too long.
  std::optional<std::string> bytes = readUpTo(controls.Edit10, LineReader::kMaxBytes + 1);
  if (!bytes) {
    Outcome outcome;
    outcome.unopened = controls.Edit10;
    return outcome;
  }
  if (bytes->size() > LineReader::kMaxBytes)
    throw InputTooLong("File troppo lungo: '" + platform::displayPath(controls.Edit10) +
                       "' supera " + std::to_string(LineReader::kMaxBytes) +
                       " byte; lettura interrotta");
  return placements::importPlacementBytes(*bytes, platform::displayPath(controls.Edit10.filename()),
                                          workspace, controls, progress);
}

}  // namespace brisel
