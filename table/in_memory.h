#pragma once
// "Applica RAK" on the rules file's bytes already in memory, as though the
// file of Edit7 held them: the same rows, report and messages; "Applica
// regole" the same way, as though the file of ED_Regole held them.

#include <string_view>

#include "core/workspace.h"

namespace brisel {

Outcome applyRakBytes(std::string_view bytes, Workspace& workspace, const Controls& controls,
                      Progress& progress);
Outcome applyPackageRulesBytes(std::string_view bytes, Workspace& workspace,
                               const Controls& controls, Progress& progress);

}  // namespace brisel
