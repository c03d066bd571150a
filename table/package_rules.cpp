// "Applica regole": each component row turned and moved as the first rule of
// the package rules file that matches it says. A rule is the package as the
// machine sees it, so on the bottom side it comes after the flip
// (docs/board-sides.md); here only its formula: with the row's X, Y and angle
// a, a rule (rot, dx, dy) puts the part at
//   X + dx cos a - dy sin a,  Y + dx sin a + dy cos a,  angle a + rot,
// its offset given in the part's own frame, turned by the part's angle before
// the rule's turn. Rows no rule matches are neither read nor changed.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/component_row.h"
#include "core/lines.h"
#include "core/platform.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "table/board_parts.h"
#include "table/in_memory.h"
#include "table/operations.h"
#include "table/rules_file.h"

namespace brisel {

namespace {

constexpr std::size_t kNoRule = static_cast<std::size_t>(-1);
constexpr std::array<RuleField, 3> kFields{RuleField::footprint, RuleField::value,
                                           RuleField::reference};

std::string_view fieldText(const Grid& table, int row, RuleField field) {
  const int column = field == RuleField::value       ? col::Value
                     : field == RuleField::reference ? col::Reference
                                                     : col::Footprint;
  return trim(table.cell(column, row));
}

// The first rule of the file that matches a row. Each distinct text of a
// field is matched once: a board holds a few dozen footprints however many
// parts, so 500 rules cost a few thousand matches. A pattern without a
// wildcard is looked up; only the rules with one before it are matched, and
// of those only the ones whose first character the text can begin with (a
// reference differs on every row, and "J*" need not look at R1).
class RuleFinder {
 public:
  explicit RuleFinder(const std::vector<PackageRule>& rules) : rules_(rules) {
    for (std::size_t index = 0; index < rules.size(); ++index) {
      Field& field = fields_[static_cast<std::size_t>(rules[index].field)];
      field.used = true;
      const std::string& pattern = rules[index].pattern;
      if (pattern.find_first_of("*?[") == std::string::npos)
        field.literal.emplace(pattern, index);  // the first of equal patterns stays
      else if (const std::optional<char> first = plainFirst(pattern))
        field.wildFrom[static_cast<unsigned char>(*first)].push_back(index);
      else
        field.wildAny.push_back(index);
    }
  }

  // The index of the rule, or kNoRule. The texts are kept as views: the table
  // must not change while the finder is in use.
  std::size_t find(const Grid& table, int row) {
    std::size_t best = kNoRule;
    for (RuleField field : kFields)
      if (fields_[static_cast<std::size_t>(field)].used)
        best = std::min(
            best, first(fields_[static_cast<std::size_t>(field)], fieldText(table, row, field)));
    return best;
  }

  // The fields some rule looks at; the footprint when no rule does.
  std::vector<RuleField> lookedAt() const {
    std::vector<RuleField> fields;
    for (RuleField field : kFields)
      if (fields_[static_cast<std::size_t>(field)].used) fields.push_back(field);
    if (fields.empty()) fields.push_back(RuleField::footprint);
    return fields;
  }

 private:
  struct Field {
    bool used = false;
    std::unordered_map<std::string_view, std::size_t> literal;
    // The rules with a wildcard, in file order: by the character their
    // pattern begins with, and those that begin with a wildcard or a set.
    std::array<std::vector<std::size_t>, 256> wildFrom;
    std::vector<std::size_t> wildAny;
    std::unordered_map<std::string_view, std::size_t> seen;
  };

  std::size_t first(Field& field, std::string_view text) {
    if (auto seen = field.seen.find(text); seen != field.seen.end()) return seen->second;
    std::size_t best = kNoRule;
    if (auto literal = field.literal.find(text); literal != field.literal.end())
      best = literal->second;
    if (!text.empty())
      best = firstMatch(field.wildFrom[static_cast<unsigned char>(text[0])], text, best);
    best = firstMatch(field.wildAny, text, best);
    field.seen.emplace(text, best);
    return best;
  }

