#pragma once
// The shape of the component table (StringGrid1): what each column holds,
// where the data rows start, how many components a table can take and how
// many boards a panel.

#include <cstddef>

namespace brisel {

// The columns of the component table; column 0 is the grid's fixed column.
namespace col {
inline constexpr int Number = 1;
inline constexpr int Reference = 2;
inline constexpr int Value = 3;
inline constexpr int Side = 4;  // T or B (see core/component_row.h)
inline constexpr int X = 5;
inline constexpr int Y = 6;
inline constexpr int Angle = 7;
inline constexpr int Footprint = 8;
inline constexpr int Board = 9;  // the board of a panel it belongs to, empty on a lone board
}  // namespace col

inline constexpr int kTableColumns = 10;
// Row 0 is the grid's fixed row; components start below it.
inline constexpr int kFirstDataRow = 1;
// Row and component numbers are 16-bit in the machine program.
inline constexpr int kMaxComponents = 65535;
// The characters the machine record keeps of a reference and of a value.
inline constexpr std::size_t kRecordReferenceChars = 8;
inline constexpr std::size_t kRecordValueChars = 14;
// A panel is up to 99 boards across and 99 up, numbered from 1 (column 9).
inline constexpr int kMaxPanelSide = 99;
inline constexpr int kMaxBoards = kMaxPanelSide * kMaxPanelSide;

}  // namespace brisel
