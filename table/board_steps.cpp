// The board steps of the "Scheda" tab: keep one side, turn the board over,
// turn it, move it, put its corner on the origin. The order that makes a
// bottom side right (keep B, flip, then the RAK or package rules, then the
// corner or the reference) is docs/board-sides.md's; each step here is only
// its own formula (the shared reading and writing: table/board_parts.h).
//
// Every step reads X, Y and the angle as the QPF writer reads them (the
// angle's low 16 bits, signed, so 65446 is -90), computes in double precision
// and writes X and Y as the floats the writer will read back, the angle as a
// whole number from 0 to 359. A row whose record would not change is left as
// it stands, so a step that changes nothing is no undo step.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"
#include "table/board_parts.h"
#include "table/operations.h"

namespace brisel {

namespace {

// A step that turns on the side stops at a row whose side it cannot tell,
// before it changes anything: that row is neither dropped nor half moved.
void requireKnownSides(const Grid& table, bool (*judged)(const Grid&, int)) {
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!judged(table, row) || sideOf(table, row) != Side::unknown) continue;
    throw cellError(table, col::Side, row,
                    BRISEL_TRANSLATE_NOOP("Message", "lato '%1' n\xC3\xA9 T n\xC3\xA9 B"));
  }
}

}  // namespace

Outcome keepBoardSide(Workspace& workspace, const Controls& controls, Progress&) {
  if (controls.keepSide != 'T' && controls.keepSide != 'B')
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "Il lato da tenere \xC3\xA8 T o B"));
  Grid& table = workspace.StringGrid1;
  requireKnownSides(table, holdsComponent);
  const Side kept = controls.keepSide == 'B' ? Side::bottom : Side::top;
  std::vector<char> goes(static_cast<std::size_t>(table.RowCount()), 0);
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    goes[static_cast<std::size_t>(row)] = holdsComponent(table, row) && sideOf(table, row) != kept;
  const int gone = removeRows(table, goes);
  Outcome outcome;
  outcome.summary =
      Text(gone == 1 ? BRISEL_TRANSLATE_NOOP("Message", "Tieni lato %1: %2 riga tolta")
                     : BRISEL_TRANSLATE_NOOP("Message", "Tieni lato %1: %2 righe tolte"),
           {Text::data(std::string(sideCell(kept))), Text::number(gone)});
  return outcome;
}

Outcome flipBoard(Workspace& workspace, const Controls& controls, Progress&) {
  if (controls.flipAxis != 'x' && controls.flipAxis != 'y')
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "L'asse del capovolgimento \xC3\xA8 x o y"));
  Grid& table = workspace.StringGrid1;
  const bool acrossX = controls.flipAxis == 'x';
  requireKnownSides(table, isComponentRow);
  std::vector<Part> parts = readParts(table, controls.numbers());
  for (Part& part : parts) {
    // Left to right mirrors X and turns the angle about the Y axis; top to
    // bottom mirrors Y and turns it about the X axis.
    if (acrossX)
      moveTo(part, -double{part.x}, part.y, 180 - part.angle);
    else
      moveTo(part, part.x, -double{part.y}, 360 - part.angle);
    part.changed = true;  // the side swaps whatever the numbers do
  }
  writeParts(table, parts, controls.decimalSeparator);
  for (const Part& part : parts)
    table.setCell(col::Side, part.row,
                  sideCell(sideOf(table, part.row) == Side::top ? Side::bottom : Side::top));
  return {};
}

Outcome turnBoard(Workspace& workspace, const Controls& controls, Progress&) {
  Grid& table = workspace.StringGrid1;
  const Turn turn(controls.turnDegrees);
  std::vector<Part> parts = readParts(table, controls.numbers());
  for (Part& part : parts) {
    double x = 0, y = 0;
    turn.apply(part.x, part.y, x, y);
    moveTo(part, x, y, std::int64_t{part.angle} + controls.turnDegrees);
  }
  writeParts(table, parts, controls.decimalSeparator);
  return {};
}

Outcome shiftBoard(Workspace& workspace, const Controls& controls, Progress&) {
  Grid& table = workspace.StringGrid1;
  std::vector<Part> parts = readParts(table, controls.numbers());
  for (Part& part : parts)
    moveTo(part, part.x + controls.shiftX, part.y + controls.shiftY, part.angle);
  writeParts(table, parts, controls.decimalSeparator);
  return {};
}

Outcome originToCorner(Workspace& workspace, const Controls& controls, Progress&) {
  Grid& table = workspace.StringGrid1;
  std::vector<Part> parts = readParts(table, controls.numbers());
  if (parts.empty()) return {};
  float leastX = parts.front().x, leastY = parts.front().y;
  for (const Part& part : parts) {
    leastX = std::min(leastX, part.x);
    leastY = std::min(leastY, part.y);
  }
  for (Part& part : parts)
    moveTo(part, double{part.x} - leastX, double{part.y} - leastY, part.angle);
  writeParts(table, parts, controls.decimalSeparator);
  return {};
}

void readSideWord(std::string_view text, Controls& controls) {
  if (text != "T" && text != "B") throw Error("keep-side wants T or B");
  controls.keepSide = text[0];
}

void readAxisWord(std::string_view text, Controls& controls) {
  if (text != "x" && text != "y") throw Error("flip wants x or y");
  controls.flipAxis = text[0];
}

void readDegreesWord(std::string_view text, Controls& controls) {
  std::optional<std::int32_t> degrees = tryTextToInteger(text, {'.', false});
  if (!degrees || trim(text).size() != text.size())
    throw Error("rotate wants a whole number of degrees");
  controls.turnDegrees = *degrees;
}

void readOffsetWord(std::string_view text, Controls& controls) {
  const std::optional<Millimetres> shift = readMillimetres(text);
  if (!shift) throw Error("offset wants DX,DY in millimetres, a point as separator");
  controls.shiftX = shift->x;
  controls.shiftY = shift->y;
}

}  // namespace brisel
