// The undo history: states put back exactly, steps only for changes, the
// depth and memory bounds.
#include "app/history.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/table_shape.h"
#include "core/workspace.h"

namespace brisel {
namespace {

// Equal grids and flags: what the history must put back.
::testing::AssertionResult sameTables(const Workspace& a, const Workspace& b) {
  for (auto grid : {&Workspace::StringGrid1, &Workspace::StringGrid3}) {
    const Grid& x = a.*grid;
    const Grid& y = b.*grid;
    if (x.RowCount() != y.RowCount())
      return ::testing::AssertionFailure()
             << "rows " << x.RowCount() << " against " << y.RowCount();
    for (int r = 0; r < x.RowCount(); ++r)
      for (int c = 0; c < x.ColCount(); ++c)
        if (x.cell(c, r) != y.cell(c, r))
          return ::testing::AssertionFailure() << "cell " << c << "," << r << " '" << x.cell(c, r)
                                               << "' against '" << y.cell(c, r) << "'";
  }
  if (a.Button17Enabled != b.Button17Enabled || a.BU_FootPrintEnabled != b.BU_FootPrintEnabled)
    return ::testing::AssertionFailure() << "buttons differ";
  return ::testing::AssertionSuccess();
}

// Changes as the operations make them: cells typed, rows moved, removed and
// added, the rules and the buttons.
using Edit = std::function<void(Workspace&, std::mt19937&)>;

const std::vector<Edit>& edits() {
  static const std::vector<Edit> all = {
      [](Workspace& w, std::mt19937& random) {  // type a short or a long text
        Grid& g = w.StringGrid1;
        const int r = static_cast<int>(random() % static_cast<unsigned>(g.RowCount() - 1)) + 1;
        const int c = static_cast<int>(random() % 9) + 1;
        g.setCell(c, r,
                  random() % 2 ? "R" + std::to_string(random() % 7)
                               : "12.3999996185303 " + std::to_string(random() % 5));
      },
      [](Workspace& w, std::mt19937&) {  // reverse the rows, as a sort may
        Grid& g = w.StringGrid1;
        for (int a = 1, b = g.RowCount() - 1; a < b; ++a, --b) g.swapRows(a, b);
      },
      [](Workspace& w, std::mt19937& random) {  // delete a row
        Grid& g = w.StringGrid1;
        if (g.RowCount() <= 3) return;
        const int gone = static_cast<int>(random() % static_cast<unsigned>(g.RowCount() - 2)) + 1;
        for (int r = gone; r + 1 < g.RowCount(); ++r) g.moveCells(r + 1, r, 0, g.ColCount() - 1);
        g.setRowCount(g.RowCount() - 1);
      },
      [](Workspace& w, std::mt19937& random) {  // grow as an import does
        w.StringGrid1.growFor(w.StringGrid1.RowCount() + static_cast<int>(random() % 4));
      },
      [](Workspace& w, std::mt19937& random) {  // load rules
        Grid& g = w.StringGrid3;
        g.setRowCount(static_cast<int>(random() % 6) + 2);
        g.setCell(0, 1, "10K");
        g.setCell(1, 1, std::to_string(random() % 360));
      },
      [](Workspace& w, std::mt19937& random) {  // the two buttons
        w.Button17Enabled = random() % 2;
        w.BU_FootPrintEnabled = random() % 2;
      },
      [](Workspace& w, std::mt19937&) {  // retype a cell with its own text: no change
        w.StringGrid1.setCell(2, 1, std::string(w.StringGrid1.cell(2, 1)));
      },
  };
  return all;
}

// Random edits, undos and redos against a list of the states themselves.
TEST(History, PutsBackEveryStateAsAListOfCopiesWould) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    Workspace workspace;
    History history(workspace);
    std::vector<Workspace> states{workspace};
    std::size_t at = 0;
    for (int turn = 0; turn < 120; ++turn) {
      const unsigned choice = random() % 10;
      if (choice < 2) {
        ASSERT_EQ(history.undo(workspace), at > 0) << seed << " turn " << turn;
        if (at > 0) --at;
      } else if (choice < 3) {
        ASSERT_EQ(history.redo(workspace), at + 1 < states.size()) << seed << " turn " << turn;
        if (at + 1 < states.size()) ++at;
      } else {
        edits()[random() % edits().size()](workspace, random);
        const bool changed = !sameTables(workspace, states[at]);
        ASSERT_EQ(history.record(workspace), changed) << seed << " turn " << turn;
        if (changed) {
          states.resize(at + 1);
          states.push_back(workspace);
          ++at;
        }
      }
      ASSERT_TRUE(sameTables(workspace, states[at])) << seed << " turn " << turn;
      ASSERT_EQ(history.undoSteps(), at);
      ASSERT_EQ(history.redoSteps(), states.size() - 1 - at);
    }
  }
}

