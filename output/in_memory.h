#pragma once
// The writers' bytes and the viewers' reading of bytes already in memory: what
// the operations write into their file, and what they make of a file's bytes
// (the same rows and messages, naming the file of the path row). The
// operations themselves only add the opening, reading and writing of files.

#include <string>
#include <string_view>

#include "core/grid.h"
#include "core/workspace.h"

namespace brisel::output {

// "Crea Output per ZIRKAN": the file's bytes. The rows taken are trimmed in
// `table`, as the writer trims them.
std::string zirkanBytes(Grid& table, const Controls& controls);

// "Salva posizioni": the placement CSV's bytes.
std::string placementBytes(const Grid& table, const Controls& controls);

// "Apri QPF generato" on the bytes of the file of Edit4.
Outcome viewQpfBytes(std::string bytes, Workspace& workspace, const Controls& controls);

// "Apre ZIRKAN generato" on the bytes of the file of Edit9.
Outcome viewZirkanBytes(std::string_view bytes, Workspace& workspace, const Controls& controls);

}  // namespace brisel::output
