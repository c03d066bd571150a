#include "app/buttons.h"

namespace brisel {

Outcome runButton(const Button& button, const ButtonOperation& operation, Workspace& workspace,
                  const Controls& controls, Progress& progress) {
  if (button.newBoard) {
    workspace.rakReport = {};
    workspace.rulesReport = {};
  }
  // A rule run that fails shows only its own error, not the run before.
  if (button.operation == applyRak) workspace.rakReport = {};
  if (button.operation == applyPackageRules) workspace.rulesReport = {};
  if (button.writes == &Controls::Edit4) workspace.qpfCompare = {};
  return operation(workspace, controls, progress);
}

}  // namespace brisel
