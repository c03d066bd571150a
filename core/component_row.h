#pragma once
// What a row of the component table holds: whether it is a component, which
// side of the board it sits on, which board of a panel it belongs to. The one
// home of these rules: the writers, the origin, the checks, the preview and
// the board steps all ask here, and nothing else reads those cells for them.

#include <string>
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

// A row that holds some of a component: a number or a reference. The steps
// that remove the parts of a side remove such rows, so that a half-typed part
// does not stay behind on the side that went.
inline bool holdsComponent(const Grid& table, int row) {
  return hasComponentNumber(table, row) || !trim(table.cell(col::Reference, row)).empty();
}

enum class Side { top, bottom, unknown };

// What a side cell says: trimmed, T, t or empty is the top, B or b the
// bottom, anything else unknown.
inline Side sideOfText(std::string_view cell) {
  const std::string_view side = trim(cell);
  if (side.empty() || side == "T" || side == "t") return Side::top;
  if (side == "B" || side == "b") return Side::bottom;
  return Side::unknown;
}

// The side of a row (column 4).
inline Side sideOf(const Grid& table, int row) {
  return sideOfText(table.cell(col::Side, row));
}

// How a known side is written into column 4.
inline std::string_view sideCell(Side side) {
  return side == Side::bottom ? "B" : "T";
}

// What column 9 says of a row that is neither a lone board's nor a panel's.
inline constexpr int kUnknownBoard = -1;

// Which board of a panel a row belongs to: the whole number from 1 to
// kMaxBoards in column 9, trimmed; 0 when the cell is empty (a lone board's
// row); kUnknownBoard for any other text, which the panel steps stop at
// rather than guess.
inline int boardOf(const Grid& table, int row) {
  const std::string_view cell = trim(table.cell(col::Board, row));
  if (cell.empty()) return 0;
  int board = 0;
  for (char c : cell) {
    if (c < '0' || c > '9') return kUnknownBoard;
    board = board * 10 + (c - '0');
    if (board > kMaxBoards) return kUnknownBoard;
  }
  return board == 0 ? kUnknownBoard : board;
}

// A panel: some component row names its board.
inline bool isPanel(const Grid& table) {
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    if (isComponentRow(table, row) && boardOf(table, row) > 0) return true;
  return false;
}

// What the machine record holds of a text cell, as the QPF writer writes it:
// the cell's first `width` bytes, untrimmed, padded with spaces.
inline std::string recordText(std::string_view cell, std::size_t width) {
  std::string field(cell.substr(0, width));
  field.resize(width, ' ');
  return field;
}

// The value the record holds for an empty value cell.
inline std::string_view valueOrNM(std::string_view value) {
  return value.empty() ? std::string_view("NM") : value;
}

inline std::string recordReference(const Grid& table, int row) {
  return recordText(table.cell(col::Reference, row), kRecordReferenceChars);
}
inline std::string recordValue(const Grid& table, int row) {
  return recordText(valueOrNM(table.cell(col::Value, row)), kRecordValueChars);
}

// Empties what a row of the files that describe one board seen from the top
// (REP, MNT, TXT, a machine file read back) cannot say: its side and its
// board. Such a row never keeps those of the board that stood there before.
inline void clearBoardCells(Grid& table, int row) {
  for (int column : {col::Side, col::Board})
    if (!table.cell(column, row).empty()) table.clearCell(column, row);
}

}  // namespace brisel
