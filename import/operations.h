#pragma once
// The importers, as the buttons and brisel-cli run them: each reads one
// input file into the component table. A file that cannot be opened is passed
// over in silence (the Outcome names it); a number that does not convert
// throws ConversionError and stops the import at that line, the rows before it
// written.

#include <string_view>

#include "core/workspace.h"

namespace brisel {

Outcome importRep(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit2
Outcome importCmp(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit3
Outcome importMnt(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit5
Outcome importBom(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit6
Outcome importTxt(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit8
// A CAD tool's placement file (KiCad, Altium, a CSV...) into an empty table.
Outcome importPlacements(Workspace& workspace, const Controls& controls,
                         Progress& progress);  // Edit10

}  // namespace brisel
