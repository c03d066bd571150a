#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/cell_numbers.h"
#include "core/lines.h"
#include "core/platform.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "table/exchange_sort.h"
#include "table/in_memory.h"
#include "table/operations.h"
#include "table/shown_progress.h"

namespace brisel {

namespace {

// Removing a row clears it up to its board, as the rows move up: a row of a
// panel keeps its board number wherever it moves.
constexpr int kLastCleared = col::Board;

struct Rule {
  std::string value;
  std::string angle;
  long line;  // in the RAK file, for the messages and the report
};

// The rules of a RAK file in file order; none when the file cannot be opened
// or read to its end (half a rule list would remove rows it should keep).
std::optional<std::vector<Rule>> readRules(LineReader& reader) {
  if (!reader.isOpen()) return std::nullopt;
  std::vector<Rule> rules;
  std::string line;
  while (reader.next(line)) {
    if (line.front() == ';') continue;
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string_view text(line);
    rules.push_back({std::string(trim(text.substr(0, colon))),
                     std::string(trim(text.substr(colon + 1))), reader.lineNumber()});
  }
  if (reader.failed()) return std::nullopt;
  return rules;
}

// The rules in the order of the rule list's exchange sort, by value ascending.
std::vector<Rule> sortRules(std::vector<Rule> rules) {
  std::vector<std::string_view> values;
  values.reserve(rules.size());
  for (const Rule& rule : rules) values.push_back(rule.value);
  std::vector<int> order = exchangeSortOrder(textRanks(values, false));
  std::vector<Rule> sorted;
  sorted.reserve(rules.size());
  for (int index : order) sorted.push_back(std::move(rules[static_cast<std::size_t>(index)]));
  return sorted;
}

void showRules(Grid& list, const std::vector<Rule>& rules) {
  // Emptied first: with no rule, the one row under the titles is empty too.
  list.setRowCount(0);
  list.setRowCount(std::max<int>(2, static_cast<int>(rules.size()) + 1));
  list.setCell(0, 0, "Valore");
  list.setCell(1, 0, "Angolo");
  for (std::size_t n = 0; n < rules.size(); ++n) {
    list.setCell(0, static_cast<int>(n) + 1, rules[n].value);
    list.setCell(1, static_cast<int>(n) + 1, rules[n].angle);
  }
}

// The first rule of each value in the sorted list, found by binary search. Its
// angle is converted when a row first uses it: a rule no row uses may hold any
// text.
class RuleLookup {
 public:
  struct Entry {
    const Rule* rule;
    std::optional<std::int32_t> angle;
    bool used = false;
  };

  RuleLookup(const std::vector<Rule>& sorted, std::string fileName)
      : fileName_(std::move(fileName)) {
    for (const Rule& rule : sorted)
      if (entries_.empty() || entries_.back().rule->value != rule.value)
        entries_.push_back({&rule, std::nullopt});
  }

  // The first rule named `value`, or null when no rule is.
  Entry* find(std::string_view value) {
    auto it = std::lower_bound(
        entries_.begin(), entries_.end(), value,
        [](const Entry& entry, std::string_view v) { return textLess(entry.rule->value, v); });
    return it == entries_.end() || it->rule->value != value ? nullptr : &*it;
  }

  std::int32_t angle(Entry& entry, const NumberFormat& format) const {
    if (!entry.angle) {
      try {
        entry.angle = textToInteger(entry.rule->angle, format);
      } catch (const ConversionError& error) {
        throw error.inFile(fileName_, entry.rule->line, entry.rule->angle);
      }
    }
    return *entry.angle;
  }

  // Whether a row used the rule; a rule of a value listed twice is used by
  // its first line only.
  bool used(const Rule& rule) const {
    auto it = std::lower_bound(
        entries_.begin(), entries_.end(), std::string_view(rule.value),
        [](const Entry& entry, std::string_view v) { return textLess(entry.rule->value, v); });
    return it != entries_.end() && it->rule == &rule && it->used;
  }

