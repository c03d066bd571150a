#include "core/grid.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

TEST(Workspace, StartsLikeAFreshWindow) {
  Workspace w;
  EXPECT_EQ(w.StringGrid1.ColCount(), 10);
  EXPECT_EQ(w.StringGrid1.RowCount(), 10);
  EXPECT_EQ(w.StringGrid2.ColCount(), 110);
  EXPECT_EQ(w.StringGrid2.RowCount(), 10);
  EXPECT_EQ(w.StringGrid3.ColCount(), 2);
  EXPECT_EQ(w.StringGrid3.RowCount(), 5);
  EXPECT_EQ(w.Memo1, std::vector<std::string>{"Memo1"});
  EXPECT_TRUE(w.Button17Enabled);
  EXPECT_FALSE(w.BU_FootPrintEnabled);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) EXPECT_EQ(w.StringGrid1.cell(c, r), "");
}

TEST(Grid, HoldsShortAndLongTextsAndAnyByte) {
  Grid g(3, 2);
  std::string binary("\0\xff\n\x80", 4);
  g.setCell(0, 0, "1234567");
  g.setCell(1, 0, "12345678");
  g.setCell(2, 0, binary);
  g.setCell(0, 1, std::string(10000, 'z'));
  EXPECT_EQ(g.cell(0, 0), "1234567");
  EXPECT_EQ(g.cell(1, 0), "12345678");
  EXPECT_EQ(g.cell(2, 0), binary);
  EXPECT_EQ(g.cell(0, 1), std::string(10000, 'z'));
  g.setCell(1, 0, "short");  // long to short and back
  g.setCell(0, 0, "now a longer text");
  EXPECT_EQ(g.cell(1, 0), "short");
  EXPECT_EQ(g.cell(0, 0), "now a longer text");
  g.clearCell(0, 1);
  EXPECT_EQ(g.cell(0, 1), "");
}

TEST(Grid, CopiesACellOntoItselfOrAnotherSafely) {
  Grid g(2, 2);
  g.setCell(0, 0, "a text longer than seven bytes");
  g.setCell(0, 0, g.cell(0, 0).substr(2));  // aliasing its own pooled text
  EXPECT_EQ(g.cell(0, 0), "text longer than seven bytes");
  g.setCell(1, 0, "inline");
  g.setCell(1, 0, g.cell(1, 0).substr(1));
  EXPECT_EQ(g.cell(1, 0), "nline");
  // Copy across cells while the pool grows.
  for (int i = 0; i < 100; ++i) {
    g.setCell(i % 2, 1, g.cell(0, 0));
    g.setCell(0, 0, std::string(g.cell(0, 0)) + "+");
  }
  EXPECT_EQ(g.cell(0, 0), "text longer than seven bytes" + std::string(100, '+'));
  // A long text cut to a short one, and a short one to a shorter, out of itself.
  g.setCell(0, 0, g.cell(0, 0).substr(110));
  EXPECT_EQ(g.cell(0, 0), std::string(18, '+'));
  g.setCell(1, 1, "0123456789012345678");
  g.setCell(1, 1, g.cell(1, 1).substr(3));
  EXPECT_EQ(g.cell(1, 1), "3456789012345678");
  // Every length a cell (7) or a pooled text (24) keeps in place, out of itself
  // at every offset.
  const std::string all = "0123456789abcdefghijklmn";
  for (std::size_t whole : {std::size_t{7}, all.size()})
    for (std::size_t size = 0; size <= whole; ++size)
      for (std::size_t from = 0; from + size <= whole; ++from) {
        g.setCell(0, 0, all.substr(0, whole));
        g.setCell(0, 0, g.cell(0, 0).substr(from, size));
        ASSERT_EQ(g.cell(0, 0), all.substr(from, size)) << whole << " " << from << " " << size;
      }
}

TEST(Grid, GrowthRuleKeepsNineRowsBelowAndNeverShrinks) {
  Grid g(10, 10);
  g.growFor(3);
  EXPECT_EQ(g.RowCount(), 13);
  g.growFor(1);
  EXPECT_EQ(g.RowCount(), 13);
  g.setCell(2, 12, "kept");
  g.growFor(50);
  EXPECT_EQ(g.RowCount(), 60);
  EXPECT_EQ(g.cell(2, 12), "kept");
  EXPECT_EQ(g.cell(2, 59), "");
}

TEST(Grid, DroppedRowsLoseTheirTextsAndComeBackEmpty) {
  Grid g(2, 5);
  g.setCell(1, 4, "a long text in the last row");
  g.setCell(1, 3, "x");
  g.setRowCount(3);
  g.setRowCount(5);
  EXPECT_EQ(g.cell(1, 4), "");
  EXPECT_EQ(g.cell(1, 3), "");
  EXPECT_THROW(g.setRowCount(-1), std::invalid_argument);
}

