// The byte dump's grid reads exactly as a grid of texts given the same
// changes: checked against Grid over random runs of every change it takes.
#include "core/byte_grid.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "core/grid.h"

namespace brisel {
namespace {

void expectSame(const Grid& texts, const ByteGrid& bytes, int step) {
  ASSERT_EQ(bytes.RowCount(), texts.RowCount()) << "step " << step;
  ASSERT_EQ(bytes.ColCount(), texts.ColCount());
  for (int r = 0; r < texts.RowCount(); ++r)
    for (int c = 0; c < texts.ColCount(); ++c)
      ASSERT_EQ(bytes.cell(c, r), texts.cell(c, r)) << "cell " << c << "," << r << " step " << step;
}

TEST(ByteGrid, ReadsAsAGridOfTextsUnderRandomChanges) {
  const char* texts[] = {"",    "0",  "7",  "42", "255", "256",
                         "007", "00", "-1", "x",  "1 ",  "a longer text than seven",
                         "\n"};
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    const int columns = 1 + static_cast<int>(random() % 130);  // across a 64-cell word
    Grid reference(columns, 3);
    ByteGrid grid(columns, 3);
    for (int step = 0; step < 300; ++step) {
      int rows = reference.RowCount();
      switch (rows == 0 ? 5 : random() % 6) {
        case 0:
        case 1: {
          int c = static_cast<int>(random() % static_cast<unsigned>(columns));
          int r = static_cast<int>(random() % static_cast<unsigned>(rows));
          std::string_view text = texts[random() % std::size(texts)];
          reference.setCell(c, r, text);
          grid.setCell(c, r, text);
          break;
        }
        case 2:
        case 3: {
          int r = static_cast<int>(random() % static_cast<unsigned>(rows));
          int first = static_cast<int>(random() % static_cast<unsigned>(columns));
          std::string bytes(random() % static_cast<unsigned>(columns - first + 1), '\0');
          for (char& b : bytes) b = static_cast<char>(random());
          for (std::size_t j = 0; j < bytes.size(); ++j)
            reference.setCell(first + static_cast<int>(j), r,
                              std::to_string(static_cast<unsigned char>(bytes[j])));
          grid.setBytes(r, first, bytes);
          break;
        }
        case 4: {
          int to = static_cast<int>(random() % 12);
          reference.setRowCount(to);
          grid.setRowCount(to);
          break;
        }
        default: {
          int row = static_cast<int>(random() % 8);
          reference.growFor(row);
          grid.growFor(row);
        }
      }
      expectSame(reference, grid, step);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(ByteGrid, RefusesCellsOutsideIt) {
  ByteGrid grid(110, 10);
  EXPECT_THROW(grid.cell(110, 0), std::out_of_range);
  EXPECT_THROW(grid.cell(0, 10), std::out_of_range);
  EXPECT_THROW(grid.setCell(-1, 0, "1"), std::out_of_range);
  EXPECT_THROW(grid.setBytes(9, 100, std::string(11, 'x')), std::out_of_range);
  EXPECT_EQ(grid.cell(109, 9), "");  // the refused write left nothing
  EXPECT_THROW(ByteGrid(-1, 1), std::invalid_argument);
}

}  // namespace
}  // namespace brisel
