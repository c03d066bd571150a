#pragma once
// What the operations work on, and what they read of the window.
//
// Every operation is a function of a Workspace (the three grids, the memo and
// the two buttons whose enabled state carries over from one operation to the
// next) and of a snapshot of the controls it reads. It returns an Outcome for
// the window or the command line to show, reports a text that is not a number
// by throwing ConversionError, and drives the progress bar through Progress.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_grid.h"
#include "core/findings.h"
#include "core/grid.h"
#include "core/numbers.h"
#include "core/said.h"
#include "core/table_shape.h"
#include "core/translatable.h"

namespace brisel {

struct Workspace {
  Grid StringGrid1{kTableColumns, 10};  // the component table
  ByteGrid StringGrid2{110, 10};        // the records of a QPF file, byte by byte
  Grid StringGrid3{2, 5};               // the loaded RAK rules
  std::vector<std::string> Memo1{"Memo1"};
  bool Button17Enabled = true;       // Button17 may run (see app/buttons.h)
  bool BU_FootPrintEnabled = false;  // BU_FootPrint may run
  // What the check, the last rule runs and the QPF compare found, for the
  // "Controllo" tab and brisel-cli to show.
  std::vector<Finding> findings;
  RakReport rakReport;
  RulesReport rulesReport;
  QpfCompare qpfCompare;
};

// The selected rectangle of the component table, as the grid reports it.
struct GridRect {
  int Left = 1;
  int Top = 1;
  int Right = 1;
  int Bottom = 1;
};

// The controls an operation reads, as they stand when its button is pressed.
struct Controls {
  std::filesystem::path Edit1;   // INPUT QPF: the template
  std::filesystem::path Edit2;   // INPUT REP
  std::filesystem::path Edit3;   // INPUT CMP
  std::filesystem::path Edit4;   // OUTPUT QPF
  std::filesystem::path Edit5;   // INPUT MNT
  std::filesystem::path Edit6;   // INPUT BOM
  std::filesystem::path Edit7;   // INPUT RAK
  std::filesystem::path Edit8;   // INPUT TXT
  std::filesystem::path Edit9;   // OUTPUT ZIRKAN
  std::filesystem::path Edit10;  // INPUT posizioni: a CAD tool's placement file
  // The package rules of "Applica regole" (a CSV), on the "Scheda" tab.
  std::filesystem::path ED_Regole;
  // The placement file's columns and unit where the file cannot tell them,
  // as brisel-cli's --columns and --units say them ("ref=Designator,x=Mid X",
  // "mm"); empty when the file is left to tell.
  std::string placementColumns;
  std::string placementUnits;
  // Rows a placement file marks not to place (a DNP or populate column) are
  // imported as any other, rather than left out.
  bool keepDnp = false;
  // The placement CSV that "Salva posizioni" writes, chosen when it is pressed.
  std::filesystem::path placementOutput;
  bool RB_mils = false;         // coordinates in mils
  bool CB_Format = true;        // "Virgola come separatore decimali"
  bool RB_EN = false;           // "Inglese": the first comma of a number is a point
  std::string ED_Forza = "1";   // default force of the QPF records
  char decimalSeparator = '.';  // the user's locale
  int Col = 1;                  // cursor of the component table
  int Row = 1;
  GridRect Selection;
  // The board steps' parameters, as the "Scheda" tab holds them.
  char keepSide = 'T';   // "Tieni lato": T or B
  char flipAxis = 'x';   // "Capovolgi scheda": x (left to right) or y (top to bottom)
  int turnDegrees = 90;  // "Ruota scheda": counter-clockwise, about (0, 0)
  double shiftX = 0;     // "Sposta", millimetres
  double shiftY = 0;
  // "Pannello": boards across (along +X) and up (along +Y), 1 to 99 each,
  // and the pitch between them in millimetres.
  int panelColumns = 2;
  int panelRows = 1;
  double panelPitchX = 50;
  double panelPitchY = 50;
  // "Salta schede": the boards that go, as typed ("2,5-6").
  std::string skipBoards;

  NumberFormat numbers() const { return {decimalSeparator, RB_EN}; }
};

// A modal message box: caption and text, UTF-8.
struct Message {
  std::string caption;
  Text text;
  friend bool operator==(const Message&, const Message&) = default;
};

inline const Message kSuccessMessage{
    BRISEL_TRANSLATE_NOOP("Message", "Messaggio"),
    BRISEL_TRANSLATE_NOOP("Message", "Operazione eseguita correttamente")};
inline const Message kOpenErrorMessage{BRISEL_TRANSLATE_NOOP("Message", "Errore"),
                                       BRISEL_TRANSLATE_NOOP("Message", "Errore epertura file")};
inline const Message kRakOpenErrorMessage{
    BRISEL_TRANSLATE_NOOP("Message", "Errore"),
    BRISEL_TRANSLATE_NOOP("Message", "Errore apertura file RAK")};

// What an operation has to tell once it has run.
struct Outcome {
  std::vector<Message> messages;                  // message boxes, in order
  std::optional<std::filesystem::path> unopened;  // a file it could not open, said or not
  std::optional<int> cursorCol;                   // where it puts the table's cursor
  std::optional<int> cursorRow;
  // The placement file's columns could not be told: the window asks for them.
  bool askColumns = false;
  // A line for the summary under the buttons ("Tieni lato" says how many rows went).
  std::optional<Text> summary;
};

// The progress bar that long table operations show, move (0 to 100) and hide.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void show() {}
  virtual void setPosition(int /*percent*/) {}
  virtual void hide() {}
};

// The signature every operation has.
using Operation = Outcome (*)(Workspace&, const Controls&, Progress&);

}  // namespace brisel
