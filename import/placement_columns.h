#pragma once
// The columns of a placement file: the units it may declare, the header found
// by the names it gives its columns, and what --columns and --units give.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/placement_fields.h"
#include "import/placement_file.h"

namespace brisel::placements {

// Lines of the file searched for the header.
constexpr long kHeaderSearch = 60;

enum class Unit { none, mm, mil, in };

std::optional<Unit> unitWord(std::string_view word);
std::string_view unitName(Unit unit);
double unitFactor(Unit unit);
// A unit as --units says it; none for anything else.
Unit unitOf(std::string_view text);

// The fields a placement file may give. A DNP column marks a row not to
// place when it says so (yes, 1, true, x, DNP, DNF), a populate column when
// it says no (no, 0, false); the board column is the one "Salva posizioni"
// writes for a panel.
enum Field : int {
  kRef,
  kX,
  kY,
  kValue,
  kFootprint,
  kAngle,
  kSide,
  kDnp,
  kPopulate,
  kBoard,
  kFieldCount
};

// What --columns says: a name or a 1-based number for each field given.
struct Given {
  std::array<std::string, kFieldCount> name;  // the key of the name
  std::array<int, kFieldCount> number{};      // 0 when not given by number
  std::array<bool, kFieldCount> given{};
};

std::optional<Given> parseGiven(std::string_view text);

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
std::optional<Unit> declaration(std::string_view line);

// A line that holds no component: empty, a comment, a rule of '=' or '-'.
bool skippable(std::string_view line);

// What the first lines of a file say about its columns.
struct Scan {
  Layout layout;
  FileShape shape;
  std::string firstLine;  // the first line that is not empty, for the message
  bool anyLine = false;
};

Scan scan(std::string_view text, const Given& given, Unit givenUnit);

}  // namespace brisel::placements
