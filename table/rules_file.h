#pragma once
// The package rules file of "Applica regole": a CSV with a header line, one
// rule a line, each the turn and the pick point offset of the packages whose
// footprint (or value, or reference) its pattern matches, as the machine sees
// them. docs/formats.md describes the file and its messages.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines.h"

namespace brisel {

// The cell of a component row that a rule's pattern is matched against.
enum class RuleField { footprint, value, reference };

struct PackageRule {
  long line = 0;        // in the rules file, for the messages and the report
  std::string pattern;  // Latin-1, as the table's cells hold text
  RuleField field = RuleField::footprint;
  std::int32_t rotation = 0;  // whole degrees, counter-clockwise
  double dx = 0;              // millimetres, in the part's own frame
  double dy = 0;
};

// Reads the lines longer than this stop the file: no rule is read half.
constexpr std::size_t kRulesLine = 4096;

// The rules in file order. A line that does not read throws Error
// "FILE, riga N: ..." (`fileName` as the messages show it). The reader must
// be open; what it cannot read to its end is the caller's to say.
std::vector<PackageRule> readPackageRules(LineReader& reader, std::string_view fileName);

// Whether `text` is matched whole by `pattern`: `*` any run of characters,
// `?` one character, `[...]` one of a set (ranges such as `0-9`; `[!...]`
// none of it; a `]` first in the set is one of its characters), any other
// character itself, case-sensitive. A `[` that no `]` closes is itself. Time
// at most proportional to the product of the two lengths.
bool globMatches(std::string_view pattern, std::string_view text);

// The character every text the pattern matches begins with, when its first
// element is a plain character; none for a wildcard or a set first.
std::optional<char> plainFirst(std::string_view pattern);

}  // namespace brisel
