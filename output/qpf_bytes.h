#pragma once
// The bytes of a QPF file as "Crea Output File" puts them together, shared by
// the writer and the read-back compare.

#include <string>
#include <vector>

#include "core/grid.h"
#include "core/workspace.h"

namespace brisel::output {

// The header, the length field and one record for every row the writer takes.
// Those rows are trimmed in `table`, as the writer trims them: a caller that
// must leave the table alone passes a copy. `rows`, when given, receives the
// table row of each record. A cell that does not convert throws
// ConversionError naming its row and column.
std::string qpfBytes(std::string header, Grid& table, const Controls& controls,
                     std::vector<int>* rows = nullptr);

}  // namespace brisel::output
