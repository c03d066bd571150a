#include "table/rules_file.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/numbers.h"
#include "core/text.h"
#include "core/translatable.h"

namespace brisel {

namespace {

// ---- Patterns ----

// Where the set opened at `open` ends (its `]`), or npos when nothing closes it.
std::size_t setEnd(std::string_view pattern, std::size_t open) {
  std::size_t at = open + 1;
  if (at < pattern.size() && pattern[at] == '!') ++at;
  if (at < pattern.size() && pattern[at] == ']') ++at;  // a member, not the end
  return pattern.find(']', at);
}

bool inSet(std::string_view members, unsigned char c) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    const auto low = static_cast<unsigned char>(members[i]);
    if (i + 2 < members.size() && members[i + 1] == '-') {
      if (low <= c && c <= static_cast<unsigned char>(members[i + 2])) return true;
      i += 2;
    } else if (low == c) {
      return true;
    }
  }
  return false;
}

// Whether the pattern's element at `at` (not a star) matches `c`; `length`
// is what the element takes of the pattern.
bool elementMatches(std::string_view pattern, std::size_t at, char c, std::size_t& length) {
  if (pattern[at] == '?') {
    length = 1;
    return true;
  }
  const std::size_t end = pattern[at] == '[' ? setEnd(pattern, at) : std::string_view::npos;
  if (end == std::string_view::npos) {
    length = 1;
    return pattern[at] == c;
  }
  length = end - at + 1;
  const bool none = pattern[at + 1] == '!';
  const std::size_t first = at + (none ? 2 : 1);
  return inSet(pattern.substr(first, end - first), static_cast<unsigned char>(c)) != none;
}

}  // namespace

bool globMatches(std::string_view pattern, std::string_view text) {
  // After a mismatch only the last star backtracks, taking one more
  // character: an earlier star could take no run that the last cannot.
  std::size_t p = 0, t = 0;
  std::size_t star = std::string_view::npos, starText = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = ++p;
      starText = t;
      continue;
    }
    std::size_t length = 0;
    if (p < pattern.size() && elementMatches(pattern, p, text[t], length)) {
      p += length;
      ++t;
      continue;
    }
    if (star == std::string_view::npos) return false;
    p = star;
    t = ++starText;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::optional<char> plainFirst(std::string_view pattern) {
  if (pattern.empty() || pattern[0] == '*' || pattern[0] == '?') return std::nullopt;
  if (pattern[0] == '[' && setEnd(pattern, 0) != std::string_view::npos) return std::nullopt;
  return pattern[0];
}

namespace {

// ---- The file ----

enum Column { kPattern, kRotation, kDx, kDy, kField, kColumns };

// A column's two names, lower case, and how a message names it.
struct ColumnName {
  Column column;
  std::string_view italian;
  std::string_view english;
  std::string_view shown;
};

constexpr std::array<ColumnName, kColumns> kColumnNames{{
    {kPattern, "modello", "pattern", "Modello (Pattern)"},
    {kRotation, "rotazione", "rotation", "Rotazione (Rotation)"},
    {kDx, "dx", "x", "DX"},
    {kDy, "dy", "y", "DY"},
    {kField, "campo", "field", "Campo (Field)"},
}};

// A line of the file, for its messages.
class Place {
 public:
  Place(std::string_view fileName, long line) : fileName_(fileName), line_(line) {}

  [[noreturn]] void fail(Text what) const {
    throw Error(Text(BRISEL_TRANSLATE_NOOP("Message", "%1, riga %2: "),
                     {Text::data(latin1ToUtf8(escapeControls(fileName_))), Text::number(line_)})
                    .then(std::move(what)));
  }
  long line() const { return line_; }

 private:
  std::string_view fileName_;
  long line_;
};

Text shown(std::string_view text) {
  return Text::data(latin1ToUtf8(escapeControls(text)));
}

// The cells of a line as a spreadsheet writes them: separated by
// `separator`, each trimmed; a cell in quotes may hold the separator, and a
// doubled quote inside stands for one.
std::vector<std::string> splitCells(std::string_view line, char separator, const Place& place) {
  std::vector<std::string> cells;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && line[at] != separator && isBlank(line[at])) ++at;
    std::string cell;
    if (at < line.size() && line[at] == '"') {
      for (++at;; ++at) {
        if (at >= line.size())
          place.fail(BRISEL_TRANSLATE_NOOP("Message", "virgolette non chiuse"));
        if (line[at] == '"' && (at + 1 >= line.size() || line[at + 1] != '"')) break;
        if (line[at] == '"') ++at;
        cell += line[at];
      }
      ++at;
      while (at < line.size() && line[at] != separator && isBlank(line[at])) ++at;
      if (at < line.size() && line[at] != separator)
        place.fail(BRISEL_TRANSLATE_NOOP("Message", "testo dopo le virgolette di chiusura"));
    } else {
      const std::size_t end = std::min(line.find(separator, at), line.size());
      cell = line.substr(at, end - at);
      at = end;
    }
    cells.emplace_back(trim(cell));
    if (at >= line.size()) return cells;
    ++at;  // the separator
  }
}

std::string lowered(std::string_view text) {
  std::string low(text);
  for (char& c : low)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return low;
}

