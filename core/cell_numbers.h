#pragma once
// The numbers of the component table's cells, as the writers, the reference
// and the RAK rules read them. A cell that does not convert is reported with
// its row and the name of its column, and the separator hint when it applies.

#include <cstdint>
#include <string_view>

#include "core/grid.h"
#include "core/numbers.h"

namespace brisel {

// The name a message gives a column of the component table: "N.", "X",
// "Angolo"...; the column's number for a column with no role.
std::string_view columnName(int column);

// A coordinate cell: text to real held as a 32-bit float.
float cellFloat(const Grid& table, int column, int row, const NumberFormat& format);

// A number or angle cell: the trimmed text as a signed 32-bit integer.
std::int32_t cellInteger(const Grid& table, int column, int row, const NumberFormat& format);

}  // namespace brisel
