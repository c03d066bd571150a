#pragma once
// What the QPF and ZIRKAN writers and viewers share: which rows of the table
// become records, how a coordinate reaches single precision, and the bounds
// that keep a hostile file from filling the memory.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/grid.h"
#include "core/lines.h"
#include "core/numbers.h"
#include "core/table_shape.h"
#include "core/workspace.h"

namespace brisel::output {

// The writers' row selection. A row without a component number (its number
// cell empty once trimmed) is passed over untouched; any other row has every
// cell trimmed in place, and is written when it is then a component row.
bool takeComponentRow(Grid& table, int row);

// The angle and number cells: text to integer, then its low 16 bits.
std::uint16_t low16Of(std::string_view text, const NumberFormat& format);

// The outcome of a run that went well: the success message.
Outcome succeeded();

// The outcome of an operation that could not open `path`.
Outcome cannotOpen(const std::filesystem::path& path);

// Told before the success message when a viewer stops at its bound.
Message tooLongMessage(Text what);

}  // namespace brisel::output
