#pragma once
// The table operations, as the buttons and brisel-cli run them. Each reports
// a text that is not a number by throwing ConversionError; what it wrote
// before stays, but for the board steps, which read every row first.

#include <string_view>

#include "core/workspace.h"

namespace brisel {

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

// The board steps (the "Scheda" tab). Each changes only the component rows
// (core/component_row.h) and reads every one of them before it changes any:
// a cell that does not convert leaves the table as it was.
// Removes the component rows of the other side (Controls::keepSide); the
// rows below move up as "CANCELLA LINEE SELEZIONATE" moves them.
Outcome keepBoardSide(Workspace& workspace, const Controls& controls, Progress& progress);
// Turns the board over about the axis Controls::flipAxis names; the side swaps.
Outcome flipBoard(Workspace& workspace, const Controls& controls, Progress& progress);
// Turns the board Controls::turnDegrees counter-clockwise about (0, 0).
Outcome turnBoard(Workspace& workspace, const Controls& controls, Progress& progress);
// Moves every part by Controls::shiftX, shiftY.
Outcome shiftBoard(Workspace& workspace, const Controls& controls, Progress& progress);
// Moves the least X and the least Y of the parts onto the axes.
Outcome originToCorner(Workspace& workspace, const Controls& controls, Progress& progress);
// Repeats the board Controls::panelColumns times along X and panelRows times
// along Y at the pitches panelPitchX, panelPitchY: the component rows of
// board 1, then board 2..., numbered anew, each with its board in column 9;
// the other rows that hold text after them.
Outcome buildPanel(Workspace& workspace, const Controls& controls, Progress& progress);
// Removes the component rows of the boards Controls::skipBoards lists, as
// keepBoardSide removes rows.
Outcome skipPanelBoards(Workspace& workspace, const Controls& controls, Progress& progress);
// "Applica regole": turns and moves each component row as the first rule of
// the package rules file (Controls::ED_Regole) that matches it says; the
// rows no rule matches stay as they are. Its report goes into
// Workspace::rulesReport. A line of the file that does not read stops it,
// the table untouched.
Outcome applyPackageRules(Workspace& workspace, const Controls& controls, Progress& progress);

// The parameter of a board step as brisel-cli's word gives it after '='
// ("B", "y", "-90", "2.5,-3", "3x2,55.5,40", "2,5-6"), put into the
// controls; throws Error naming what it wants when the text is not such a
// parameter.
void readSideWord(std::string_view text, Controls& controls);
void readAxisWord(std::string_view text, Controls& controls);
void readDegreesWord(std::string_view text, Controls& controls);
void readOffsetWord(std::string_view text, Controls& controls);
// "3x2,55.5,40": columns x rows, then the pitches as readOffsetWord reads them.
void readPanelWord(std::string_view text, Controls& controls);
// "2,5-6": boards and ranges of boards.
void readSkipWord(std::string_view text, Controls& controls);

// A check before the machine: it changes neither the table nor a file.
// The table check's findings into Workspace::findings.
Outcome checkComponents(Workspace& workspace, const Controls& controls, Progress& progress);

}  // namespace brisel
