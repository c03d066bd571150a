#pragma once
// The operation buttons of the window, each listed once: its form name, its
// caption, its brisel-cli word, the operation it runs and the workspace flag
// that must be on for it to run. The window builds, binds and dispatches from
// this table; brisel-cli finds its words and the enabled rule here. The
// operations themselves are declared and defined by the layer that owns them.

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

#include "core/translatable.h"
#include "core/workspace.h"
#include "import/operations.h"
#include "output/operations.h"
#include "table/operations.h"

namespace brisel {

// What a brisel-cli word names after '=': the cursor the operation reads.
enum class CursorWord {
  none,    // the word alone
  row,     // WORD=ROW: Controls::Row
  column,  // WORD=COL: Controls::Col
  rows,    // WORD=TOP[-BOTTOM]: Controls::Selection
  value,   // WORD=VALUE: a step's parameter, read by Button::parameter
  path,    // WORD=PATH: the file it writes (Button::writes), chosen each time
};

// The kind of operation, and where the window puts it: one line of buttons
// each for the imports, the table operations and the outputs; the checks
// beside the tabs; the board steps on the "Scheda" tab, the panel's in its
// "Pannello" box there, and the package rules in their own box beside their
// file.
enum class ButtonGroup { imports, table, outputs, checks, board, panel, rules };

// Puts the text after a word's '=' into the controls (see readSideWord).
using ParameterReader = void (*)(std::string_view text, Controls& controls);

// A path box of the window that an operation reads or writes.
using PathBox = std::filesystem::path Controls::*;

struct Button {
  ButtonGroup group;
  std::string_view name;     // form name, as the window's control
  std::string_view caption;  // as the window shows it
  std::string_view word;     // brisel-cli word
  std::string_view help;     // what it does, in one line of brisel-cli's help
  Operation operation;
  bool Workspace::*enabled = nullptr;  // the flag that must be on to run it; null when none
  CursorWord cursor = CursorWord::none;
  std::array<PathBox, 2> reads{};  // the files it reads (null when fewer)
  PathBox writes = nullptr;        // the file it writes
  // CursorWord::value: the shape of the value in brisel-cli's help, and
  // what reads it.
  std::string_view argument{};
  ParameterReader parameter = nullptr;
  // It starts a new board (an import of positions, a viewer): what was said
  // of the table before, such as the RAK and package rules reports, no
  // longer holds.
  bool newBoard = false;
};

// In the window's order: imports, table operations, outputs.
inline constexpr std::array<Button, 26> kButtons{{
    {.group = ButtonGroup::imports,
     .name = "Button4",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apri REP"),
     .word = "import-rep",
     .help = "import the REP file into the table",
     .operation = importRep,
     .reads = {&Controls::Edit2},
     .newBoard = true},
    {.group = ButtonGroup::imports,
     .name = "Button5",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apre CMP"),
     .word = "import-cmp",
     .help = "values and footprints from the CMP file",
     .operation = importCmp,
     .reads = {&Controls::Edit3}},
    {.group = ButtonGroup::imports,
     .name = "Button10",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apre MNT"),
     .word = "import-mnt",
     .help = "import the MNT file into the table",
     .operation = importMnt,
     .reads = {&Controls::Edit5},
     .newBoard = true},
    {.group = ButtonGroup::imports,
     .name = "Button13",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apre BOM"),
     .word = "import-bom",
     .help = "values from the BOM file",
     .operation = importBom,
     .reads = {&Controls::Edit6}},
    {.group = ButtonGroup::imports,
     .name = "Button19",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apre TXT"),
     .word = "import-txt",
     .help = "import the TXT file into the table",
     .operation = importTxt,
     .reads = {&Controls::Edit8},
     .newBoard = true},
    {.group = ButtonGroup::imports,
     .name = "BU_Posizioni",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apri posizioni"),
     .word = "import-placements",
     .help = "import a CAD tool's placement file (KiCad, Altium, CSV...) into the table",
     .operation = importPlacements,
     .reads = {&Controls::Edit10},
     .newBoard = true},
    {.group = ButtonGroup::table,
     .name = "Button7",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Riferimento"),
     .word = "reference",
     .help = "move the origin to that row",
     .operation = setReference,
     .cursor = CursorWord::row},
    {.group = ButtonGroup::table,
     .name = "Button17",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Applica RAK"),
     .word = "apply-rak",
     .help = "apply the rotation rules; rows of unlisted values go",
     .operation = applyRak,
     .enabled = &Workspace::Button17Enabled,
     .reads = {&Controls::Edit7}},
    {.group = ButtonGroup::table,
     .name = "BU_FootPrint",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Merge FootPrint"),
     .word = "merge-footprints",
     .help = "join each footprint onto its value",
     .operation = mergeFootprints,
     .enabled = &Workspace::BU_FootPrintEnabled},
    {.group = ButtonGroup::table,
     .name = "Button14",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "RIORDINA COLONNA CURSORE"),
     .word = "sort",
     .help = "sort the rows by that column, descending",
     .operation = sortByCursorColumn,
     .cursor = CursorWord::column},
    {.group = ButtonGroup::table,
     .name = "Button15",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "CANCELLA LINEE SELEZIONATE"),
     .word = "delete",
     .help = "delete those rows",
     .operation = deleteSelectedRows,
     .cursor = CursorWord::rows},
    {.group = ButtonGroup::board,
     .name = "BU_TieniLato",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Tieni lato"),
     .word = "keep-side",
     .help = "keep the parts of that side (empty counts as T); the others go",
     .operation = keepBoardSide,
     .cursor = CursorWord::value,
     .argument = "T|B",
     .parameter = readSideWord},
    {.group = ButtonGroup::board,
     .name = "BU_Capovolgi",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Capovolgi scheda"),
     .word = "flip",
     .help = "turn the board over: x mirrors X and a to 180-a, y mirrors Y and a to 360-a",
     .operation = flipBoard,
     .cursor = CursorWord::value,
     .argument = "x|y",
     .parameter = readAxisWord},
    {.group = ButtonGroup::rules,
     .name = "BU_ApplicaRegole",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Applica regole"),
     .word = "apply-rules",
     .help = "turn and move each part as the first package rule matching it says",
     .operation = applyPackageRules,
     .reads = {&Controls::ED_Regole}},
    {.group = ButtonGroup::board,
     .name = "BU_Ruota",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Ruota scheda"),
     .word = "rotate",
     .help = "turn the board DEG degrees counter-clockwise about (0, 0)",
     .operation = turnBoard,
     .cursor = CursorWord::value,
     .argument = "DEG",
     .parameter = readDegreesWord},
    {.group = ButtonGroup::board,
     .name = "BU_Sposta",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Sposta"),
     .word = "offset",
     .help = "move every part by DX, DY millimetres (a point as separator)",
     .operation = shiftBoard,
     .cursor = CursorWord::value,
     .argument = "DX,DY",
     .parameter = readOffsetWord},
    {.group = ButtonGroup::board,
     .name = "BU_Angolo",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Origine nell'angolo"),
     .word = "origin-corner",
     .help = "move the least X and Y onto the axes: no coordinate negative",
     .operation = originToCorner},
    {.group = ButtonGroup::panel,
     .name = "BU_Pannello",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Pannello"),
     .word = "panel",
     .help = "repeat the board C times along X and R times along Y, PX and PY mm apart",
     .operation = buildPanel,
     .cursor = CursorWord::value,
     .argument = "CxR,PX,PY",
     .parameter = readPanelWord},
    {.group = ButtonGroup::panel,
     .name = "BU_SaltaSchede",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Salta schede"),
     .word = "skip-boards",
     .help = "remove the parts of those boards of the panel (2,5-6)",
     .operation = skipPanelBoards,
     .cursor = CursorWord::value,
     .argument = "LIST",
     .parameter = readSkipWord},
    {.group = ButtonGroup::outputs,
     .name = "Button9",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Crea Output File"),
     .word = "write-qpf",
     .help = "write the QPF machine program",
     .operation = writeQpf,
     .reads = {&Controls::Edit1},
     .writes = &Controls::Edit4},
    {.group = ButtonGroup::outputs,
     .name = "Button2",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apri QPF generato"),
     .word = "view-qpf",
     .help = "read a QPF file back",
     .operation = viewQpf,
     .reads = {&Controls::Edit4},
     .newBoard = true},
    {.group = ButtonGroup::outputs,
     .name = "Button20",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Crea Output per ZIRKAN"),
     .word = "write-zirkan",
     .help = "write the ZIRKAN text file",
     .operation = writeZirkan,
     .writes = &Controls::Edit9},
    {.group = ButtonGroup::outputs,
     .name = "Button22",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Apre ZIRKAN generato"),
     .word = "view-zirkan",
     .help = "read a ZIRKAN file back",
     .operation = viewZirkan,
     .reads = {&Controls::Edit9},
     .newBoard = true},
    {.group = ButtonGroup::outputs,
     .name = "BU_SalvaPosizioni",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Salva posizioni"),
     .word = "write-placements",
     .help = "write the table as a placement CSV (Ref,Val,Package,PosX,PosY,Rot,Side)",
     .operation = writePlacements,
     .cursor = CursorWord::path,
     .writes = &Controls::placementOutput},
    {.group = ButtonGroup::checks,
     .name = "BU_Controlla",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Controlla"),
     .word = "check",
     .help = "check the table before the machine; print the findings",
     .operation = checkComponents},
    {.group = ButtonGroup::checks,
     .name = "BU_Verifica",
     .caption = BRISEL_TRANSLATE_NOOP("Button", "Verifica QPF"),
     .word = "verify-qpf",
     .help = "compare the QPF file with what the table would write",
     .operation = verifyQpf,
     .reads = {&Controls::Edit4, &Controls::Edit1}},
}};

// The operation of a button as both front ends run it (the window may hand
// in another in its tests). Every result kept beside the table stays true to
// what it was computed from: a new board drops the reports of the table
// before, and a writer of the QPF file drops the compare of the file it
// replaces; both also when the operation then fails.
using ButtonOperation = std::function<Outcome(Workspace&, const Controls&, Progress&)>;
Outcome runButton(const Button& button, const ButtonOperation& operation, Workspace& workspace,
                  const Controls& controls, Progress& progress);

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
