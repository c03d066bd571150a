#pragma once
// The byte dump of a QPF file (StringGrid2): a grid whose cells are mostly one
// byte each, shown as its decimal value. It keeps the byte and renders the
// text when a cell is read, so a dump of a 65,535-record file (seven million
// cells) costs about a byte a cell instead of a text each. A cell may also
// hold any other text set through setCell, kept aside; it reads back as set.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/cells.h"

namespace brisel {

class ByteGrid final : public Cells {
 public:
  // Throws std::invalid_argument for negative sizes.
  ByteGrid(int columns, int rows);

  int ColCount() const override { return columns_; }
  int RowCount() const override { return rows_; }

  // Rows added at the bottom are empty; rows dropped lose their cells.
  void setRowCount(int rows);
  // As Grid::growFor: the row count is raised to row + 10 if lower.
  void growFor(int row);

  std::string_view cell(int column, int row) const override;
  // A byte's decimal text ("0" to "255", no leading zero) is kept as that byte.
  void setCell(int column, int row, std::string_view text) override;
  void clearCell(int column, int row) { setCell(column, row, {}); }

  // Row `row` takes `bytes` in columns first, first + 1, ...; the other cells
  // keep what they hold. Throws std::out_of_range when they do not fit.
  void setBytes(int row, int firstColumn, std::string_view bytes);

  // The bytes last put in those cells by setBytes, as one view, valid until
  // the grid is next changed; for reading back what was just set. Throws
  // std::out_of_range when they are not all in the grid.
  std::string_view rowBytes(int row, int firstColumn, std::size_t count) const;

  // The text of every byte value.
  static std::string_view byteText(std::uint8_t byte);

 private:
  std::size_t index(int column, int row) const;
  bool has(std::size_t at) const { return (present_[at / 64] >> (at % 64)) & 1; }
  void mark(std::size_t at, bool on);
  void dropTexts(std::size_t from);

  int columns_;
  int rows_ = 0;
  std::vector<std::uint8_t> bytes_;                     // row by row
  std::vector<std::uint64_t> present_;                  // a bit a cell: it holds its byte
  std::unordered_map<std::size_t, std::string> texts_;  // cells holding other texts
};

}  // namespace brisel
