#pragma once
// The importers on a file's bytes already in memory, as though the file of
// their path row held them: the same rows, the same messages naming that
// path. The operations open the file and read it the same way.

#include <string_view>

#include "core/workspace.h"

namespace brisel::importing {

Outcome importRepBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                       Progress& progress);
Outcome importCmpBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                       Progress& progress);
Outcome importMntBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                       Progress& progress);
Outcome importBomBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                       Progress& progress);
Outcome importTxtBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                       Progress& progress);

}  // namespace brisel::importing
