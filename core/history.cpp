#include "core/history.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>

namespace brisel {

namespace {

void appendLength(std::string& out, std::size_t length) {
  do {
    auto byte = static_cast<unsigned char>(length & 0x7F);
    length >>= 7;
    if (length != 0) byte |= 0x80;
    out += static_cast<char>(byte);
  } while (length != 0);
}

// Reads the cells of an encoded row one by one.
class RowReader {
 public:
  RowReader(const char* bytes, std::size_t size) : at_(bytes), end_(bytes + size) {}

  std::string_view next() {
    std::size_t length = 0;
    int shift = 0;
    while (at_ < end_) {
      auto byte = static_cast<unsigned char>(*at_++);
      length |= static_cast<std::size_t>(byte & 0x7F) << shift;
      shift += 7;
      if ((byte & 0x80) == 0) break;
    }
    length = std::min(length, static_cast<std::size_t>(end_ - at_));
    std::string_view text(at_, length);
    at_ += length;
    return text;
  }

 private:
  const char* at_;
  const char* end_;
};

void encodeRow(const Grid& grid, int row, std::string& out) {
  out.clear();
  for (int c = 0; c < grid.ColCount(); ++c) {
    std::string_view text = grid.cell(c, row);
    appendLength(out, text.size());
    out.append(text);
  }
}

}  // namespace

// A block holds the rows that first appeared in one state; later states point
// into it for as long as they keep those rows.
struct Block {
  std::uint32_t serial;
  std::string bytes;
};

struct History::State {
  Table grid1;
  Table grid3;
  bool Button17Enabled = false;
  bool BU_FootPrintEnabled = false;
  // The report of the rule run the tables stand after, shared between the
  // states that follow it unchanged: undoing a run takes its report away.
  std::shared_ptr<const RakReport> rakReport;
  // The blocks the rows point into, by serial; each shared with the states
  // that keep rows of it.
  std::vector<std::shared_ptr<const Block>> blocks;
};

History::History(const Workspace& workspace) {
  states_.push_back(capture(workspace, nullptr));
  saw(workspace);
  measure();
}

void History::saw(const Workspace& workspace) {
  seen1_ = workspace.StringGrid1.generation();
  seen3_ = workspace.StringGrid3.generation();
}

History::~History() = default;

std::unique_ptr<History::State> History::capture(const Workspace& workspace,
                                                 const State* previous) {
  auto state = std::make_unique<State>();
  state->Button17Enabled = workspace.Button17Enabled;
  state->BU_FootPrintEnabled = workspace.BU_FootPrintEnabled;
  state->rakReport = previous != nullptr && *previous->rakReport == workspace.rakReport
                         ? previous->rakReport
                         : std::make_shared<const RakReport>(workspace.rakReport);
  auto block = std::make_shared<Block>();
  block->serial = nextBlock_++;

  struct Pending {
    Table* table;
    std::size_t row;
    std::size_t offset;
  };
  std::vector<Pending> pending;
  std::string scratch;

  auto take = [&](const Grid& grid, Table& table, const Table* before) {
    table.columns = grid.ColCount();
    table.rows.resize(static_cast<std::size_t>(grid.RowCount()));
    // Rows that moved (a sort, a deletion) are found by their bytes, in an
    // open-addressed table of hashes built once many rows differ from the row
    // at their place.
    std::vector<std::pair<std::size_t, std::uint32_t>> moved;  // hash, index + 1
    std::size_t mask = 0;
    std::size_t misses = 0;
    const std::hash<std::string_view> hasher;
    const bool comparable = before != nullptr && before->columns == table.columns;
    for (int r = 0; r < grid.RowCount(); ++r) {
      const auto index = static_cast<std::size_t>(r);
      encodeRow(grid, r, scratch);
      if (comparable) {
        std::optional<std::size_t> found;
        if (index < before->rows.size() && before->rows[index].size == scratch.size() &&
            std::memcmp(before->rows[index].bytes, scratch.data(), scratch.size()) == 0) {
          found = index;
        } else if (++misses > 64) {
          if (moved.empty()) {
            std::size_t size = 16;
            while (size < 2 * before->rows.size()) size *= 2;
            moved.assign(size, {0, 0});
            mask = size - 1;
            for (std::size_t i = 0; i < before->rows.size(); ++i) {
              // Equal rows (the empty ones below a table) take one slot, so
              // that they make no long run to probe.
              const Row& row = before->rows[i];
              const std::size_t hash = hasher(std::string_view(row.bytes, row.size));
              std::size_t slot = hash & mask;
              bool known = false;
              for (; moved[slot].second != 0 && !known; slot = (slot + 1) & mask) {
                const Row& other = before->rows[moved[slot].second - 1];
                known = moved[slot].first == hash && other.size == row.size &&
                        std::memcmp(other.bytes, row.bytes, row.size) == 0;
              }
              if (!known) moved[slot] = {hash, static_cast<std::uint32_t>(i + 1)};
            }
          }
          const std::size_t hash = hasher(scratch);
          for (std::size_t slot = hash & mask; moved[slot].second != 0; slot = (slot + 1) & mask) {
            if (moved[slot].first != hash) continue;
            const Row& row = before->rows[moved[slot].second - 1];
            if (row.size == scratch.size() &&
                std::memcmp(row.bytes, scratch.data(), scratch.size()) == 0) {
              found = moved[slot].second - 1;
              break;
            }
          }
        }
        if (found) {
          table.rows[index] = before->rows[*found];
          continue;
        }
      }
      if (scratch.size() > UINT32_MAX) throw std::length_error("riga troppo lunga");
      if (block->bytes.empty())  // room for the rest of the table alike, grown but once
        block->bytes.reserve((scratch.size() + 8) * static_cast<std::size_t>(grid.RowCount() - r));
      pending.push_back({&table, index, block->bytes.size()});
      table.rows[index].size = static_cast<std::uint32_t>(scratch.size());
      table.rows[index].block = block->serial;
      block->bytes += scratch;
    }
  };
  take(workspace.StringGrid1, state->grid1, previous ? &previous->grid1 : nullptr);
  take(workspace.StringGrid3, state->grid3, previous ? &previous->grid3 : nullptr);

  if (block->bytes.capacity() > block->bytes.size() + block->bytes.size() / 4)
    block->bytes.shrink_to_fit();
  for (const Pending& p : pending) p.table->rows[p.row].bytes = block->bytes.data() + p.offset;

  // Keep the blocks of the state before that this one still points into.
  std::vector<std::uint32_t> used;
  for (const Table* table : {&state->grid1, &state->grid3})
    for (const Row& row : table->rows)
      if (used.empty() || used.back() != row.block) used.push_back(row.block);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  auto isUsed = [&](std::uint32_t serial) {
    return std::binary_search(used.begin(), used.end(), serial);
  };
  if (previous != nullptr)
    for (const auto& kept : previous->blocks)
      if (isUsed(kept->serial)) state->blocks.push_back(kept);
  if (!pending.empty()) state->blocks.push_back(std::move(block));
  return state;
}

bool History::same(const Table& table, const Grid& grid) {
  if (table.columns != grid.ColCount() ||
      table.rows.size() != static_cast<std::size_t>(grid.RowCount()))
    return false;
  for (int r = 0; r < grid.RowCount(); ++r) {
    const Row& row = table.rows[static_cast<std::size_t>(r)];
    RowReader reader(row.bytes, row.size);
    for (int c = 0; c < grid.ColCount(); ++c)
      if (reader.next() != grid.cell(c, r)) return false;
  }
  return true;
}

bool History::sameState(const State& state, const Workspace& workspace) {
  return state.Button17Enabled == workspace.Button17Enabled &&
         state.BU_FootPrintEnabled == workspace.BU_FootPrintEnabled &&
         same(state.grid1, workspace.StringGrid1) && same(state.grid3, workspace.StringGrid3);
}

bool History::record(const Workspace& workspace) {
  const State& current = *states_[position_];
  const bool untouched = workspace.StringGrid1.generation() == seen1_ &&
                         workspace.StringGrid3.generation() == seen3_ &&
                         current.Button17Enabled == workspace.Button17Enabled &&
                         current.BU_FootPrintEnabled == workspace.BU_FootPrintEnabled;
  if (untouched) return false;
  if (sameState(current, workspace)) {
    saw(workspace);
    return false;
  }
  auto next = capture(workspace, &current);
  states_.resize(position_ + 1);
  states_.push_back(std::move(next));
  position_ = states_.size() - 1;
  saw(workspace);
  measure();
  trim();
  return true;
}

void History::restoreTable(const Table& target, const Table& current, Grid& grid) {
  if (target.columns != grid.ColCount())
    throw std::logic_error("la griglia ha cambiato numero di colonne");
  const std::size_t liveRows = static_cast<std::size_t>(grid.RowCount());
  const std::size_t targetRows = target.rows.size();
  const std::size_t rows = std::max(liveRows, targetRows);
  // The grid holds `current` (record() saw to it). A row of the target that
  // shares its bytes with a row of `current` is that row, moved at most:
  // whole rows are exchanged into place, and only the others are written
  // cell by cell. So undoing a sort moves rows instead of copying texts.
  std::vector<std::size_t> source(rows, SIZE_MAX);
  std::vector<char> taken(rows, 0);
  const bool comparable = current.columns == target.columns && current.rows.size() == liveRows;
  if (comparable) {
    for (std::size_t r = 0; r < std::min(liveRows, targetRows); ++r)
      if (target.rows[r].bytes == current.rows[r].bytes) {
        source[r] = r;
        taken[r] = 1;
      }
    std::vector<std::pair<const char*, std::size_t>> live(liveRows);
    for (std::size_t r = 0; r < liveRows; ++r) live[r] = {current.rows[r].bytes, r};
    std::sort(live.begin(), live.end());
    std::vector<std::size_t> next(liveRows);  // where each run of equal bytes is looked at next
    for (std::size_t i = 0; i < liveRows; ++i) next[i] = i;
    for (std::size_t r = 0; r < targetRows; ++r) {
      if (source[r] != SIZE_MAX) continue;
      const char* bytes = target.rows[r].bytes;
      auto first = std::lower_bound(live.begin(), live.end(), std::pair{bytes, std::size_t{0}});
      if (first == live.end() || first->first != bytes) continue;
      const auto group = static_cast<std::size_t>(first - live.begin());
      std::size_t at = next[group];
      while (at < liveRows && live[at].first == bytes && taken[live[at].second]) ++at;
      next[group] = at;
      if (at < liveRows && live[at].first == bytes) {
        source[r] = live[at].second;
        taken[live[at].second] = 1;
      }
    }
  }
  // The rows left over fill the places of the rows that are written anew.
  std::vector<char> rewrite(rows, 0);
  std::size_t spare = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    if (source[r] != SIZE_MAX) continue;
    while (taken[spare]) ++spare;
    source[r] = spare;
    taken[spare] = 1;
    rewrite[r] = 1;
  }
  if (rows > liveRows) grid.setRowCount(static_cast<int>(rows));
  std::vector<int> from(rows);
  for (std::size_t r = 0; r < rows; ++r) from[r] = static_cast<int>(source[r]);
  grid.reorderRows(from);
  if (targetRows < rows) grid.setRowCount(static_cast<int>(targetRows));
  for (int r = 0; r < grid.RowCount(); ++r) {
    if (!rewrite[static_cast<std::size_t>(r)]) continue;
    const Row& row = target.rows[static_cast<std::size_t>(r)];
    RowReader reader(row.bytes, row.size);
    for (int c = 0; c < grid.ColCount(); ++c) {
      std::string_view text = reader.next();
      if (grid.cell(c, r) != text) grid.setCell(c, r, text);
    }
  }
}