// Where each column stands in the header, npos for one it lacks.
using Layout = std::array<std::size_t, kColumns>;

Layout readHeader(const std::vector<std::string>& names, const Place& place) {
  Layout layout;
  layout.fill(std::string::npos);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name = lowered(names[i]);
    for (const ColumnName& known : kColumnNames) {
      if (name != known.italian && name != known.english) continue;
      if (layout[known.column] != std::string::npos)
        place.fail(Text(BRISEL_TRANSLATE_NOOP("Message", "la colonna %1 \xC3\xA8 ripetuta"),
                        {shown(names[i])}));
      layout[known.column] = i;
    }
  }
  for (Column required : {kPattern, kRotation}) {
    if (layout[required] != std::string::npos) continue;
    place.fail(Text(BRISEL_TRANSLATE_NOOP("Message", "manca la colonna %1"),
                    {Text::data(std::string(kColumnNames[required].shown))}));
  }
  return layout;
}

std::string_view cellAt(const std::vector<std::string>& cells, std::size_t index) {
  return index < cells.size() ? std::string_view(cells[index]) : std::string_view();
}

RuleField readField(std::string_view text, const Place& place) {
  const std::string name = lowered(text);
  if (name.empty() || name == "footprint") return RuleField::footprint;
  if (name == "valore" || name == "value") return RuleField::value;
  if (name == "riferimento" || name == "reference") return RuleField::reference;
  place.fail(Text(
      BRISEL_TRANSLATE_NOOP("Message", "campo '%1' sconosciuto: footprint, valore o riferimento"),
      {shown(text)}));
}

double readOffset(std::string_view text, std::string_view column, const Place& place) {
  if (text.empty()) return 0;
  if (std::optional<double> value = tryTextToReal(text, {'.', false})) return *value;
  place.fail(Text(
      BRISEL_TRANSLATE_NOOP("Message", "%1 '%2': servono millimetri, con il punto come separatore"),
      {Text::data(std::string(column)), shown(text)}));
}

PackageRule readRule(const std::vector<std::string>& cells, const Layout& layout,
                     const Place& place) {
  PackageRule rule;
  rule.line = place.line();
  rule.pattern = cellAt(cells, layout[kPattern]);
  if (rule.pattern.empty()) place.fail(BRISEL_TRANSLATE_NOOP("Message", "modello vuoto"));
  for (std::size_t at = rule.pattern.find('['); at != std::string::npos;
       at = rule.pattern.find('[', at + 1))
    if (setEnd(rule.pattern, at) == std::string::npos)
      place.fail(Text(BRISEL_TRANSLATE_NOOP("Message", "modello '%1': '[' senza ']'"),
                      {shown(rule.pattern)}));
  const std::string_view rotation = cellAt(cells, layout[kRotation]);
  const std::optional<std::int32_t> degrees = tryTextToInteger(rotation, {'.', false});
  if (!degrees)
    place.fail(Text(BRISEL_TRANSLATE_NOOP("Message", "rotazione '%1': servono gradi interi"),
                    {shown(rotation)}));
  rule.rotation = *degrees;
  rule.dx = readOffset(cellAt(cells, layout[kDx]), "DX", place);
  rule.dy = readOffset(cellAt(cells, layout[kDy]), "DY", place);
  rule.field = readField(cellAt(cells, layout[kField]), place);
  return rule;
}

// The next line that is not empty nor a comment, without its line end and
// as Latin-1; false at the end of the file.
bool nextLine(LineReader& reader, std::string& line, std::string_view fileName) {
  while (reader.next(line)) {
    const Place place(fileName, reader.lineNumber());
    if (line.back() == '\n')
      line.pop_back();
    else if (line.size() >= kRulesLine)
      place.fail(Text(BRISEL_TRANSLATE_NOOP("Message", "riga pi\xC3\xB9 lunga di %1 caratteri"),
                      {Text::number(static_cast<long long>(kRulesLine) - 1)}));
    // A spreadsheet saves its "CSV UTF-8" with a byte order mark first.
    if (reader.lineNumber() == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (trim(line).empty() || line.front() == '#') continue;
    line = toLatin1(line);
    return true;
  }
  return false;
}

}  // namespace

std::vector<PackageRule> readPackageRules(LineReader& reader, std::string_view fileName) {
  std::string line;
  if (!nextLine(reader, line, fileName))
    throw Error(
        Text(BRISEL_TRANSLATE_NOOP("Message", "%1: manca la riga dei titoli"), {shown(fileName)}));
  const std::size_t first = line.find_first_of(",;");
  const char separator = first == std::string::npos ? ',' : line[first];
  const Layout layout =
      readHeader(splitCells(line, separator, Place(fileName, reader.lineNumber())),
                 Place(fileName, reader.lineNumber()));
  std::vector<PackageRule> rules;
  while (nextLine(reader, line, fileName)) {
    const Place place(fileName, reader.lineNumber());
    const std::vector<std::string> cells = splitCells(line, separator, place);
    // A spreadsheet writes its empty rows as separators alone.
    if (std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); }))
      continue;
    rules.push_back(readRule(cells, layout, place));
  }
  return rules;
}

}  // namespace brisel
