#pragma once
// The writers, the viewers and the read-back compare, as the buttons and
// brisel-cli run them. A writer replaces its file whole or not at all.

#include <string_view>

#include "core/workspace.h"

namespace brisel {

// The template's header (Edit1), then the table's records, into Edit4.
Outcome writeQpf(Workspace& workspace, const Controls& controls, Progress& progress);
// The table's components as a placement CSV (Controls::placementOutput) that
// CAD tools and spreadsheets read: UTF-8, millimetres, a point for decimals.
Outcome writePlacements(Workspace& workspace, const Controls& controls, Progress& progress);
// Shows the QPF file of Edit4 in Memo1, StringGrid2 and the component table.
Outcome viewQpf(Workspace& workspace, const Controls& controls, Progress& progress);
// The table as a ZIRKAN text file (Edit9).
Outcome writeZirkan(Workspace& workspace, const Controls& controls, Progress& progress);
// Reads the ZIRKAN file of Edit9 into the table.
Outcome viewZirkan(Workspace& workspace, const Controls& controls, Progress& progress);

// A check before the machine: it changes neither the table nor a file.
// Compares the QPF file of Edit4 with what "Crea Output File" would write from
// the table and the template of Edit1; the differences into
// Workspace::qpfCompare.
Outcome verifyQpf(Workspace& workspace, const Controls& controls, Progress& progress);

}  // namespace brisel
