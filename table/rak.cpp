#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/buttons.h"
#include "core/lines.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "table/exchange_sort.h"
#include "table/shown_progress.h"

namespace brisel {

namespace {

// Removing a row clears it up to the footprint, as the rows move up.
constexpr int kLastCleared = col::Footprint;

struct Rule {
  std::string value;
  std::string angle;
};

// The rules of a RAK file in file order; none when the file cannot be opened
// or read to its end (half a rule list would remove rows it should keep).
std::optional<std::vector<Rule>> readRules(const std::filesystem::path& path) {
  LineReader reader(path);
  if (!reader.isOpen()) return std::nullopt;
  std::vector<Rule> rules;
  std::string line;
  while (reader.next(line)) {
    if (line.front() == ';') continue;
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string_view text(line);
    rules.push_back(
        {std::string(trim(text.substr(0, colon))), std::string(trim(text.substr(colon + 1)))});
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
  };

  explicit RuleLookup(const std::vector<Rule>& sorted) {
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

  static std::int32_t angle(Entry& entry, const NumberFormat& format) {
    if (!entry.angle) entry.angle = textToInteger(entry.rule->angle, format);
    return *entry.angle;
  }

 private:
  std::vector<Entry> entries_;
};

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

void applyRules(Grid& table, RuleLookup& rules, const NumberFormat& format, ShownProgress& bar) {
  const int rows = table.RowCount();
  for (int row = kFirstDataRow; row < rows; ++row) {
    bar.step(row, rows);
    RuleLookup::Entry* rule = rules.find(trim(table.cell(col::Value, row)));
    if (!rule) {
      for (int column = 0; column <= kLastCleared; ++column) table.clearCell(column, row);
      continue;
    }
    std::int32_t angle = textToInteger(table.cell(col::Angle, row), format);
    std::int32_t turn = RuleLookup::angle(*rule, format);
    table.setCell(col::Angle, row, std::to_string(correctedAngle(angle, turn)));
  }
}

// Every row whose number cell is empty goes: the columns 1 to 8 of the rows
// below move up, columns 0 and 9 stay where they are, and the row count drops
// by one for each row removed. Done in one pass over the table; the bar takes
// the positions of a removal that shifts the table up once per removed row.
void removeEmptiedRows(Grid& table, ShownProgress& bar) {
  const int rows = table.RowCount();
  int kept = 0;
  for (int source = 1; source < rows; ++source) {
    int removed = source - 1 - kept;
    bar.step(kept + 1, rows - removed);
    if (table.cell(col::Number, source).empty()) continue;
    ++kept;
    table.moveCells(source, kept, col::Number, kLastCleared);
  }
  table.setRowCount(kept + 1);
}

}  // namespace

Outcome applyRak(Workspace& workspace, const Controls& controls, Progress& progress) {
  std::optional<std::vector<Rule>> read = readRules(controls.Edit7);
  if (!read) {
    Outcome outcome;
    outcome.messages.push_back(kRakOpenErrorMessage);
    outcome.unopened = controls.Edit7;
    return outcome;
  }
  const std::vector<Rule> rules = sortRules(std::move(*read));
  showRules(workspace.StringGrid3, rules);
  RuleLookup lookup(rules);

  workspace.Button17Enabled = false;
  ShownProgress bar(progress);
  applyRules(workspace.StringGrid1, lookup, controls.numbers(), bar);
  removeEmptiedRows(workspace.StringGrid1, bar);
  return {};
}

}  // namespace brisel
