#include "app/history.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
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

// A package rules report lists every row no rule matched: at 65,535 rows it
// takes megabytes, which a few dozen runs would multiply.
std::size_t reportBytes(const RulesReport& report) {
  std::size_t bytes = sizeof(RulesReport) + report.rules.capacity();
  for (const auto* counts : {&report.used, &report.unused})
    for (const RuleCount& count : *counts) bytes += sizeof(RuleCount) + count.pattern.capacity();
  for (const RuleMiss& miss : report.unmatched)
    bytes += sizeof(RuleMiss) + miss.reference.capacity() + miss.field.capacity();
  return bytes;
}

}  // namespace

// A block holds the rows that first appeared in one state; later states point
// into it for as long as they keep those rows. Its bytes live in memory of
// the C allocator: for blocks of a whole table realloc grows and shrinks them
// by remapping pages rather than copying megabytes.
class Block {
 public:
  explicit Block(std::uint32_t serial) : serial_(serial) {}
  ~Block() { std::free(bytes_); }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;

  std::uint32_t serial() const { return serial_; }
  const char* data() const { return bytes_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }

  void reserve(std::size_t capacity) {
    if (capacity > capacity_) resize(capacity);
  }
  void append(std::string_view bytes) {
    if (bytes.size() > capacity_ - size_) resize(std::max(2 * capacity_, size_ + bytes.size()));
    if (!bytes.empty()) std::memcpy(bytes_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  // Gives back the room a table's estimate left unused.
  void shrink() {
    if (capacity_ > size_ + size_ / 4) resize(size_);
  }

 private:
  void resize(std::size_t capacity) {
    void* bytes = std::realloc(bytes_, std::max<std::size_t>(capacity, 1));
    if (bytes == nullptr) throw std::bad_alloc();
    bytes_ = static_cast<char*>(bytes);
    capacity_ = capacity;
  }

  std::uint32_t serial_;
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

struct History::State {
  Table grid1;
  Table grid3;
  bool Button17Enabled = false;
  bool BU_FootPrintEnabled = false;
  // The reports of the rule runs the tables stand after, shared between the
  // states that follow them unchanged: undoing a run takes its report away.
  std::shared_ptr<const RakReport> rakReport;
  std::shared_ptr<const RulesReport> rulesReport;
  std::size_t rulesReportBytes = 0;  // what it takes, counted once however many share it
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

// Finds a row of the grid being captured among the rows of the state before:
// at its own place, or, when it moved (a sort, a deletion), by its bytes.
class History::RowFinder {
 public:
  explicit RowFinder(const Table* before) : before_(before) {}

  const Row* find(std::size_t index, std::string_view bytes) {
    if (before_ == nullptr) return nullptr;
    const Row* atPlace = index < before_->rows.size() ? &before_->rows[index] : nullptr;
    if (atPlace != nullptr && equal(*atPlace, bytes)) return atPlace;
    // A row whose leading cells (the number and the reference of the table)
    // stand where they stood was changed where it is: it is nowhere else.
    if (atPlace != nullptr && sameLeadingCells(*atPlace, bytes)) return nullptr;
    if (++misses_ <= kMissesBeforeIndex) return nullptr;
    if (slots_.empty()) buildIndex();
    return lookUp(bytes);
  }

 private:
  static constexpr std::size_t kMissesBeforeIndex = 64;
  static constexpr int kLeadingCells = 3;

  // A slot of the open-addressed index: part of the hash, the row's index + 1.
  struct Slot {
    std::uint32_t hash;
    std::uint32_t row;
  };

  static bool equal(const Row& row, std::string_view bytes) {
    return row.size == bytes.size() && std::memcmp(row.bytes, bytes.data(), bytes.size()) == 0;
  }

  static bool sameLeadingCells(const Row& row, std::string_view bytes) {
    RowReader a(row.bytes, row.size), b(bytes.data(), bytes.size());
    for (int c = 0; c < kLeadingCells; ++c) {
      const std::string_view cell = a.next();
      if (cell != b.next()) return false;
    }
    return true;
  }

  static std::uint32_t hashOf(std::string_view bytes) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(bytes));
  }

  // Equal rows (the empty ones below a table) take one slot, so that they
  // make no long run to probe.
  void buildIndex() {
    std::size_t size = 16;
    while (size < 2 * before_->rows.size()) size *= 2;
    slots_.assign(size, Slot{0, 0});
    mask_ = size - 1;
    for (std::size_t i = 0; i < before_->rows.size(); ++i) {
      const Row& row = before_->rows[i];
      const std::string_view bytes(row.bytes, row.size);
      const std::uint32_t hash = hashOf(bytes);
      std::size_t slot = hash & mask_;
      bool known = false;
      for (; slots_[slot].row != 0 && !known; slot = (slot + 1) & mask_)
        known = slots_[slot].hash == hash && equal(before_->rows[slots_[slot].row - 1], bytes);
      if (!known) slots_[slot] = {hash, static_cast<std::uint32_t>(i + 1)};
    }
  }

  const Row* lookUp(std::string_view bytes) const {
    const std::uint32_t hash = hashOf(bytes);
    for (std::size_t slot = hash & mask_; slots_[slot].row != 0; slot = (slot + 1) & mask_) {
      const Row& row = before_->rows[slots_[slot].row - 1];
      if (slots_[slot].hash == hash && equal(row, bytes)) return &row;
    }
    return nullptr;
  }

  const Table* before_;
  std::size_t misses_ = 0;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

// The rows that first appear in the state being captured, packed in one new
// block; their pointers are set once the block has stopped growing.
class History::NewRows {
 public:
  explicit NewRows(std::uint32_t serial) : block_(std::make_shared<Block>(serial)) {}

  void add(Table& table, std::size_t index, std::string_view bytes, std::size_t rowsLeft) {
    if (bytes.size() > UINT32_MAX) throw std::length_error("riga troppo lunga");
    if (block_->size() == 0) {  // room for the rest of the table alike
      // Twice the first row for each row left: rows further down are often
      // longer, and room reserved but not written costs no memory.
      block_->reserve(2 * (bytes.size() + 8) * rowsLeft);
      pending_.reserve(rowsLeft);
    }
    pending_.push_back({&table, index, block_->size()});
    table.rows[index].size = static_cast<std::uint32_t>(bytes.size());
    table.rows[index].block = block_->serial();
    block_->append(bytes);
  }

  // The block, or null when no row was new.
  std::shared_ptr<const Block> settle() {
    if (pending_.empty()) return nullptr;
    block_->shrink();
    for (const Pending& p : pending_) p.table->rows[p.row].bytes = block_->data() + p.offset;
    return std::move(block_);
  }

 private:
  struct Pending {
    Table* table;
    std::size_t row;
    std::size_t offset;
  };
  std::shared_ptr<Block> block_;
  std::vector<Pending> pending_;
};

void History::takeTable(const Grid& grid, Table& table, const Table* before, NewRows& fresh) {
  table.columns = grid.ColCount();
  table.rows.resize(static_cast<std::size_t>(grid.RowCount()));
  RowFinder finder(before != nullptr && before->columns == table.columns ? before : nullptr);
  std::string scratch;
  for (int r = 0; r < grid.RowCount(); ++r) {
    const auto index = static_cast<std::size_t>(r);
    encodeRow(grid, r, scratch);
    if (const Row* kept = finder.find(index, scratch))
      table.rows[index] = *kept;
    else
      fresh.add(table, index, scratch, static_cast<std::size_t>(grid.RowCount() - r));
  }
}

// Keeps the blocks of the state before that this one still points into.
void History::keepBlocks(State& state, const State* previous) {
  if (previous == nullptr) return;
  std::vector<std::uint32_t> used;
  for (const Table* table : {&state.grid1, &state.grid3})
    for (const Row& row : table->rows)
      if (used.empty() || used.back() != row.block) used.push_back(row.block);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  for (const auto& kept : previous->blocks)
    if (std::binary_search(used.begin(), used.end(), kept->serial())) state.blocks.push_back(kept);
}

std::unique_ptr<History::State> History::capture(const Workspace& workspace,
                                                 const State* previous) {
  auto state = std::make_unique<State>();
  state->Button17Enabled = workspace.Button17Enabled;
  state->BU_FootPrintEnabled = workspace.BU_FootPrintEnabled;
  state->rakReport = previous != nullptr && *previous->rakReport == workspace.rakReport
                         ? previous->rakReport
                         : std::make_shared<const RakReport>(workspace.rakReport);
  if (previous != nullptr && *previous->rulesReport == workspace.rulesReport) {
    state->rulesReport = previous->rulesReport;
    state->rulesReportBytes = previous->rulesReportBytes;
  } else {
    state->rulesReport = std::make_shared<const RulesReport>(workspace.rulesReport);
    state->rulesReportBytes = reportBytes(*state->rulesReport);
  }
  NewRows fresh(nextBlock_++);
  takeTable(workspace.StringGrid1, state->grid1, previous ? &previous->grid1 : nullptr, fresh);
  takeTable(workspace.StringGrid3, state->grid3, previous ? &previous->grid3 : nullptr, fresh);
  std::shared_ptr<const Block> block = fresh.settle();
  keepBlocks(*state, previous);
  if (block) state->blocks.push_back(std::move(block));
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

// Row r of `target` is row source[r] of `current` where their bytes are the
// same: at its own place first, else (a sort, a deletion moved it) the first
// row of `current` with those bytes that is not taken yet.
void History::matchRows(const Table& target, const Table& current, std::vector<std::size_t>& source,
                        std::vector<char>& taken) {
  const std::size_t liveRows = current.rows.size();
  const std::size_t targetRows = target.rows.size();
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
  if (current.columns == target.columns && current.rows.size() == liveRows)
    matchRows(target, current, source, taken);
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
  workspace.rulesReport = *state.rulesReport;
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
  std::vector<std::pair<const RulesReport*, std::size_t>> reports;
  std::size_t total = 0;
  for (const auto& state : states_) {
    total += sizeof(State) + state->grid1.rows.capacity() * sizeof(Row) +
             state->grid3.rows.capacity() * sizeof(Row) +
             state->blocks.capacity() * sizeof(std::shared_ptr<const Block>);
    for (const auto& block : state->blocks) blocks.push_back(block.get());
    reports.emplace_back(state->rulesReport.get(), state->rulesReportBytes);
  }
  std::sort(blocks.begin(), blocks.end());
  blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
  for (const Block* block : blocks) total += sizeof(Block) + block->capacity();
  std::sort(reports.begin(), reports.end());
  reports.erase(std::unique(reports.begin(), reports.end()), reports.end());
  for (const auto& [report, bytes] : reports) total += bytes;
  memory_ = total;
}

}  // namespace brisel
