#pragma once
// The table check: what the writers would do wrong or not at all with the
// component table as it stands, found at the desk rather than on the line.
// It reads the table and the number settings the writers use, and changes
// nothing; no cell text makes it throw.

#include <vector>

#include "core/findings.h"
#include "core/grid.h"
#include "core/numbers.h"
#include "core/workspace.h"

namespace brisel {

// Two written rows closer than this in both X and Y share a place (mm).
inline constexpr double kSamePlace = 0.01;

// The findings of the table, ordered by row, then by kind (FindingCode's
// order), then by column.
std::vector<Finding> checkTable(const Grid& table, const NumberFormat& format);

// The rows that have at least one finding of a fault, ascending, each once.
std::vector<int> rowsWithFindings(const std::vector<Finding>& findings);

}  // namespace brisel
