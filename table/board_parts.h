#pragma once
// What the board steps, the panel and the package rules share: a component
// row read as the QPF writer reads it (X and Y as floats, the angle's low 16
// bits, signed, so 65446 is -90), moved in double precision and written back
// as the floats the writer will read, the angle from 0 to 359. A row whose
// record would not change is left as it stands.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/error.h"
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

// One row read; a cell that does not convert throws its cell error.
Part readPart(const Grid& table, int row, const NumberFormat& format);

// Every component row, read before any is changed: a cell that does not
// convert throws here, the table untouched.
std::vector<Part> readParts(const Grid& table, const NumberFormat& format);

// The angle from 0 to 359.
int wrapAngle(std::int64_t angle);

// A turn counter-clockwise about (0, 0), exact for the quarter turns: the
// sine and cosine of 90 degrees are not.
class Turn {
 public:
  explicit Turn(std::int64_t degrees);
  void apply(double x, double y, double& turnedX, double& turnedY) const;

 private:
  int degrees_;
  double cosine_ = 1;
  double sine_ = 0;
};

// Puts the part at (x, y) with that angle, computed for every row before any
// is written, so a coordinate out of scale (`Riga R: coordinata fuori scala`)
// leaves the table untouched. `changed` says whether its record changes.
void moveTo(Part& part, double x, double y, std::int64_t angle);

// X and Y as the cells take them.
struct CoordinateTexts {
  RealText x;
  RealText y;
};
CoordinateTexts textsOf(const Part& part, char decimalSeparator);

// Writes the parts that changed; the others are left alone.
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

// The table's error for a cell whose text a step cannot take:
// "Riga R, colonna C: " then `what`, a message key whose %1 is the cell's
// trimmed text as a message shows it.
Error cellError(const Grid& table, int column, int row, const char* what);

}  // namespace brisel
