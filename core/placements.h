#pragma once
// The board as the machine will see it: every row of the component table that
// the writers turn into a record, with its position and rotation converted by
// the writers' own rules, and a grid index over the positions for drawing and
// picking. Rows whose coordinates or angle do not convert are not placed but
// listed, so that nothing unconvertible ever reaches a drawing.
//
// Angles are the table's 16-bit numbers; the machine reads them as signed
// degrees (65446 is -90), 0 along +X, positive counter-clockwise.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/numbers.h"

namespace brisel {

// Positions further than this from the origin (millimetres) are taken for a
// typing slip rather than a board: they are listed as unplaced.
inline constexpr float kMaxBoardCoordinate = 10000.0f;

struct Placement {
  int row = 0;
  std::string reference;  // trimmed, as the writers take them
  std::string value;
  std::string footprint;
  float x = 0;  // millimetres, single precision as in the QPF record
  float y = 0;
  std::uint16_t angle = 0;  // as in the table and the record
  bool bottom = false;      // side B (column 4): seen through the board
  int board = 0;            // its board of a panel (column 9); 0 on a lone board
  float length = 0;         // the body mark along the part's own X, millimetres
  float width = 0;
};

// A row the writers take whose X, Y or angle does not convert.
struct Unplaced {
  enum class Reason { notANumber, outOfRange };
  int row = 0;
  int column = 0;    // brisel::col::X, Y or Angle: the first that failed
  std::string text;  // the cell, trimmed
  Reason reason = Reason::notANumber;
};

// An axis-aligned rectangle in millimetres.
struct BoardBox {
  float left = 0;
  float bottom = 0;
  float right = 0;
  float top = 0;
  float width() const { return right - left; }
  float height() const { return top - bottom; }
};

// One board of a panel: its number and the rectangle around its body marks.
struct PanelBoard {
  int number = 0;
  BoardBox extent;
};

class Board {
 public:
  std::vector<Placement> parts;  // in row order
  std::vector<Unplaced> unplaced;

  // Covers every body mark and the origin.
  BoardBox extent() const { return extent_; }
  // The boards of a panel that have a part placed, by number; none on a lone
  // board.
  const std::vector<PanelBoard>& panelBoards() const { return panelBoards_; }

  // Calls visit(index into parts) for each part whose body's bounding circle
  // may touch `box` (a superset: callers test precisely when they must).
  template <typename Visit>
  void visit(const BoardBox& box, Visit&& visit) const;

  // The index of the part whose body contains the point, the topmost (last
  // drawn) of several; -1 when none.
  int partAt(float x, float y) const;

  // Builds extent and index from `parts`; buildBoard calls it.
  void index();

 private:
  struct Cells {
    int columns = 0;
    int rows = 0;
    float left = 0;
    float bottom = 0;
    float size = 1;                    // millimetres a cell
    std::vector<std::uint32_t> start;  // columns * rows + 1 offsets into order
    std::vector<std::uint32_t> order;  // part indices, cell by cell, in row order
  };
  void indexBoards();

  BoardBox extent_;
  std::vector<PanelBoard> panelBoards_;
  float reach_ = 0;  // the largest half-diagonal of a body mark
  Cells cells_;
};

// The board of the component table, read without changing it: a row is taken
// when it is a component row (core/component_row.h), with its board of a
// panel;
// X and Y go through textToFloat and the angle to its low 16 bits, each from
// the trimmed cell, as the QPF writer reads them.
Board buildBoard(const Grid& table, const NumberFormat& format);

// The angle as the machine turns the part: signed degrees.
inline int signedDegrees(std::uint16_t angle) {
  return static_cast<std::int16_t>(angle);
}

// The turn of an angle as cosine and sine, exact for right angles so that a
// part at 90 degrees has its edges exactly where a part at 0 has them, turned.
struct Turn {
  double cos;
  double sin;
};
Turn turnOf(std::uint16_t angle);

// A plausible body size for a footprint name (chip sizes such as 0603, SOT23,
// SOIC8, LQFP48, headers): a mark to show position and rotation, not the
// footprint's outline. Unknown names get a small chip.
struct BodySize {
  float length;
  float width;
};
BodySize bodySizeOf(std::string_view footprint);

// The colour of a text (a value or a footprint) from a fixed palette: the
// same text gets the same colour on every run and every machine.
inline constexpr int kPaletteSize = 12;
extern const std::uint32_t kPalette[kPaletteSize];  // 0xRRGGBB
int paletteIndexOf(std::string_view text);

template <typename Visit>
void Board::visit(const BoardBox& box, Visit&& visit) const {
  if (cells_.columns == 0) return;
  auto clampCell = [](float at, int count) {
    if (!(at >= 0)) return 0;
    if (at >= static_cast<float>(count)) return count - 1;
    return static_cast<int>(at);
  };
  const float inv = 1.0f / cells_.size;
  int c0 = clampCell((box.left - reach_ - cells_.left) * inv, cells_.columns);
  int c1 = clampCell((box.right + reach_ - cells_.left) * inv, cells_.columns);
  int r0 = clampCell((box.bottom - reach_ - cells_.bottom) * inv, cells_.rows);
  int r1 = clampCell((box.top + reach_ - cells_.bottom) * inv, cells_.rows);
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) {
      std::size_t cell = static_cast<std::size_t>(r) * cells_.columns + c;
      for (std::uint32_t k = cells_.start[cell]; k < cells_.start[cell + 1]; ++k)
        visit(static_cast<int>(cells_.order[k]));
    }
  }
}

}  // namespace brisel
