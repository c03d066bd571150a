#pragma once
// What the window's grid model and the command line's print read and edit of
// a grid, whatever keeps its cells: a grid of texts (Grid) or the byte dump
// (ByteGrid).

#include <string_view>

namespace brisel {

class Cells {
 public:
  virtual ~Cells() = default;
  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  // The text of a cell; valid until the grid is next changed. Throws
  // std::out_of_range outside the grid.
  virtual std::string_view cell(int column, int row) const = 0;
  virtual void setCell(int column, int row, std::string_view text) = 0;
};

}  // namespace brisel
