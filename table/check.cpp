#include "table/check.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "table/check_rows.h"
#include "table/operations.h"

namespace brisel {

namespace checking {

std::string shown(std::string_view bytes) {
  return latin1ToUtf8(escapeControls(bytes));
}

Text said(const char* key, std::string_view reference, std::vector<Text> rest) {
  rest.insert(rest.begin(), Text::data(shown(reference)));
  return Text(key, std::move(rest));
}

namespace {

// Every row with a number, read once as the writers read it; the rows
// without one are passed over by the writers and by the check.
CheckedTable readRows(const Grid& grid, const NumberFormat& format) {
  CheckedTable table{grid, format, {}};
  table.rows.reserve(static_cast<std::size_t>(grid.RowCount()));
  for (int r = kFirstDataRow; r < grid.RowCount(); ++r) {
    if (!hasComponentNumber(grid, r)) continue;
    CheckedRow row;
    row.row = r;
    row.number = trim(grid.cell(col::Number, r));
    row.reference = trim(grid.cell(col::Reference, r));
    row.written = !row.reference.empty();
    if (row.written) {
      row.board = boardOf(grid, r);
      row.value = trim(grid.cell(col::Value, r));
      row.footprint = trim(grid.cell(col::Footprint, r));
      row.recordReference = recordReference(grid, r);
      row.recordValue = recordValue(grid, r);
      row.numberValue = tryTextToInteger(grid.cell(col::Number, r), format);
      row.x = tryTextToFloat(trim(grid.cell(col::X, r)), format);
      row.y = tryTextToFloat(trim(grid.cell(col::Y, r)), format);
      row.angle = tryTextToInteger(grid.cell(col::Angle, r), format);
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace

}  // namespace checking

std::vector<Finding> checkTable(const Grid& grid, const NumberFormat& format) {
  if (grid.ColCount() < kTableColumns) return {};
  const checking::CheckedTable table = checking::readRows(grid, format);
  checking::Findings findings;
  for (const CheckCode& code : checkCodes()) code.find(table, findings);
  std::vector<Finding> list = findings.take();
  // Within a row and a kind, findings keep the order they were made in: by column.
  std::stable_sort(list.begin(), list.end(), [](const Finding& a, const Finding& b) {
    if (a.row != b.row) return a.row < b.row;
    return static_cast<int>(a.code) < static_cast<int>(b.code);
  });
  return list;
}

std::vector<int> rowsWithFindings(const std::vector<Finding>& findings) {
  std::vector<int> rows;
  for (const Finding& finding : findings)
    if (finding.row > 0 && !isInformation(finding.code)) rows.push_back(finding.row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

Outcome checkComponents(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  workspace.findings = checkTable(workspace.StringGrid1, controls.numbers());
  return {};
}

}  // namespace brisel
