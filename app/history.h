#pragma once
// Undo and redo for the workspace: the component table (StringGrid1), the
// rule grid (StringGrid3), the enabled states of Button17 and BU_FootPrint
// and the reports of the RAK and package rules runs that the tables stand
// after. The byte dump
// and Memo1 only show a file and are left out.
//
// The history keeps a list of states and the position of the one the
// workspace stands in. record() compares the workspace with that state and,
// when anything differs, drops what could be redone and appends the workspace
// as the newest state; so an operation that changed nothing records nothing,
// and one that failed part-way records what it wrote.
//
// States share rows: a row that an operation left as it was (wherever it
// moved to) points to the bytes of the state before, and only rows that
// changed take new room, all packed in one block a state. The depth is also
// bounded by memory: the oldest states go once the history holds more than
// kMaxSteps steps or kMemoryBudget bytes (at 65,535 rows, 50 steps that each
// rewrite every row stay well inside it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/workspace.h"

namespace brisel {

class History {
 public:
  static constexpr std::size_t kMaxSteps = 100;
  static constexpr std::size_t kMemoryBudget = std::size_t{384} << 20;

  // The workspace as it stands is the first state, with nothing to undo.
  explicit History(const Workspace& workspace);
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Records the workspace as a new step if it differs from the current
  // state; true when it did.
  bool record(const Workspace& workspace);

  bool canUndo() const { return position_ > 0; }
  bool canRedo() const { return position_ + 1 < states_.size(); }

  // Put the workspace back to the state before the last step, or forward to
  // the one after; false (the workspace untouched) when there is none. A
  // change made since the last record() is recorded first, so it is what an
  // undo takes back.
  bool undo(Workspace& workspace);
  bool redo(Workspace& workspace);

  // Steps that can be undone and redone, and the bytes the history holds.
  std::size_t undoSteps() const { return position_; }
  std::size_t redoSteps() const { return states_.size() - 1 - position_; }
  std::size_t memoryUsed() const { return memory_; }

 private:
  // One row of a grid: its cells one after the other, each a length (7 bits
  // a byte, low first, the high bit saying another follows) then its bytes.
  struct Row {
    const char* bytes;
    std::uint32_t size;
    std::uint32_t block;  // serial of the block holding the bytes
  };
  struct Table {
    int columns = 0;
    std::vector<Row> rows;
  };
  struct State;

  class RowFinder;
  class NewRows;

  std::unique_ptr<State> capture(const Workspace& workspace, const State* previous);
  static void takeTable(const Grid& grid, Table& table, const Table* before, NewRows& fresh);
  static void keepBlocks(State& state, const State* previous);
  static bool same(const Table& table, const Grid& grid);
  static bool sameState(const State& state, const Workspace& workspace);
  static void restore(const State& state, const State& current, Workspace& workspace);
  static void restoreTable(const Table& target, const Table& current, Grid& grid);
  static void matchRows(const Table& target, const Table& current, std::vector<std::size_t>& source,
                        std::vector<char>& taken);
  void trim();
  void measure();

  std::vector<std::unique_ptr<State>> states_;
  std::size_t position_ = 0;
  std::size_t memory_ = 0;
  std::uint32_t nextBlock_ = 0;
  // The generations of the two grids when they last matched the current
  // state: while they stand, record() needs no look at the cells.
  std::uint64_t seen1_ = 0;
  std::uint64_t seen3_ = 0;
  void saw(const Workspace& workspace);
};

}  // namespace brisel
