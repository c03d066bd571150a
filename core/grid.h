#pragma once
// A grid of text cells addressed by (column, row), both from 0, as the window's
// string grids are: the component table and the RAK rules (the QPF byte dump
// keeps bytes instead: byte_grid.h).
//
// Cells hold bytes (one byte a character). A cell costs 8 bytes: texts of up to
// 7 bytes live inside it, longer ones in a pool owned by the grid.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/cells.h"

namespace brisel {

class Grid final : public Cells {
 public:
  // Throws std::invalid_argument for negative sizes.
  Grid(int columns, int rows);

  int ColCount() const override { return columns_; }
  int RowCount() const override { return rows_; }

  // Rows added at the bottom are empty; rows dropped lose their texts.
  void setRowCount(int rows);

  // The growth rule of the importers and viewers: before row r is written the
  // row count is raised to r + 10 if it is lower. It never shrinks here.
  void growFor(int row);

  // The text of a cell. The view stays valid until the grid is next changed.
  // Every cell access throws std::out_of_range outside the grid.
  std::string_view cell(int column, int row) const override;
  void setCell(int column, int row, std::string_view text) override;
  void clearCell(int column, int row) { setCell(column, row, {}); }
  // Columns first, first + 1, ... of a row take the texts, as from setCell
  // on each in turn; checked once, for writers that fill whole rows.
  void setCells(int firstColumn, int row, std::span<const std::string_view> texts);

  // Changes with every call that may change the grid, to a number no other
  // grid has had: two grids of the same generation hold the same cells (one
  // is a copy of the other). Lets the undo history skip comparing cells.
  std::uint64_t generation() const;

  // Row r takes the cells of row from[r], for every row at once; `from`
  // holds each row number once (std::invalid_argument otherwise).
  void reorderRows(const std::vector<int>& from);

  // Exchanges two whole rows.
  void swapRows(int a, int b);

  // Row `to` takes the cells of row `from` in columns first..last; those cells
  // of `from` become empty. Cheap: no text is copied.
  void moveCells(int from, int to, int firstColumn, int lastColumn);

  // Rows first..first + count - 1 of `other` become rows to..to + count - 1
  // of this grid, their texts moved, not copied; `other` is left without
  // rows. For a table read in parts at once. The grids must have the same
  // columns (std::invalid_argument) and hold the rows (std::out_of_range).
  void takeRows(Grid&& other, int first, int count, int to);

 private:
  struct Cell {
    // size <= 7: the text is bytes[0..size); size == kPooled: bytes[0..4)
    // hold the index of the text in the pool.
    char bytes[7];
    std::uint8_t size;
  };
  static constexpr std::uint8_t kPooled = 0xFF;
  static constexpr std::size_t kInline = sizeof(Cell::bytes);

  // A text of the pool: up to 24 bytes in place, as a real written in full
  // (16 or 17) and most references, values and footprints are; longer ones
  // on the heap. A new text may view the old one: it is copied first.
  class PoolText {
   public:
    PoolText() = default;
    explicit PoolText(std::string_view text) { assign(text); }
    PoolText(const PoolText& other) { assign(other.view()); }
    PoolText& operator=(const PoolText& other);
    ~PoolText();

    std::string_view view() const { return {onHeap() ? heap_ : inPlace_, size_}; }
    void assign(std::string_view text);

   private:
    static constexpr std::size_t kInPlace = 24;
    bool onHeap() const { return capacity_ != 0; }
    union {
      char inPlace_[kInPlace];
      char* heap_;
    };
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;  // of the heap buffer; 0 while in place
  };

  // The pool's texts in chunks reserved whole: growing moves no text (a new
  // text may view an old one) and never holds old and new storage at once,
  // and it allocates once every kChunk texts, where a deque does every 16.
  class Pool {
   public:
    Pool() = default;
    Pool(const Pool& other) { *this = other; }
    Pool& operator=(const Pool& other);
    Pool(Pool&&) noexcept = default;
    Pool& operator=(Pool&&) noexcept = default;
    ~Pool() = default;

    PoolText& operator[](std::uint32_t i) { return chunks_[i / kChunk][i % kChunk]; }
    const PoolText& operator[](std::uint32_t i) const { return chunks_[i / kChunk][i % kChunk]; }
    std::size_t size() const { return size_; }
    void push(std::string_view text);
    // Takes the texts of `other` after its own, from a chunk of their own,
    // and returns the index of the first (the slots skipped to reach the
    // chunk are left empty for the caller to free).
    std::size_t append(Pool&& other);
    std::size_t sizeAfterAppend(const Pool& other) const {
      return chunks_.size() * kChunk + other.size_;
    }

   private:
    static constexpr std::size_t kChunk = 1024;
    std::vector<std::vector<PoolText>> chunks_;  // each of capacity kChunk
    std::size_t size_ = 0;
  };

  void put(Cell& cell, std::string_view text);
  Cell& at(int column, int row);
  const Cell& at(int column, int row) const;
  void release(Cell& cell);
  std::uint32_t store(std::string_view text);
  static std::uint32_t poolIndex(const Cell& cell);

  int columns_;
  int rows_;
  std::vector<Cell> cells_;  // row by row
  Pool pool_;
  std::vector<std::uint32_t> freeSlots_;
  // A change only marks the generation as spent; the next one is drawn when
  // asked for, so a step that writes every cell draws one, not one a cell.
  mutable std::uint64_t generation_ = 0;
  mutable bool changed_ = true;
  void changed() { changed_ = true; }
};

}  // namespace brisel
