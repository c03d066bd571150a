#include "core/grid.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace brisel {

std::uint64_t Grid::generation() const {
  static std::atomic<std::uint64_t> generations{0};
  if (changed_) {
    generation_ = ++generations;
    changed_ = false;
  }
  return generation_;
}

// Copies a text of up to 24 bytes that may overlap its target, as memmove
// does, without the call: most cells are that short, and a table is written
// a cell at a time. Every byte is read before any is written.
static void moveShort(char* to, const char* from, std::size_t size) {
  auto load = [from](std::size_t at, auto word) {
    std::memcpy(&word, from + at, sizeof word);
    return word;
  };
  auto store = [to](std::size_t at, auto word) { std::memcpy(to + at, &word, sizeof word); };
  if (size > 16) {
    const auto a = load(0, std::uint64_t{}), b = load(8, std::uint64_t{}),
               c = load(size - 8, std::uint64_t{});
    store(0, a);
    store(8, b);
    store(size - 8, c);
  } else if (size >= 8) {
    const auto a = load(0, std::uint64_t{}), b = load(size - 8, std::uint64_t{});
    store(0, a);
    store(size - 8, b);
  } else if (size >= 4) {
    const auto a = load(0, std::uint32_t{}), b = load(size - 4, std::uint32_t{});
    store(0, a);
    store(size - 4, b);
  } else if (size > 0) {
    const char a = from[0], b = from[size / 2], c = from[size - 1];
    to[0] = a;
    to[size / 2] = b;
    to[size - 1] = c;
  }
}

Grid::PoolText& Grid::PoolText::operator=(const PoolText& other) {
  if (this != &other) assign(other.view());
  return *this;
}

Grid::PoolText::~PoolText() {
  if (onHeap()) delete[] heap_;
}

void Grid::PoolText::assign(std::string_view text) {
  if (text.size() > UINT32_MAX) throw std::length_error("testo troppo lungo per la griglia");
  const auto size = static_cast<std::uint32_t>(text.size());
  if (size <= kInPlace) {
    char* old = onHeap() ? heap_ : nullptr;  // freed once the text is copied out of it
    static_assert(kInPlace <= 24, "moveShort copies up to 24 bytes");
    moveShort(inPlace_, text.data(), size);
    delete[] old;
    capacity_ = 0;
  } else if (onHeap() && size <= capacity_) {
    std::memmove(heap_, text.data(), size);
  } else {
    char* bytes = new char[size];
    std::memcpy(bytes, text.data(), size);
    if (onHeap()) delete[] heap_;
    heap_ = bytes;
    capacity_ = size;
  }
  size_ = size;
}

Grid::Pool& Grid::Pool::operator=(const Pool& other) {
  if (this == &other) return *this;
  std::vector<std::vector<PoolText>> chunks(other.chunks_.size());
  for (std::size_t c = 0; c < chunks.size(); ++c) {
    chunks[c].reserve(kChunk);
    chunks[c].insert(chunks[c].end(), other.chunks_[c].begin(), other.chunks_[c].end());
  }
  chunks_ = std::move(chunks);
  size_ = other.size_;
  return *this;
}

void Grid::Pool::push(std::string_view text) {
  if (chunks_.empty() || chunks_.back().size() == kChunk) chunks_.emplace_back().reserve(kChunk);
  chunks_.back().emplace_back(text);  // within its capacity: nothing `text` may view moves
  ++size_;
}

std::size_t Grid::Pool::append(Pool&& other) {
  const std::size_t first = chunks_.size() * kChunk;
  if (!chunks_.empty()) chunks_.back().resize(kChunk);  // within its capacity: nothing moves
  for (auto& chunk : other.chunks_) chunks_.push_back(std::move(chunk));
  size_ = first + other.size_;
  other.chunks_.clear();
  other.size_ = 0;
  return first;
}

static void checkRow(int row, int rows) {
  if (row < 0 || row >= rows) throw std::out_of_range("riga fuori dalla griglia");
}

Grid::Grid(int columns, int rows) : columns_(columns), rows_(0) {
  if (columns < 0) throw std::invalid_argument("numero di colonne negativo");
  setRowCount(rows);
}

void Grid::setRowCount(int rows) {
  if (rows < 0) throw std::invalid_argument("numero di righe negativo");
  changed();
  for (int r = rows; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c) release(at(c, r));
  // Value-initialised cells are empty (all bytes zero): filled as memory is,
  // where copying a Cell{} would go through the stack one cell at a time.
  cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
  rows_ = rows;
}

void Grid::growFor(int row) {
  if (rows_ < row + 10) setRowCount(row + 10);
}

Grid::Cell& Grid::at(int column, int row) {
  return const_cast<Cell&>(std::as_const(*this).at(column, row));
}

const Grid::Cell& Grid::at(int column, int row) const {
  if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
    throw std::out_of_range("cella fuori dalla griglia");
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                static_cast<std::size_t>(column)];
}

std::uint32_t Grid::poolIndex(const Cell& cell) {
  std::uint32_t index;
  std::memcpy(&index, cell.bytes, sizeof index);
  return index;
}

