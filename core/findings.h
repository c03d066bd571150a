#pragma once
// What the checks before the machine leave in the workspace for the window
// and brisel-cli to show: the table check's findings, the report of the last
// rule run (Button17) and the read-back compare of a QPF file. Plain data: the
// operations that fill them live in table/ and output/.

#include <string>
#include <vector>

#include "core/said.h"

namespace brisel {

// The kinds of finding, in the order they are listed for one row.
enum class FindingCode {
  duplicateReference,
  noValue,
  notANumber,
  noReference,
  samePlace,
  blankInField,
  oddAngle,
  // For information: what the board steps put right, before a machine sees it.
  negativePosition,
  unknownSide,
};

// A kind that tells of the board rather than of a fault: not marked on the
// preview as the faults are.
bool isInformation(FindingCode code);

// The word that names a kind, as brisel-cli prints it.
const char* findingCodeName(FindingCode code);

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
