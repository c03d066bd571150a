#pragma once
// The operation buttons of the window, each listed once: its form name, its
// caption, its brisel-cli word, the operation it runs and the workspace flag
// that must be on for it to run. The window builds, binds and dispatches from
// this table; brisel-cli finds its words and the enabled rule here.
//
// The operations are declared here and defined by the layer that owns them:
// the importers in import/, the table operations in table/, the writers and
// viewers in output/. Each reports a text that is not a number by throwing
// ConversionError; what it wrote before stays.

#include <array>
#include <string_view>

#include "core/workspace.h"

namespace brisel {

// The importers read one input file into the component table. A file that
// cannot be opened is passed over in silence (the Outcome names it); a number
// that does not convert stops the import at that line, the rows before it
// written.
Outcome importRep(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit2
Outcome importCmp(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit3
Outcome importMnt(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit5
Outcome importBom(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit6
Outcome importTxt(Workspace& workspace, const Controls& controls, Progress& progress);  // Edit8

// Moves the origin to the cursor's row (Controls::Row).
Outcome setReference(Workspace& workspace, const Controls& controls, Progress& progress);
// Loads the rules of Edit7 into StringGrid3, corrects the angles of the rows
// they name and removes every other row.
Outcome applyRak(Workspace& workspace, const Controls& controls, Progress& progress);
// Sorts the rows by the cursor's column (Controls::Col), descending.
Outcome sortByCursorColumn(Workspace& workspace, const Controls& controls, Progress& progress);
// Removes the rows of Controls::Selection.
Outcome deleteSelectedRows(Workspace& workspace, const Controls& controls, Progress& progress);
// Joins each row's footprint onto its value.
Outcome mergeFootprints(Workspace& workspace, const Controls& controls, Progress& progress);

// Writers replace their file whole or not at all; viewers read it back.
// The template's header (Edit1), then the table's records, into Edit4.
Outcome writeQpf(Workspace& workspace, const Controls& controls, Progress& progress);
// Shows the QPF file of Edit4 in Memo1, StringGrid2 and the component table.
Outcome viewQpf(Workspace& workspace, const Controls& controls, Progress& progress);
// The table as a ZIRKAN text file (Edit9).
Outcome writeZirkan(Workspace& workspace, const Controls& controls, Progress& progress);
// Reads the ZIRKAN file of Edit9 into the table.
Outcome viewZirkan(Workspace& workspace, const Controls& controls, Progress& progress);

// The checks before the machine: they change neither the table nor a file.
// The table check's findings into Workspace::findings (defined in the core).
Outcome checkComponents(Workspace& workspace, const Controls& controls, Progress& progress);
// Compares the QPF file of Edit4 with what "Crea Output File" would write from
// the table and the template of Edit1; the differences into
// Workspace::qpfCompare.
Outcome verifyQpf(Workspace& workspace, const Controls& controls, Progress& progress);

// What a brisel-cli word names after '=': the cursor the operation reads.
enum class CursorWord {
  none,    // the word alone
  row,     // WORD=ROW: Controls::Row
  column,  // WORD=COL: Controls::Col
  rows,    // WORD=TOP[-BOTTOM]: Controls::Selection
};

// The kind of operation, and the line of buttons it stands on in the window.
enum class ButtonGroup { imports, table, outputs };

struct Button {
  ButtonGroup group;
  std::string_view name;     // form name, as the window's control
  std::string_view caption;  // as the window shows it
  std::string_view word;     // brisel-cli word
  Operation operation;
  bool Workspace::*enabled;  // the flag that must be on to run it; null when none
  CursorWord cursor = CursorWord::none;
};

// In the window's order: imports, table operations, outputs.
inline constexpr std::array<Button, 16> kButtons{{
    {ButtonGroup::imports, "Button4", "Apri REP", "import-rep", importRep, nullptr},
    {ButtonGroup::imports, "Button5", "Apre CMP", "import-cmp", importCmp, nullptr},
    {ButtonGroup::imports, "Button10", "Apre MNT", "import-mnt", importMnt, nullptr},
    {ButtonGroup::imports, "Button13", "Apre BOM", "import-bom", importBom, nullptr},
    {ButtonGroup::imports, "Button19", "Apre TXT", "import-txt", importTxt, nullptr},
    {ButtonGroup::table, "Button7", "Riferimento", "reference", setReference, nullptr,
     CursorWord::row},
    {ButtonGroup::table, "Button17", "Applica RAK", "apply-rak", applyRak,
     &Workspace::Button17Enabled},
    {ButtonGroup::table, "BU_FootPrint", "Merge FootPrint", "merge-footprints", mergeFootprints,
     &Workspace::BU_FootPrintEnabled},
    {ButtonGroup::table, "Button14", "RIORDINA COLONNA CURSORE", "sort", sortByCursorColumn,
     nullptr, CursorWord::column},
    {ButtonGroup::table, "Button15", "CANCELLA LINEE SELEZIONATE", "delete", deleteSelectedRows,
     nullptr, CursorWord::rows},
    {ButtonGroup::outputs, "Button9", "Crea Output File", "write-qpf", writeQpf, nullptr},
    {ButtonGroup::outputs, "Button2", "Apri QPF generato", "view-qpf", viewQpf, nullptr},
    {ButtonGroup::outputs, "Button20", "Crea Output per ZIRKAN", "write-zirkan", writeZirkan,
     nullptr},
    {ButtonGroup::outputs, "Button22", "Apre ZIRKAN generato", "view-zirkan", viewZirkan, nullptr},
    {ButtonGroup::outputs, "BU_Controlla", "Controlla", "check", checkComponents, nullptr},
    {ButtonGroup::outputs, "BU_Verifica", "Verifica QPF", "verify-qpf", verifyQpf, nullptr},
}};

// The button of that form name, or null.
constexpr const Button* findButton(std::string_view name) {
  for (const Button& button : kButtons)
    if (button.name == name) return &button;
  return nullptr;
}

// Whether the workspace lets the button run.
inline bool isEnabled(const Button& button, const Workspace& workspace) {
  return button.enabled == nullptr || workspace.*button.enabled;
}

}  // namespace brisel
