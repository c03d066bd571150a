#pragma once
// The component table as a spreadsheet copies and pastes it: one line a row,
// a tab between cells. A cell holding a tab, a line end or starting with a
// double quote is written between double quotes, each of its quotes doubled,
// and read back the same way, so that a copy pastes back cell for cell.
//
//   R1<TAB>10K<TAB><TAB>12.5<LF>
//   "90 <LF>"<TAB>C2<LF>
//
// Texts here are bytes, one byte a character (Latin-1), as the grid holds
// them; the front ends convert from the clipboard or a file before.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/workspace.h"

namespace brisel {

// A paste longer than this is refused: a full table of 65,535 rows takes a
// few megabytes, so anything this large is no table.
inline constexpr std::size_t kMaxPasteBytes = std::size_t{16} << 20;

// Why a paste was refused; what() is the message for the operator.
class PasteRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws PasteRefused for a paste of more than kMaxPasteBytes bytes; for a
// front end that must refuse before it converts the bytes.
void checkPasteSize(std::size_t bytes);

// The cells of `rect` (clamped to the grid) as tab-separated lines, each
// ending in a line feed.
std::string copyCells(const Grid& grid, const GridRect& rect);

// The rows of tab-separated text. Carriage returns outside quotes are dropped,
// the line end after the last line makes no empty row. A quote that is never
// closed is taken as a character. Throws PasteRefused for a text longer than
// kMaxPasteBytes or holding binary data (a NUL byte, or control bytes other
// than tab and line ends in more than one byte of ten).
std::vector<std::vector<std::string>> parseCells(std::string_view text);

// Writes `rows` into the component table from (column, row) on, as one
// paste: cells beyond the table's columns 1 to 9 are dropped, the row count
// grows by the growth rule where the paste goes past the last row, and rows
// after kMaxComponents are left out with a message in the outcome.
Outcome pasteCells(Workspace& workspace, int column, int row,
                   const std::vector<std::vector<std::string>>& rows);

// Empties the cells of `rect` (clamped to the grid's cells past the fixed
// row and column).
void clearCells(Grid& grid, const GridRect& rect);

}  // namespace brisel
