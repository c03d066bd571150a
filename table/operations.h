#pragma once
// The operations on the component table (StringGrid1) as a whole.

#include "core/workspace.h"

namespace brisel {

// "Riferimento": moves the origin to the cursor's row (Controls::Row).
Outcome setReference(Workspace& workspace, const Controls& controls, Progress& progress);

// "Applica RAK": loads the rules of Edit7 into StringGrid3, corrects the angles
// of the rows they name and removes every other row.
Outcome applyRak(Workspace& workspace, const Controls& controls, Progress& progress);

// "RIORDINA COLONNA CURSORE": sorts the rows by the cursor's column
// (Controls::Col), descending.
Outcome sortByCursorColumn(Workspace& workspace, const Controls& controls, Progress& progress);

// "CANCELLA LINEE SELEZIONATE": removes the rows of Controls::Selection.
Outcome deleteSelectedRows(Workspace& workspace, const Controls& controls, Progress& progress);

// "Merge FootPrint": joins each row's footprint onto its value.
Outcome mergeFootprints(Workspace& workspace, const Controls& controls, Progress& progress);

}  // namespace brisel
