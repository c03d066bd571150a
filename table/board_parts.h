#pragma once
// What the board steps and the panel share: a component row read as the QPF
// writer reads it (X and Y as floats, the angle's low 16 bits, signed, so
// 65446 is -90), moved in double precision and written back as the floats the
// writer will read, the angle from 0 to 359. A row whose record would not
// change is left as it stands.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/numbers.h"
#include "core/text.h"

namespace brisel {

// A component row as read, then as a step moves it.
struct Part {
  int row;
  float x;
  float y;
  std::int32_t angleCell;  // as the cell holds it
  int angle;               // its low 16 bits, signed
  bool changed = false;
};

// Every component row, read before any is changed: a cell that does not
// convert throws here, the table untouched.
std::vector<Part> readParts(const Grid& table, const NumberFormat& format);

// Computed for every row before any is written, so a coordinate out of scale
// leaves the table untouched.
void moveTo(Part& part, double x, double y, std::int64_t angle);

// The angle from 0 to 359.
int wrapAngle(std::int64_t angle);

// X and Y as the cells take them.
struct CoordinateTexts {
  RealText x;
  RealText y;
};
CoordinateTexts textsOf(const Part& part, char decimalSeparator);

// Writes what the steps computed, the rows whose record stays as it is left alone.
void writeParts(Grid& table, const std::vector<Part>& parts, char decimalSeparator);

// Removes the rows `goes` names; the rows below move up as "CANCELLA LINEE
// SELEZIONATE" moves them, the row count stays. How many went.
int removeRows(Grid& table, const std::vector<char>& goes);

// "DX,DY" as brisel-cli's words write a pair of lengths: finite reals with a
// point as separator, whatever the locale; nothing when the text is not that.
struct Millimetres {
  double x;
  double y;
};
std::optional<Millimetres> readMillimetres(std::string_view text);

}  // namespace brisel
