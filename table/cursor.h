#pragma once
// The cursor and the selection an operation is given must lie in the
// component table's data rows; the window guarantees it, other callers may not.

#include "core/translatable.h"
#include "core/workspace.h"

namespace brisel {

inline void checkCursorRow(const Grid& table, int row) {
  if (row < 1 || row >= table.RowCount())
    throw Error(
        BRISEL_TRANSLATE_NOOP("Message", "La riga del cursore \xC3\xA8 fuori dalla tabella"));
}

inline void checkCursorColumn(const Grid& table, int column) {
  if (column < 0 || column >= table.ColCount())
    throw Error(
        BRISEL_TRANSLATE_NOOP("Message", "La colonna del cursore \xC3\xA8 fuori dalla tabella"));
}

inline void checkSelection(const Grid& table, const GridRect& selection) {
  if (selection.Top < 1 || selection.Top > selection.Bottom ||
      selection.Bottom >= table.RowCount() || selection.Left < 0 ||
      selection.Left >= table.ColCount())
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "La selezione \xC3\xA8 fuori dalla tabella"));
}

}  // namespace brisel