void History::restore(const State& state, const State& current, Workspace& workspace) {
  restoreTable(state.grid1, current.grid1, workspace.StringGrid1);
  restoreTable(state.grid3, current.grid3, workspace.StringGrid3);
  workspace.Button17Enabled = state.Button17Enabled;
  workspace.BU_FootPrintEnabled = state.BU_FootPrintEnabled;
  workspace.rakReport = *state.rakReport;
}

bool History::undo(Workspace& workspace) {
  record(workspace);
  if (!canUndo()) return false;
  --position_;
  restore(*states_[position_], *states_[position_ + 1], workspace);
  saw(workspace);
  return true;
}

bool History::redo(Workspace& workspace) {
  record(workspace);
  if (!canRedo()) return false;
  ++position_;
  restore(*states_[position_], *states_[position_ - 1], workspace);
  saw(workspace);
  return true;
}

void History::trim() {
  while (position_ > 0 && (states_.size() - 1 > kMaxSteps || memory_ > kMemoryBudget)) {
    states_.erase(states_.begin());
    --position_;
    measure();
  }
}

void History::measure() {
  std::vector<const Block*> blocks;
  std::size_t total = 0;
  for (const auto& state : states_) {
    total += sizeof(State) + state->grid1.rows.capacity() * sizeof(Row) +
             state->grid3.rows.capacity() * sizeof(Row) +
             state->blocks.capacity() * sizeof(std::shared_ptr<const Block>);
    for (const auto& block : state->blocks) blocks.push_back(block.get());
  }
  std::sort(blocks.begin(), blocks.end());
  blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
  for (const Block* block : blocks) total += sizeof(Block) + block->bytes.capacity();
  memory_ = total;
}

}  // namespace brisel
