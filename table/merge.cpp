#include <string>

#include "core/buttons.h"

namespace brisel {

Outcome mergeFootprints(Workspace& workspace, const Controls&, Progress&) {
  constexpr int kValue = 3;
  constexpr int kFootprint = 8;
  Grid& table = workspace.StringGrid1;
  std::string merged;
  for (int row = 1; row < table.RowCount(); ++row) {
    merged = table.cell(kValue, row);
    merged += '_';
    merged += table.cell(kFootprint, row);
    table.setCell(kValue, row, merged);
  }
  workspace.BU_FootPrintEnabled = false;
  Outcome outcome;
  outcome.messages.push_back(kSuccessMessage);
  return outcome;
}

}  // namespace brisel
