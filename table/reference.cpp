#include <cmath>
#include <limits>
#include <string>

#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"
#include "table/cursor.h"
#include "table/operations.h"

namespace brisel {

namespace {

float readCoordinate(const Grid& table, int column, int row, const NumberFormat& format) {
  return cellFloat(table, column, row, format);
}

// The difference of two floats, rounded once to a float (the double holds it
// exactly enough for that). Two coordinates near the ends of the float range
// can differ by more than a float holds: that stops the operation at the row.
float difference(float value, float origin, int row) {
  double exact = static_cast<double>(value) - static_cast<double>(origin);
  if (std::fabs(exact) > std::numeric_limits<float>::max())
    throw Error(Text(BRISEL_TRANSLATE_NOOP("Message", "Riga %1: coordinata fuori scala"),
                     {Text::number(row)}));
  return static_cast<float>(exact);
}

}  // namespace

Outcome setReference(Workspace& workspace, const Controls& controls, Progress&) {
  Grid& table = workspace.StringGrid1;
  checkCursorRow(table, controls.Row);
  const NumberFormat format = controls.numbers();
  // Both read before any cell changes: a failure here leaves the table as it was.
  const float x0 = readCoordinate(table, col::X, controls.Row, format);
  const float y0 = readCoordinate(table, col::Y, controls.Row, format);
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!hasComponentNumber(table, row)) continue;
    float x = difference(readCoordinate(table, col::X, row, format), x0, row);
    float y = difference(readCoordinate(table, col::Y, row, format), y0, row);
    table.setCell(col::X, row, formatReal(x, controls.decimalSeparator));
    table.setCell(col::Y, row, formatReal(y, controls.decimalSeparator));
  }
  return {};
}

}  // namespace brisel
