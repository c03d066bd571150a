#pragma once
// The QPF and ZIRKAN writers and the viewers that read their files back.
// Writers replace their file whole or not at all.

#include "core/workspace.h"

namespace brisel {

// "Crea Output File": the template's header (Edit1), then the table's records,
// into Edit4.
Outcome writeQpf(Workspace& workspace, const Controls& controls, Progress& progress);

// "Apri QPF generato": shows the QPF file of Edit4 in Memo1, StringGrid2 and
// the component table.
Outcome viewQpf(Workspace& workspace, const Controls& controls, Progress& progress);

// "Crea Output per ZIRKAN": the table as a ZIRKAN text file (Edit9).
Outcome writeZirkan(Workspace& workspace, const Controls& controls, Progress& progress);

// "Apre ZIRKAN generato": reads the ZIRKAN file of Edit9 into the table.
Outcome viewZirkan(Workspace& workspace, const Controls& controls, Progress& progress);

}  // namespace brisel
