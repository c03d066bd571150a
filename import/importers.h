#pragma once
// The importers: each reads one input file into the component table
// (StringGrid1). A file that cannot be opened is passed over in silence (the
// Outcome names it); a number that does not convert stops the import at that
// line with a ConversionError naming the line, the rows before it written.

#include "core/workspace.h"

namespace brisel {

// REP coordinate file (Edit2): two header lines, then one component a line.
Outcome importRep(Workspace& workspace, const Controls& controls, Progress& progress);

// CMP component file (Edit3): values and footprints by reference.
Outcome importCmp(Workspace& workspace, const Controls& controls, Progress& progress);

// MNT placement file (Edit5): every column of a row from one line.
Outcome importMnt(Workspace& workspace, const Controls& controls, Progress& progress);

// BOM file (Edit6): values by reference.
Outcome importBom(Workspace& workspace, const Controls& controls, Progress& progress);

// TXT fixed-column component list (Edit8).
Outcome importTxt(Workspace& workspace, const Controls& controls, Progress& progress);

}  // namespace brisel
