#include "core/byte_grid.h"

#include <array>
#include <cstring>
#include <stdexcept>

namespace brisel {

namespace {

struct ByteText {
  char digits[3];
  std::uint8_t size;
};
constexpr auto kByteTexts = [] {
  std::array<ByteText, 256> texts{};
  for (int value = 0; value < 256; ++value) {
    ByteText& text = texts[static_cast<std::size_t>(value)];
    if (value >= 100) text.digits[text.size++] = static_cast<char>('0' + value / 100);
    if (value >= 10) text.digits[text.size++] = static_cast<char>('0' + value / 10 % 10);
    text.digits[text.size++] = static_cast<char>('0' + value % 10);
  }
  return texts;
}();

// The byte a text is the decimal text of, or -1.
int byteOf(std::string_view text) {
  if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0')) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= 255 ? value : -1;
}

}  // namespace

std::string_view ByteGrid::byteText(std::uint8_t byte) {
  const ByteText& text = kByteTexts[byte];
  return {text.digits, text.size};
}

ByteGrid::ByteGrid(int columns, int rows) : columns_(columns) {
  if (columns < 0) throw std::invalid_argument("numero di colonne negativo");
  setRowCount(rows);
}

void ByteGrid::setRowCount(int rows) {
  if (rows < 0) throw std::invalid_argument("numero di righe negativo");
  std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_);
  if (rows < rows_) {
    // Cells past the new end must come back empty if the rows grow again.
    std::size_t old = bytes_.size();
    for (std::size_t at = cells; at < old && at % 64 != 0; ++at) mark(at, false);
    dropTexts(cells);
  }
  bytes_.resize(cells, 0);
  present_.resize((cells + 63) / 64, 0);
  rows_ = rows;
}

void ByteGrid::growFor(int row) {
  if (rows_ < row + 10) setRowCount(row + 10);
}

void ByteGrid::dropTexts(std::size_t from) {
  for (auto it = texts_.begin(); it != texts_.end();)
    it = it->first >= from ? texts_.erase(it) : std::next(it);
}

std::size_t ByteGrid::index(int column, int row) const {
  if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
    throw std::out_of_range("cella fuori dalla griglia");
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
         static_cast<std::size_t>(column);
}

void ByteGrid::mark(std::size_t at, bool on) {
  std::uint64_t bit = std::uint64_t{1} << (at % 64);
  if (on)
    present_[at / 64] |= bit;
  else
    present_[at / 64] &= ~bit;
}

std::string_view ByteGrid::cell(int column, int row) const {
  std::size_t at = index(column, row);
  if (has(at)) return byteText(bytes_[at]);
  if (!texts_.empty()) {
    auto found = texts_.find(at);
    if (found != texts_.end()) return found->second;
  }
  return {};
}

void ByteGrid::setCell(int column, int row, std::string_view text) {
  std::size_t at = index(column, row);
  int byte = byteOf(text);
  if (byte >= 0 || text.empty()) {
    if (!texts_.empty()) texts_.erase(at);
    bytes_[at] = static_cast<std::uint8_t>(byte < 0 ? 0 : byte);
    mark(at, byte >= 0);
    return;
  }
  mark(at, false);
  texts_[at].assign(text.data(), text.size());
}

std::string_view ByteGrid::rowBytes(int row, int firstColumn, std::size_t count) const {
  if (count == 0) return {};
  std::size_t first = index(firstColumn, row);
  index(firstColumn + static_cast<int>(count) - 1, row);
  return {reinterpret_cast<const char*>(bytes_.data() + first), count};
}

void ByteGrid::setBytes(int row, int firstColumn, std::string_view bytes) {
  if (bytes.empty()) return;
  std::size_t first = index(firstColumn, row);
  index(firstColumn + static_cast<int>(bytes.size()) - 1, row);  // the last one fits too
  std::memcpy(bytes_.data() + first, bytes.data(), bytes.size());
  for (std::size_t at = first; at < first + bytes.size(); ++at) {
    if (at % 64 == 0 && at + 64 <= first + bytes.size()) {
      present_[at / 64] = ~std::uint64_t{0};
      at += 63;
      continue;
    }
    mark(at, true);
  }
  if (!texts_.empty())
    for (std::size_t at = first; at < first + bytes.size(); ++at) texts_.erase(at);
}

}  // namespace brisel
