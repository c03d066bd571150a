#pragma once
// The main window Form1 of class TForm1: the nine path rows, the four tabs
// with the component table, the QPF byte dump, the memo and the RAK rules, and
// the buttons that run the operations.
//
// A button's handler reads the controls into a Controls snapshot, runs its
// operation on the form's Workspace, shows the grids as the operation left
// them and then the operation's messages. Anything thrown out of a handler is
// shown in the error box and the window stays usable.

#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/buttons.h"
#include "app/settings.h"
#include "core/workspace.h"
#include "window/dialogs.h"
#include "window/path_bytes.h"

class QBoxLayout;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QEvent;
class QDoubleSpinBox;
class QSpinBox;
class QFileSystemWatcher;
class QFrame;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QTabWidget;
class GridView;
namespace brisel {
class History;
}
class CheckList;
class PreviewPage;

using FormOperation =
    std::function<brisel::Outcome(brisel::Workspace&, const brisel::Controls&, brisel::Progress&)>;

// The operation behind each button of the button table (app/buttons.h), by
// form name. The window runs the real ones; tests put their own in place.
class FormOperations {
 public:
  FormOperation& operator[](std::string_view name);
  const FormOperation& operator[](std::string_view name) const;

  static FormOperations standard();

 private:
  std::array<FormOperation, brisel::kButtons.size()> operations_;
};

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `settings` is the settings file (KSR.ini beside the executable in the
  // program; elsewhere in tests). The dialogs must outlive the form.
  TForm1(Dialogs& dialogs, std::filesystem::path settings,
         FormOperations operations = FormOperations::standard(), QWidget* parent = nullptr);
  ~TForm1() override;

  // KSR.ini in the folder of the running executable; in the user's
  // configuration folder when the program was installed.
  static std::filesystem::path defaultSettingsFile();

  brisel::Workspace& workspace() { return workspace_; }
  // True while a handler runs.
  bool busy() const { return busy_; }

  // The controls, named as on the form.
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QLabel* Label10;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLineEdit* Edit8;
  QLineEdit* Edit9;
  // The tenth row, "INPUT posizioni": a CAD tool's placement file. Its path
  // is kept in brisel.ini, as KSR.ini stays nine lines.
  QLabel* Label11;
  QLineEdit* Edit10;
  QPushButton* Button23;
  // "Tieni anche i da non montare": the rows the placement file marks not to
  // place are imported too. Kept in brisel.ini.
  QCheckBox* CB_TieniDnp;
  QPushButton* Button1;
  QPushButton* Button3;
  QPushButton* Button6;
  QPushButton* Button8;
  QPushButton* Button11;
  QPushButton* Button12;
  QPushButton* Button16;
  QPushButton* Button18;
  QPushButton* Button21;
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QWidget* TabSheet3;
  QWidget* TabSheet4;
  GridView* StringGrid1;
  GridView* StringGrid2;
  QPlainTextEdit* Memo1;
  GridView* StringGrid3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button10;
  QPushButton* Button13;
  QPushButton* Button19;
  QPushButton* Button7;
  QPushButton* Button17;
  QPushButton* BU_FootPrint;
  QPushButton* Button14;
  QPushButton* Button15;
  QPushButton* Button9;
  QPushButton* Button2;
  QPushButton* Button20;
  QPushButton* Button22;
  QRadioButton* RB_mm;
  QRadioButton* RB_mils;
  QCheckBox* CB_Format;
  QFrame* Panel1;
  QRadioButton* RB_EN;
  QRadioButton* RB_IT;
  QLabel* Label9;
  QLineEdit* ED_Forza;
  QProgressBar* ProgressBar1;
  OpenDialog OpenDialog1;
  // The board preview, "Anteprima", after "File RAK".
  QWidget* TabSheet5;
  PreviewPage* Preview;
  // The checks before the machine: their buttons, the RAK summary under the
  // buttons and the "Controllo" tab with its list.
  QPushButton* BU_Controlla;
  QPushButton* BU_Verifica;
  QLabel* LB_Rak;
  // What the last operation says without a box of its own: the input file it
  // did not find, a step's summary, where a picture was saved. It stands
  // under the buttons, before LB_Rak.
  QLabel* LB_Stato;
  QWidget* TabSheet6;
  CheckList* LV_Controllo;
  // "Lingua / Language", in the corner of the tabs: the language of the window.
  QComboBox* CB_Lingua;

  // Shows the window in the language of that code ("it", "en"); with
  // `remember`, it is also the language of the next start (brisel.ini, key
  // "lingua"). False, and nothing changed, for a language the program does not
  // know. The texts change when the event loop delivers the language change.
  bool chooseLanguage(const QString& code, bool remember);
  // The language brisel.ini names; Italian when it names none.
  QString rememberedLanguage() const;
  // ---- The board steps: the "Scheda" tab beside "Anteprima" (window/board_tab.cpp) ----
  QWidget* TabSheet7;
  QComboBox* CB_Lato;     // the side "Tieni lato" keeps
  QComboBox* CB_Asse;     // the axis "Capovolgi scheda" turns about
  QSpinBox* SE_Gradi;     // the degrees of "Ruota scheda"
  QDoubleSpinBox* ED_DX;  // the millimetres of "Sposta"
  QDoubleSpinBox* ED_DY;
  QPushButton* BU_Anteprima;  // shows the preview
  QPushButton* BU_TieniLato;
  QPushButton* BU_Capovolgi;
  QPushButton* BU_Ruota;
  QPushButton* BU_Sposta;
  QPushButton* BU_Angolo;
  void BU_TieniLatoClick(QObject* Sender);
  void BU_CapovolgiClick(QObject* Sender);
  void BU_RuotaClick(QObject* Sender);
  void BU_SpostaClick(QObject* Sender);
  void BU_AngoloClick(QObject* Sender);
  // ---- The panel: the "Pannello" box of the "Scheda" tab (window/panel_box.cpp) ----
  QSpinBox* SE_Colonne;       // boards along X
  QSpinBox* SE_Righe;         // boards along Y
  QDoubleSpinBox* ED_PassoX;  // the pitch between them, millimetres
  QDoubleSpinBox* ED_PassoY;
  QLineEdit* ED_Salta;  // the boards "Salta schede" removes: "2,5-6"
  QPushButton* BU_Pannello;
  QPushButton* BU_SaltaSchede;
  void BU_PannelloClick(QObject* Sender);
  void BU_SaltaSchedeClick(QObject* Sender);
  // "Applica regole", in a box of the "Scheda" tab (window/rules_box.cpp):
  // the package rules file, kept in brisel.ini, and under the buttons the
  // summary of the run the table stands after.
  QGroupBox* GB_Regole;
  QLineEdit* ED_Regole;
  QPushButton* BU_SfogliaRegole;
  QPushButton* BU_ApplicaRegole;
  QLabel* LB_Regole;
  void BU_SfogliaRegoleClick(QObject* Sender);
  void BU_ApplicaRegoleClick(QObject* Sender);

  // The handlers, bound to their controls.
  void FormCreate(QObject* Sender);
  void FormCloseQuery(QObject* Sender, bool& CanClose);
  void Button1Click(QObject* Sender);
  void Button3Click(QObject* Sender);
  void Button6Click(QObject* Sender);
  void Button12Click(QObject* Sender);
  void Button11Click(QObject* Sender);
  void Button18Click(QObject* Sender);
  void Button8Click(QObject* Sender);
  void Button16Click(QObject* Sender);
  void Button21Click(QObject* Sender);
  void Button4Click(QObject* Sender);
  void Button5Click(QObject* Sender);
  void Button10Click(QObject* Sender);
  void Button13Click(QObject* Sender);
  void Button19Click(QObject* Sender);
  void Button7Click(QObject* Sender);
  void Button17Click(QObject* Sender);
  void Button14Click(QObject* Sender);
  void Button15Click(QObject* Sender);
  void BU_FootPrintClick(QObject* Sender);
  void Button9Click(QObject* Sender);
  void Button2Click(QObject* Sender);
  void Button20Click(QObject* Sender);
  void Button22Click(QObject* Sender);
  void BU_ControllaClick(QObject* Sender);
  void BU_VerificaClick(QObject* Sender);

  // ---- Placement files (window/placement_form.cpp) ----
  QPushButton* BU_Posizioni;       // "Apri posizioni"
  QPushButton* BU_SalvaPosizioni;  // "Salva posizioni"
  void Button23Click(QObject* Sender);
  void BU_PosizioniClick(QObject* Sender);
  void BU_SalvaPosizioniClick(QObject* Sender);
  // brisel.ini beside the settings file, and what it holds.
  std::filesystem::path ownSettingsFile() const;
  const brisel::OwnSettings& ownSettings() const { return ownSettings_; }

  // ---- Undo, redo, copy and paste, dropped files (window/form_editing.cpp) ----
  QPushButton* BU_Annulla;  // "Annulla": undo, also Ctrl+Z
  QPushButton* BU_Ripeti;   // "Ripeti": redo, also Ctrl+Y and Ctrl+Shift+Z
  void BU_AnnullaClick(QObject* Sender);
  void BU_RipetiClick(QObject* Sender);
  // StringGrid1's Ctrl+C, Ctrl+V and Delete.
  void CopyCellsClick(QObject* Sender);
  void PasteCellsClick(QObject* Sender);
  void ClearCellsClick(QObject* Sender);
  // Files dropped on the window: each sets the path box of its extension;
  // on a path box, that box. Nothing is imported.
  void dropFiles(const QStringList& files, QLineEdit* box);
  // The path box of a file's extension (REP, CMP, MNT, BOM, RAK, TXT; POS,
  // CSV, TSV), or null.
  QLineEdit* pathBoxFor(const QString& file) const;
  const brisel::History& history() const { return *history_; }

 private:
  // The undo buttons, for the lower part; the shortcuts, filters and history.
  void buildEditing(QBoxLayout* beside);
  void bindEditing();
  // Records the workspace as one step if it changed; shows the undo buttons.
  void recordStep();
  void showHistory();
  // The column names above the component table, in the window's language.
  void showColumnNames();
  std::unique_ptr<brisel::History> history_;
  // ---- end of undo, redo, copy and paste, dropped files ----

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class BarProgress;

  QGridLayout* buildPathRows();
  // Edit10 and CB_TieniDnp beside it, as wide as the other path boxes.
  QLayout* placementBox();
  void buildPages();
  void sizeColumns();
  QWidget* buildLowerPart();
  // A button from the table into its line below the tabs, its box on the
  // "Scheda" tab or beside the tabs.
  void placeButton(QPushButton* control, brisel::ButtonGroup group,
                   const std::array<QHBoxLayout*, 3>& lines, QBoxLayout* beside);
  QGridLayout* buildOptions(QWidget* lower);  // units, separator, language, default force
  void setStartTexts();
  void bindHandlers();
  QPushButton* operationButton(const brisel::Button& button, QWidget* parent);
  // Runs a handler: one at a time, anything it throws shown in the error box.
  void guarded(QObject* sender, void (TForm1::*handler)(QObject*));
  void pick(QLineEdit* edit, const QString& extension);
  void run(const QPushButton* button);
  void run(const QPushButton* button, const brisel::Controls& controls);
  brisel::Controls snapshot() const;
  void showGrids();
  void showButtons();
  void showWorkspace() {
    showGrids();
    showButtons();
  }
  // The "Scheda" tab and its parameters; the step buttons go into its layout.
  void buildBoardTab();
  void readBoardControls(brisel::Controls& controls) const;
  QBoxLayout* boardButtons_ = nullptr;
  // The "Pannello" box, its parameters read into the snapshot, its buttons
  // (ButtonGroup::panel) placed beside them.
  QWidget* buildPanelBox();
  void readPanelControls(brisel::Controls& controls) const;
  void placePanelButton(QPushButton* button);
  QGridLayout* panelGrid_ = nullptr;
  // The package rules' box; its button comes from the button table.
  QWidget* buildRulesBox();
  void loadRulesPath();
  void keepRulesPath();
  QBoxLayout* rulesButtons_ = nullptr;
  // The checks' tab and summary, built in one place (window/form_checks.cpp).
  void buildChecks();
  void bindChecks();
  void showChecks();
  void showMissing(const brisel::Outcome& outcome, const brisel::Controls& controls);
  // The compare of "Verifica QPF" no longer speaks of the files and controls
  // it read: it goes.
  void dropCompare();
  QFileSystemWatcher* compareWatch_ = nullptr;
  // The line under the buttons: what the last operation said, kept as a text
  // to say again in another language; none for an empty line.
  void showStatus(std::optional<brisel::Text> status);
  std::optional<brisel::Text> status_;
  // "Salva immagine…" wrote the picture there: the line under the buttons says so.
  void showImageSaved(const QString& path);
  // Once "Controlla" has run, its findings follow the table: computed again
  // whenever the table (or "Inglese") has changed since they were.
  void followTable();
  bool checkFollows_ = false;
  bool checkStale_ = false;
  std::uint64_t checkedTable_ = 0;
  // A "Verifica QPF" compares a file with the table as it stood: once the
  // table changes, its result goes rather than speak of another table.
  std::uint64_t comparedTable_ = 0;
  // Tab and Shift+Tab in reading order, Ctrl+Tab to the tabs and out of the
  // grids, the keys of the buttons and Ctrl+Q (window/form_keys.cpp).
  void bindKeys();
  // The controls Tab reaches, in reading order: the path rows, the tabs, the
  // controls beside them, the page, the buttons below, the settings.
  std::vector<QWidget*> focusOrder() const;
  // The focus to the next (previous) control of focusOrder() that shows, from
  // the one that holds it, round again after the last.
  bool moveFocus(bool forward);
  // Ctrl+Tab: out of a grid, else to the next (previous) tab.
  void ctrlTab(bool forward);
  std::array<QLineEdit*, 9> pathBoxes() const;
  void buildLanguageChoice(QBoxLayout* beside);
  // Every button gets an Alt letter, or where none of its caption is free,
  // another key named in its tool tip (window/form_keys.cpp); takeKeys takes
  // back those not in the caption, before the texts change language.
  void giveKeys();
  void takeKeys();
  // Every text of the window anew, in the language now chosen.
  void retranslate();
  // brisel.ini: loaded at the start, written with KSR.ini at the close.
  void loadOwnSettings();
  void saveOwnSettings();
  // An import that could not tell the placement file's columns: runs it again
  // with those remembered for the file's header, or with those the operator
  // chooses in "Colonne del file". Nothing is said when the operator cancels.
  brisel::Outcome withColumns(const FormOperation& operation, const brisel::Controls& controls,
                              brisel::Outcome outcome, brisel::Progress& progress);
  brisel::OwnSettings ownSettings_;

  // The nine boxes' paths as loaded from KSR.ini, kept byte for byte while
  // their texts are not edited (FormCreate, FormCloseQuery, snapshot).
  PathBytes pathBytes_;

  Dialogs& dialogs_;
  std::filesystem::path settings_;
  FormOperations operations_;
  brisel::Workspace workspace_;
  std::unique_ptr<BarProgress> progress_;
  std::vector<std::string> memoShown_;
  bool busy_ = false;
  bool closePending_ = false;
};

// The one window of the program, while it exists.
extern TForm1* Form1;