  // The first rule of `indices` before `best` that matches, else `best`.
  std::size_t firstMatch(const std::vector<std::size_t>& indices, std::string_view text,
                         std::size_t best) const {
    for (std::size_t index : indices) {
      if (index >= best) break;
      if (globMatches(rules_[index].pattern, text)) return index;
    }
    return best;
  }

  const std::vector<PackageRule>& rules_;
  std::array<Field, 3> fields_;
};

// What the report says of a row no rule matched: the text of each field the
// rules look at, in the order footprint, value, reference.
std::string shownFields(const Grid& table, int row, const std::vector<RuleField>& fields) {
  std::string shown;
  for (RuleField field : fields) {
    if (field != fields.front()) shown += " / ";
    shown += fieldText(table, row, field);
  }
  return shown;
}

RulesReport reportOf(const std::vector<PackageRule>& rules, const std::vector<int>& counts) {
  RulesReport report;
  report.ran = true;
  for (std::size_t index = 0; index < rules.size(); ++index) {
    const RuleCount count{rules[index].line, rules[index].pattern, counts[index]};
    (count.rows > 0 ? report.used : report.unused).push_back(count);
    report.corrected += count.rows;
  }
  return report;
}

Outcome applyRulesFile(LineReader& reader, Workspace& workspace, const Controls& controls) {
  // A run that stops leaves no report of a run.
  workspace.rulesReport = {};
  if (!reader.isOpen()) {
    Outcome outcome;
    outcome.messages.push_back(kOpenErrorMessage);
    outcome.unopened = controls.ED_Regole;
    return outcome;
  }
  const std::string fileName = platform::displayPath(controls.ED_Regole.filename());
  const std::vector<PackageRule> rules = readPackageRules(reader, fileName);
  if (reader.failed()) throw ReadError(controls.ED_Regole);

  Grid& table = workspace.StringGrid1;
  RuleFinder finder(rules);
  const std::vector<RuleField> lookedAt = finder.lookedAt();
  std::vector<Part> parts;
  std::vector<std::size_t> ruleOf;
  parts.reserve(static_cast<std::size_t>(table.RowCount()));
  ruleOf.reserve(parts.capacity());
  std::vector<int> counts(rules.size(), 0);
  std::vector<RuleMiss> unmatched;
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!isComponentRow(table, row)) continue;
    const std::size_t index = finder.find(table, row);
    if (index == kNoRule) {
      unmatched.push_back({row, std::string(trim(table.cell(col::Reference, row))),
                           shownFields(table, row, lookedAt)});
      continue;
    }
    parts.push_back(readPart(table, row, controls.numbers()));
    ruleOf.push_back(index);
    ++counts[index];
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Part& part = parts[i];
    const PackageRule& rule = rules[ruleOf[i]];
    double dx = 0, dy = 0;
    Turn(part.angle).apply(rule.dx, rule.dy, dx, dy);
    moveTo(part, part.x + dx, part.y + dy, std::int64_t{part.angle} + rule.rotation);
  }
  writeParts(table, parts, controls.decimalSeparator);

  RulesReport report = reportOf(rules, counts);
  report.rules = fileName;
  report.unmatched = std::move(unmatched);
  workspace.rulesReport = std::move(report);
  return {};
}

}  // namespace

Outcome applyPackageRules(Workspace& workspace, const Controls& controls, Progress&) {
  LineReader reader(controls.ED_Regole, kRulesLine);
  return applyRulesFile(reader, workspace, controls);
}

Outcome applyPackageRulesBytes(std::string_view bytes, Workspace& workspace,
                               const Controls& controls, Progress&) {
  LineReader reader = LineReader::ofBytes(bytes, controls.ED_Regole, kRulesLine);
  return applyRulesFile(reader, workspace, controls);
}

}  // namespace brisel
