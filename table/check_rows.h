#pragma once
// Inside the table check: each row read once as the writers read it, the
// findings as the finders make them, and the finders of the codes that
// compare rows with each other.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/findings.h"
#include "core/grid.h"
#include "core/numbers.h"
#include "core/said.h"

namespace brisel::checking {

// A row with a number, as the writers would read it.
struct CheckedRow {
  int row = 0;
  int board = 0;         // its board of a panel; 0 on a lone board
  bool written = false;  // it has a reference too: the writers write it
  // Trimmed cells.
  std::string_view number;
  std::string_view reference;
  std::string_view value;
  std::string_view footprint;
  // What the record holds of the reference and of the value.
  std::string recordReference;
  std::string recordValue;
  // The numbers, where they convert.
  std::optional<std::int32_t> numberValue;
  std::optional<float> x;
  std::optional<float> y;
  std::optional<std::int32_t> angle;
};

struct CheckedTable {
  const Grid& grid;
  const NumberFormat& format;
  std::vector<CheckedRow> rows;  // in table order
};

class Findings {
 public:
  void add(int row, FindingCode code, std::string_view reference, Text text) {
    list_.push_back({row, code, std::string(reference), std::move(text)});
  }
  std::vector<Finding> take() { return std::move(list_); }

 private:
  std::vector<Finding> list_;
};

// A cell as a finding shows it: control characters escaped, UTF-8.
std::string shown(std::string_view bytes);
// A finding's text whose first argument is the row's reference.
Text said(const char* key, std::string_view reference, std::vector<Text> rest = {});

// The finders of the codes that compare rows with each other
// (check_groups.cpp, check_places.cpp).
void findDuplicateReferences(const CheckedTable& table, Findings& findings);
void findReferencesCutAlike(const CheckedTable& table, Findings& findings);
void findValuesCutAlike(const CheckedTable& table, Findings& findings);
void findDuplicateNumbers(const CheckedTable& table, Findings& findings);
void findSamePlaces(const CheckedTable& table, Findings& findings);

}  // namespace brisel::checking
