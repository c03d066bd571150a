#pragma once
// A workspace, the controls of the window and a folder for the files that the
// import tests write and import.

#include <string>
#include <string_view>

#include "core/workspace.h"
#include "import/operations.h"
#include "tests/testkit.h"

namespace brisel::testing {

class ImportFixture {
 public:
  // The controls of most examples: "Virgola come separatore decimali"
  // unchecked, "Inglese" checked, a locale that writes a point.
  ImportFixture() {
    controls.CB_Format = false;
    controls.RB_EN = true;
    controls.decimalSeparator = '.';
  }

  Outcome rep(std::string_view bytes) { return run(importRep, &Controls::Edit2, "in.REP", bytes); }
  Outcome cmp(std::string_view bytes) { return run(importCmp, &Controls::Edit3, "in.CMP", bytes); }
  Outcome mnt(std::string_view bytes) { return run(importMnt, &Controls::Edit5, "in.MNT", bytes); }
  Outcome bom(std::string_view bytes) { return run(importBom, &Controls::Edit6, "in.BOM", bytes); }
  Outcome txt(std::string_view bytes) { return run(importTxt, &Controls::Edit8, "in.TXT", bytes); }

  Outcome run(Operation operation, std::filesystem::path Controls::*edit, std::string_view name,
              std::string_view bytes) {
    controls.*edit = dir.write(name, bytes);
    return operation(workspace, controls, progress);
  }

  Grid& table() { return workspace.StringGrid1; }
  std::string row(int r) { return rowText(workspace.StringGrid1, r); }
  std::string_view cell(int column, int r) { return workspace.StringGrid1.cell(column, r); }

  // Every cell of the table says which it is, so that what an import leaves
  // alone can be told from what it writes.
  void fillTable(int rows) {
    table().setRowCount(rows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < table().ColCount(); ++c)
        table().setCell(c, r, "old" + std::to_string(c) + "." + std::to_string(r));
  }

  TempDir dir;
  Workspace workspace;
  Controls controls;
  RecordingProgress progress;
};

// The message of the failure `action` throws, or "no failure".
template <class Action>
std::string failureOf(Action action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no failure";
}

}  // namespace brisel::testing