std::string_view Grid::cell(int column, int row) const {
  const Cell& c = at(column, row);
  if (c.size == kPooled) return pool_[poolIndex(c)].view();
  return {c.bytes, c.size};
}

void Grid::release(Cell& cell) {
  // The pooled text itself stays as it is until its slot is reused, so a view
  // of it taken before this change remains readable while the caller copies it.
  if (cell.size == kPooled) freeSlots_.push_back(poolIndex(cell));
  cell.size = 0;
}

std::uint32_t Grid::store(std::string_view text) {
  if (!freeSlots_.empty()) {
    std::uint32_t slot = freeSlots_.back();
    freeSlots_.pop_back();
    pool_[slot].assign(text);
    return slot;
  }
  if (pool_.size() >= UINT32_MAX) throw std::length_error("troppi testi nella griglia");
  pool_.push(text);
  return static_cast<std::uint32_t>(pool_.size() - 1);
}

void Grid::setCell(int column, int row, std::string_view text) {
  put(at(column, row), text);
}

void Grid::setCells(int firstColumn, int row, std::span<const std::string_view> texts) {
  if (texts.empty()) return;
  Cell* cell = &at(firstColumn, row);
  (void)at(firstColumn + static_cast<int>(texts.size()) - 1, row);
  for (std::string_view text : texts) put(*cell++, text);
}

void Grid::put(Cell& c, std::string_view text) {
  changed();
  if (text.size() <= kInline) {
    release(c);
    moveShort(c.bytes, text.data(), text.size());
    c.size = static_cast<std::uint8_t>(text.size());
    return;
  }
  if (c.size == kPooled) {
    pool_[poolIndex(c)].assign(text);
    return;
  }
  std::uint32_t slot = store(text);
  std::memcpy(c.bytes, &slot, sizeof slot);
  c.size = kPooled;
}

void Grid::reorderRows(const std::vector<int>& from) {
  if (from.size() != static_cast<std::size_t>(rows_))
    throw std::invalid_argument("riordino di righe non valido");
  std::vector<char> seen(from.size(), 0);
  for (int source : from) {
    if (source < 0 || source >= rows_ || seen[static_cast<std::size_t>(source)])
      throw std::invalid_argument("riordino di righe non valido");
    seen[static_cast<std::size_t>(source)] = 1;
  }
  changed();
  const auto width = static_cast<std::size_t>(columns_);
  std::vector<Cell> cells(cells_.size());
  for (std::size_t r = 0; r < from.size(); ++r)
    std::copy_n(
        cells_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(from[r]) * width),
        width, cells.begin() + static_cast<std::ptrdiff_t>(r * width));
  cells_ = std::move(cells);
}

void Grid::swapRows(int a, int b) {
  checkRow(a, rows_);
  checkRow(b, rows_);
  if (a == b) return;
  changed();
  for (int c = 0; c < columns_; ++c) std::swap(at(c, a), at(c, b));
}

void Grid::moveCells(int from, int to, int firstColumn, int lastColumn) {
  checkRow(from, rows_);
  checkRow(to, rows_);
  if (from == to) return;
  changed();
  for (int c = firstColumn; c <= lastColumn; ++c) {
    Cell& source = at(c, from);
    Cell& target = at(c, to);
    release(target);
    target = source;
    source.size = 0;
  }
}

void Grid::takeRows(Grid&& other, int first, int count, int to) {
  if (&other == this || other.columns_ != columns_)
    throw std::invalid_argument("righe prese da una griglia non valida");
  if (count <= 0) return;
  checkRow(first, other.rows_);
  checkRow(to, rows_);
  if (count - 1 > other.rows_ - 1 - first || count - 1 > rows_ - 1 - to)
    throw std::out_of_range("riga fuori dalla griglia");
  const std::size_t before = pool_.size();
  if (pool_.sizeAfterAppend(other.pool_) > UINT32_MAX)
    throw std::length_error("troppi testi nella griglia");
  changed();
  const auto offset = static_cast<std::uint32_t>(pool_.append(std::move(other.pool_)));
  for (std::size_t slot = before; slot < offset; ++slot)
    freeSlots_.push_back(static_cast<std::uint32_t>(slot));
  for (std::uint32_t slot : other.freeSlots_) freeSlots_.push_back(slot + offset);
  const auto width = static_cast<std::size_t>(columns_);
  for (std::size_t i = 0; i < other.cells_.size(); ++i) {
    Cell& cell = other.cells_[i];
    if (cell.size != kPooled) continue;
    const std::uint32_t index = poolIndex(cell) + offset;
    std::memcpy(cell.bytes, &index, sizeof index);
    const auto r = static_cast<int>(i / width);
    if (r < first || r - first >= count) freeSlots_.push_back(index);
  }
  Cell* target = &cells_[static_cast<std::size_t>(to) * width];
  const std::size_t cells = static_cast<std::size_t>(count) * width;
  for (std::size_t i = 0; i < cells; ++i) release(target[i]);
  std::copy_n(&other.cells_[static_cast<std::size_t>(first) * width], cells, target);
  other.cells_.clear();
  other.freeSlots_.clear();
  other.rows_ = 0;
  other.changed();
}

}  // namespace brisel