 private:
  std::vector<Entry> entries_;
  std::string fileName_;
};

// A row the report names when the rules clear it: one that held anything in
// its number or its reference cell before the rules ran, component or not.
bool heldNumberOrReference(const Grid& table, int row) {
  return !table.cell(col::Number, row).empty() || !table.cell(col::Reference, row).empty();
}

// One subtraction of 360 and one addition at most: 800 stays 440 and 360
// stays 360. The sum is taken in 64 bits, so no pair of 32-bit angles can
// overflow it; a result beyond the 32-bit range is written as it is and
// refused by every later conversion of the cell.
std::int64_t correctedAngle(std::int32_t angle, std::int32_t turn) {
  std::int64_t a = static_cast<std::int64_t>(angle) + turn;
  if (a > 360) a -= 360;
  if (a < 0) a += 360;
  return a;
}

// The rows cleared that held a component, by their row, for the report.
void applyRules(Grid& table, RuleLookup& rules, const NumberFormat& format, ShownProgress& bar,
                std::vector<RakRemoved>& cleared) {
  const int rows = table.RowCount();
  for (int row = kFirstDataRow; row < rows; ++row) {
    bar.step(row, rows);
    RuleLookup::Entry* rule = rules.find(trim(table.cell(col::Value, row)));
    if (!rule) {
      if (heldNumberOrReference(table, row))
        cleared.push_back({row, std::string(trim(table.cell(col::Reference, row))),
                           std::string(trim(table.cell(col::Value, row)))});
      for (int column = 0; column <= kLastCleared; ++column) table.clearCell(column, row);
      continue;
    }
    rule->used = true;
    std::int32_t angle = cellInteger(table, col::Angle, row, format);
    std::int32_t turn = rules.angle(*rule, format);
    table.setCell(col::Angle, row, std::to_string(correctedAngle(angle, turn)));
  }
}

// Every row whose number cell is empty goes: the columns 1 to 9 of the rows
// below move up, column 0 stays where it is, and the row count drops
// by one for each row removed. Done in one pass over the table; the bar takes
// the positions of a removal that shifts the table up once per removed row.
// The removed rows that held a component go into `removed`, in row order:
// those the rules cleared, and those with a reference but no number.
void removeEmptiedRows(Grid& table, ShownProgress& bar, const std::vector<RakRemoved>& cleared,
                       std::vector<RakRemoved>& removed) {
  const int rows = table.RowCount();
  int kept = 0;
  auto clearedRow = cleared.begin();
  for (int source = 1; source < rows; ++source) {
    int gone = source - 1 - kept;
    bar.step(kept + 1, rows - gone);
    if (table.cell(col::Number, source).empty()) {
      while (clearedRow != cleared.end() && clearedRow->row < source) ++clearedRow;
      if (clearedRow != cleared.end() && clearedRow->row == source)
        removed.push_back(*clearedRow);
      else if (!table.cell(col::Reference, source).empty())
        removed.push_back({source, std::string(trim(table.cell(col::Reference, source))),
                           std::string(trim(table.cell(col::Value, source)))});
      continue;
    }
    ++kept;
    table.moveCells(source, kept, col::Number, kLastCleared);
  }
  table.setRowCount(kept + 1);
}

Outcome applyRulesFile(LineReader& reader, Workspace& workspace, const Controls& controls,
                       Progress& progress) {
  std::optional<std::vector<Rule>> read = readRules(reader);
  if (!read) {
    Outcome outcome;
    outcome.messages.push_back(kRakOpenErrorMessage);
    outcome.unopened = controls.Edit7;
    return outcome;
  }
  const std::vector<Rule> rules = sortRules(std::move(*read));
  showRules(workspace.StringGrid3, rules);
  RuleLookup lookup(rules, platform::displayPath(controls.Edit7.filename()));

  workspace.Button17Enabled = false;
  // A run stopped by a conversion error leaves no report of a run.
  workspace.rakReport = {};
  ShownProgress bar(progress);
  std::vector<RakRemoved> cleared;
  applyRules(workspace.StringGrid1, lookup, controls.numbers(), bar, cleared);
  RakReport report;
  removeEmptiedRows(workspace.StringGrid1, bar, cleared, report.removed);
  // The unused rules in the order of the file.
  for (const Rule& rule : rules)
    if (!lookup.used(rule)) report.unused.push_back({rule.line, rule.value});
  std::sort(report.unused.begin(), report.unused.end(),
            [](const RakUnused& a, const RakUnused& b) { return a.line < b.line; });
  report.ran = true;
  report.rules = platform::displayPath(controls.Edit7.filename());
  workspace.rakReport = std::move(report);
  return {};
}

}  // namespace

Outcome applyRak(Workspace& workspace, const Controls& controls, Progress& progress) {
  LineReader reader(controls.Edit7);
  return applyRulesFile(reader, workspace, controls, progress);
}

Outcome applyRakBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                      Progress& progress) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit7);
  return applyRulesFile(reader, workspace, controls, progress);
}

}  // namespace brisel