TEST(Grid, RejectsCellsOutsideIt) {
  Grid g(10, 10);
  EXPECT_THROW(g.cell(10, 0), std::out_of_range);
  EXPECT_THROW(g.cell(0, 10), std::out_of_range);
  EXPECT_THROW(g.cell(-1, 0), std::out_of_range);
  EXPECT_THROW(g.setCell(0, -1, "x"), std::out_of_range);
  EXPECT_THROW(g.swapRows(0, 10), std::out_of_range);
  EXPECT_THROW(g.moveCells(10, 0, 0, 9), std::out_of_range);
  // A row written whole is checked at both ends before any cell changes.
  const std::string_view row[] = {"a", "b", "a long text in the pool"};
  EXPECT_THROW(g.setCells(8, 0, row), std::out_of_range);
  EXPECT_THROW(g.setCells(-1, 0, row), std::out_of_range);
  EXPECT_EQ(g.cell(8, 0), "");
  EXPECT_EQ(g.cell(0, 1), "");
  g.setCells(7, 9, row);
  EXPECT_EQ(g.cell(7, 9), "a");
  EXPECT_EQ(g.cell(9, 9), "a long text in the pool");
  // Rows taken from another grid must fit both, with the same columns.
  Grid other(10, 3);
  EXPECT_THROW(g.takeRows(std::move(other), 1, 3, 0), std::out_of_range);
  EXPECT_THROW(g.takeRows(std::move(other), 0, 3, 8), std::out_of_range);
  EXPECT_THROW(g.takeRows(Grid(9, 3), 0, 1, 0), std::invalid_argument);
  EXPECT_THROW(g.takeRows(std::move(g), 0, 1, 1), std::invalid_argument);
  EXPECT_EQ(g.cell(9, 9), "a long text in the pool");
}

TEST(Grid, SwapsAndMovesRows) {
  Grid g(3, 4);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c)
      g.setCell(c, r, "row " + std::to_string(r) + " column " + std::to_string(c));
  g.swapRows(1, 3);
  EXPECT_EQ(testing::rowText(g, 1), "row 3 column 0|row 3 column 1|row 3 column 2");
  EXPECT_EQ(testing::rowText(g, 3), "row 1 column 0|row 1 column 1|row 1 column 2");
  g.moveCells(2, 1, 1, 2);
  EXPECT_EQ(testing::rowText(g, 1), "row 3 column 0|row 2 column 1|row 2 column 2");
  EXPECT_EQ(testing::rowText(g, 2), "row 2 column 0||");
  g.setCell(1, 2, "reused slot");
  EXPECT_EQ(g.cell(1, 1), "row 2 column 1");
}

// More long texts than the pool keeps in one chunk, and a copy that grows
// apart from its original.
TEST(Grid, KeepsThousandsOfLongTextsThroughACopy) {
  Grid g(2, 3000);
  auto text = [](int row) { return "footprint number " + std::to_string(row); };
  for (int r = 0; r < 3000; ++r) g.setCell(1, r, text(r));
  Grid copy = g;
  for (int r = 0; r < 3000; ++r) copy.setCell(0, r, text(r) + " copied");
  for (int r = 0; r < 3000; ++r) {
    ASSERT_EQ(g.cell(1, r), text(r));
    ASSERT_EQ(g.cell(0, r), "");
    ASSERT_EQ(copy.cell(1, r), text(r));
    ASSERT_EQ(copy.cell(0, r), text(r) + " copied");
  }
}

// Rows taken from another grid bring their texts; the slots freed on the way
// (theirs, those of the rows left behind, those of the rows replaced) serve
// the texts written after.
TEST(Grid, TakesRowsOfAnotherGridWithTheirTexts) {
  auto text = [](std::string_view whose, int column, int row) {
    return std::string(whose) + " text, column " + std::to_string(column) + " row " +
           std::to_string(row);
  };
  Grid g(3, 3000);
  for (int r = 0; r < 3000; ++r) g.setCell(1, r, text("our", 1, r));
  Grid other(3, 1500);
  for (int r = 0; r < 1500; ++r)
    for (int c = 0; c < 2; ++c) other.setCell(c, r, text("their", c, r));
  other.clearCell(1, 105);
  g.takeRows(std::move(other), 100, 1000, 2000);
  EXPECT_EQ(other.RowCount(), 0);
  for (int r = 0; r < 3000; ++r) g.setCell(2, r, text("new", 2, r));
  for (int r = 0; r < 3000; ++r) {
    const bool taken = r >= 2000;
    ASSERT_EQ(g.cell(0, r), taken ? text("their", 0, r - 1900) : "");
    ASSERT_EQ(g.cell(1, r), !taken      ? text("our", 1, r)
                            : r == 2005 ? ""
                                        : text("their", 1, r - 1900));
    ASSERT_EQ(g.cell(2, r), text("new", 2, r));
  }
}

// The pool recycles the slots of texts that go, whatever the order.
TEST(Grid, MatchesAPlainModelUnderRandomChanges) {
  std::mt19937 random(7);
  Grid g(4, 8);
  std::vector<std::vector<std::string>> model(8, std::vector<std::string>(4));
  for (int step = 0; step < 20000; ++step) {
    int c = static_cast<int>(random() % 4), r = static_cast<int>(random() % 8);
    switch (random() % 4) {
      case 0:
      case 1: {
        std::string text(random() % 20, static_cast<char>('a' + random() % 26));
        g.setCell(c, r, text);
        model[r][c] = text;
        break;
      }
      case 2: {
        int other = static_cast<int>(random() % 8);
        g.swapRows(r, other);
        std::swap(model[r], model[other]);
        break;
      }
      default: {
        int other = static_cast<int>(random() % 8);
        g.moveCells(r, other, 1, 2);
        if (r != other)
          for (int k = 1; k <= 2; ++k) model[other][k] = std::exchange(model[r][k], "");
      }
    }
  }
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 4; ++c) ASSERT_EQ(g.cell(c, r), model[r][c]) << c << "," << r;
}

}  // namespace
}  // namespace brisel
