#pragma once
// Helpers of the writer and viewer tests: tables filled row by row, bytes
// spelt in hex, and what a folder holds after a run.

#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "core/grid.h"

namespace brisel::testing {

// Bytes from hex pairs, spaces ignored: "52 31 00".
inline std::string hex(std::string_view pairs) {
  std::string bytes;
  auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
    if (pairs[i] == ' ') continue;
    bytes += static_cast<char>(digit(pairs[i]) * 16 + digit(pairs[i + 1]));
    ++i;
  }
  return bytes;
}

// Columns 1 to 8 of a row: number, reference, value, (4), X, Y, angle, footprint.
inline void fillRow(Grid& table, int row, std::initializer_list<std::string_view> cells) {
  int column = 1;
  for (std::string_view text : cells) table.setCell(column++, row, text);
}

inline std::size_t entries(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

}  // namespace brisel::testing
