#pragma once
// What the checks before the machine leave in the workspace for the window
// and brisel-cli to show: the table check's findings, the reports of the last
// rule run (Button17) and of the last package rules run (BU_ApplicaRegole),
// and the read-back compare of a QPF file. Plain data: the
// operations that fill them live in table/ and output/.

#include <string>
#include <vector>

#include "core/said.h"

namespace brisel {

// The kinds of finding, in the order they are listed for one row. What each
// is called, how much it weighs and what finds it: table/check.h.
enum class FindingCode {
  duplicateReference,
  noValue,
  notANumber,
  noReference,
  samePlace,
  blankInField,
  oddAngle,
  negativePosition,
  unknownSide,
  // What the machine record cuts or must not place.
  referenceCut,
  referenceCutSame,
  valueCut,
  valueCutSame,
  numberRange,
  duplicateNumber,
  fiducial,
  notToPlace,
};

struct Finding {
  int row = 0;  // the table row; 0 when the finding concerns no row
  FindingCode code{};
  std::string reference;  // the trimmed reference, bytes as in the cell
  Text text;
  friend bool operator==(const Finding&, const Finding&) = default;
};

// A component row that the rule run removed.
struct RakRemoved {
  int row = 0;  // its row before the removal
  std::string reference;
  std::string value;
  friend bool operator==(const RakRemoved&, const RakRemoved&) = default;
};

// A rule that matched no row.
struct RakUnused {
  long line = 0;  // its line in the RAK file
  std::string value;
  friend bool operator==(const RakUnused&, const RakUnused&) = default;
};

struct RakReport {
  bool ran = false;   // a rule run has gone to its end
  std::string rules;  // the name of the RAK file it ran, bytes as in the path
  std::vector<RakRemoved> removed;
  std::vector<RakUnused> unused;
  friend bool operator==(const RakReport&, const RakReport&) = default;
};

// A rule of the package rules file: its line, its pattern and how many
// component rows it was the first to match.
struct RuleCount {
  long line = 0;
  std::string pattern;  // bytes as in the table's cells
  int rows = 0;
  friend bool operator==(const RuleCount&, const RuleCount&) = default;
};

// A component row no package rule matched: it was left as it was.
struct RuleMiss {
  int row = 0;
  std::string reference;
  std::string field;  // the text of the field the rules look at
  friend bool operator==(const RuleMiss&, const RuleMiss&) = default;
};

struct RulesReport {
  bool ran = false;               // a package rules run has gone to its end
  std::string rules;              // the name of the rules file it ran, bytes as in the path
  int corrected = 0;              // the component rows a rule matched
  std::vector<RuleCount> used;    // in file order
  std::vector<RuleCount> unused;  // in file order, rows 0
  std::vector<RuleMiss> unmatched;
  friend bool operator==(const RulesReport&, const RulesReport&) = default;
};

// One field of one record that differs between a QPF file and the table.
struct QpfDifference {
  long record = 0;    // from 1; 0 for the header and the length field
  int row = 0;        // the table row the record comes from; 0 when none
  std::string field;  // header, length, number, reference, value, X, Y, angle, force,
                      // other bytes, record
  Text file;          // what the file holds: its bytes as text, or words ("mancante")
  Text table;         // what the table would write, the same way
  friend bool operator==(const QpfDifference&, const QpfDifference&) = default;
};

struct QpfCompare {
  bool ran = false;  // a compare has run to its end
  std::string file;  // the name of the QPF file it read, bytes as in the path
  std::vector<QpfDifference> differences;
};

}  // namespace brisel
