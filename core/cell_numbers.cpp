#include "core/cell_numbers.h"

#include <array>
#include <string>

#include "core/table_shape.h"
#include "core/translatable.h"

namespace brisel {

std::string_view columnName(int column) {
  static const std::array<std::string, kTableColumns> names = [] {
    std::array<std::string, kTableColumns> all;
    for (int c = 0; c < kTableColumns; ++c) all[static_cast<std::size_t>(c)] = std::to_string(c);
    all[col::Number] = BRISEL_TRANSLATE_NOOP("Message", "N.");
    all[col::Reference] = BRISEL_TRANSLATE_NOOP("Message", "Riferimento");
    all[col::Value] = BRISEL_TRANSLATE_NOOP("Message", "Valore");
    all[col::X] = "X";
    all[col::Y] = "Y";
    all[col::Angle] = BRISEL_TRANSLATE_NOOP("Message", "Angolo");
    all[col::Footprint] = "Footprint";
    return all;
  }();
  if (column >= 0 && column < kTableColumns) return names[static_cast<std::size_t>(column)];
  return "?";
}

float cellFloat(const Grid& table, int column, int row, const NumberFormat& format) {
  try {
    return textToFloat(table.cell(column, row), format);
  } catch (const ConversionError& error) {
    throw error.atCell(row, columnName(column)).withSeparatorHint(format);
  }
}

std::int32_t cellInteger(const Grid& table, int column, int row, const NumberFormat& format) {
  try {
    return textToInteger(table.cell(column, row), format);
  } catch (const ConversionError& error) {
    throw error.atCell(row, columnName(column));
  }
}

}  // namespace brisel
