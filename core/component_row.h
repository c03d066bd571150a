#pragma once
// Which rows of the component table are components: the one rule that the
// writers, the origin, the checks, the preview and the board steps all ask.

#include <string_view>

#include "core/grid.h"
#include "core/table_shape.h"
#include "core/text.h"

namespace brisel {

// A row with a number: column 1 not empty once trimmed. The origin moves such
// rows; a number cell of blanks only numbers nothing.
inline bool hasComponentNumber(const Grid& table, int row) {
  return !trim(table.cell(col::Number, row)).empty();
}

// A component: a number and a reference (column 2), each not empty once
// trimmed. Only such rows reach the machine.
inline bool isComponentRow(const Grid& table, int row) {
  return hasComponentNumber(table, row) && !trim(table.cell(col::Reference, row)).empty();
}

}  // namespace brisel