TEST(History, UndoTakesBackAChangeNotYetRecorded) {
  Workspace workspace;
  History history(workspace);
  workspace.StringGrid1.setCell(2, 1, "R1");
  ASSERT_TRUE(history.undo(workspace));
  EXPECT_EQ(workspace.StringGrid1.cell(2, 1), "");
  ASSERT_TRUE(history.redo(workspace));
  EXPECT_EQ(workspace.StringGrid1.cell(2, 1), "R1");
  // A change after an undo is a new step: nothing is left to redo.
  ASSERT_TRUE(history.undo(workspace));
  workspace.StringGrid1.setCell(2, 1, "R2");
  EXPECT_FALSE(history.redo(workspace));
  EXPECT_EQ(workspace.StringGrid1.cell(2, 1), "R2");
}

TEST(History, KeepsTheNewestStepsUpToItsDepth) {
  Workspace workspace;
  History history(workspace);
  const int steps = static_cast<int>(History::kMaxSteps) + 5;
  for (int step = 1; step <= steps; ++step) {
    workspace.StringGrid1.setCell(1, 1, std::to_string(step));
    history.record(workspace);
  }
  EXPECT_EQ(history.undoSteps(), History::kMaxSteps);
  while (history.undo(workspace)) {
  }
  EXPECT_EQ(workspace.StringGrid1.cell(1, 1), std::to_string(steps - History::kMaxSteps));
}

// Fifty steps that each rewrite every coordinate of a full table stay in the
// history and inside 400 MB.
TEST(History, FiftyFullTableStepsFitInTheMemoryBound) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  // A minute or two of a sanitizer's bookkeeping for a bound of memory, which
  // its allocator counts differently anyway, on one thread: the normal build
  // holds it.
  GTEST_SKIP() << "the memory bound is held by the build without sanitizers";
#endif
  Workspace workspace;
  Grid& table = workspace.StringGrid1;
  table.growFor(kMaxComponents);
  for (int r = 1; r <= kMaxComponents; ++r) {
    table.setCell(col::Number, r, std::to_string(r));
    table.setCell(col::Reference, r, "R" + std::to_string(r));
    table.setCell(col::Value, r, "100nF");
    table.setCell(col::Angle, r, "90");
    table.setCell(col::Footprint, r, "C0603");
  }
  History history(workspace);
  for (int step = 0; step < 50; ++step) {
    for (int r = 1; r <= kMaxComponents; ++r) {
      table.setCell(col::X, r,
                    "12.39999961853" + std::to_string(step % 10) + std::to_string(r % 7));
      table.setCell(col::Y, r,
                    "-3.20000004768" + std::to_string(step % 10) + std::to_string(r % 3));
    }
    ASSERT_TRUE(history.record(workspace));
  }
  EXPECT_EQ(history.undoSteps(), 50u);
  EXPECT_LE(history.memoryUsed(), std::size_t{400} << 20);
  for (int step = 0; step < 50; ++step) ASSERT_TRUE(history.undo(workspace));
  EXPECT_EQ(table.cell(col::X, 1), "");
  EXPECT_EQ(table.cell(col::Reference, kMaxComponents), "R65535");
}

}  // namespace
}  // namespace brisel
