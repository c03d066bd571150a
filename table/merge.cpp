#include <string>

#include "core/table_shape.h"
#include "table/operations.h"

namespace brisel {

Outcome mergeFootprints(Workspace& workspace, const Controls&, Progress&) {
  Grid& table = workspace.StringGrid1;
  std::string merged;
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    merged = table.cell(col::Value, row);
    merged += '_';
    merged += table.cell(col::Footprint, row);
    table.setCell(col::Value, row, merged);
  }
  workspace.BU_FootPrintEnabled = false;
  Outcome outcome;
  outcome.messages.push_back(kSuccessMessage);
  return outcome;
}

}  // namespace brisel
