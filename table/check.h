#pragma once
// The table check: what the writers would do wrong or not at all with the
// component table as it stands, and what the machine record would cut or must
// not place, found at the desk rather than on the line. It reads the table
// and the number settings the writers use, and changes nothing; no cell text
// makes it throw.

#include <span>
#include <string_view>
#include <vector>

#include "core/findings.h"
#include "core/grid.h"
#include "core/numbers.h"
#include "core/workspace.h"

namespace brisel {

// Two written rows closer than this in both X and Y share a place (mm).
inline constexpr double kSamePlace = 0.01;

// How much a finding weighs: an error makes the machine do the wrong thing, a
// warning most likely does, an information tells of the board.
enum class Severity { error, warning, information };

namespace checking {
struct CheckedTable;
class Findings;
}  // namespace checking

// One kind of finding: the one place that says what it is called, how much it
// weighs, what finds it and what the docs' table says of it.
struct CheckCode {
  FindingCode code;
  std::string_view name;  // as brisel-cli prints it
  Severity severity;
  void (*find)(const checking::CheckedTable& table, checking::Findings& findings);
  std::string_view doc;  // the code's row of the table in docs/checks.md
  // The same for the operator, in Italian; the window's English is the docs line.
  std::string_view tip;
};

// Every code, in the order findings of one row are listed.
std::span<const CheckCode> checkCodes();
const CheckCode& checkCodeOf(FindingCode code);

// The word that names a kind, as brisel-cli prints it.
inline std::string_view findingCodeName(FindingCode code) {
  return checkCodeOf(code).name;
}
// A kind that tells of the board rather than of a fault: not marked on the
// preview as the faults are.
inline bool isInformation(FindingCode code) {
  return checkCodeOf(code).severity == Severity::information;
}
// "errore", "avviso", "informazione".
std::string_view severityName(Severity severity);

// The findings of the table, ordered by row, then by kind (the codes' order),
// then by column.
std::vector<Finding> checkTable(const Grid& table, const NumberFormat& format);

// The rows that have at least one finding of a fault, ascending, each once.
std::vector<int> rowsWithFindings(const std::vector<Finding>& findings);

}  // namespace brisel
