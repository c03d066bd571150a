#pragma once
// The main window Form1 of class TForm1: the nine path rows, the four tabs
// with the component table, the QPF byte dump, the memo and the RAK rules, and
// the buttons that run the operations.
//
// A button's handler reads the controls into a Controls snapshot, runs its
// operation on the form's Workspace, shows the grids as the operation left
// them and then the operation's messages. Anything thrown out of a handler is
// shown in the error box and the window stays usable.

#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/dialogs.h"
#include "core/workspace.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QTabWidget;
class GridView;
class PreviewPage;

using FormOperation =
    std::function<brisel::Outcome(brisel::Workspace&, const brisel::Controls&, brisel::Progress&)>;

// The operation behind each button. The window runs the real ones; tests put
// their own in place.
struct FormOperations {
  FormOperation Button4;       // "Apri REP"
  FormOperation Button5;       // "Apre CMP"
  FormOperation Button10;      // "Apre MNT"
  FormOperation Button13;      // "Apre BOM"
  FormOperation Button19;      // "Apre TXT"
  FormOperation Button7;       // "Riferimento"
  FormOperation Button17;      // "Applica RAK"
  FormOperation Button14;      // "RIORDINA COLONNA CURSORE"
  FormOperation Button15;      // "CANCELLA LINEE SELEZIONATE"
  FormOperation BU_FootPrint;  // "Merge FootPrint"
  FormOperation Button9;       // "Crea Output File"
  FormOperation Button2;       // "Apri QPF generato"
  FormOperation Button20;      // "Crea Output per ZIRKAN"
  FormOperation Button22;      // "Apre ZIRKAN generato"

  static FormOperations standard();
};

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `settings` is the settings file (KSR.ini beside the executable in the
  // program; elsewhere in tests). The dialogs must outlive the form.
  TForm1(Dialogs& dialogs, std::filesystem::path settings,
         FormOperations operations = FormOperations::standard(), QWidget* parent = nullptr);
  ~TForm1() override;

  // KSR.ini in the folder of the running executable.
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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class BarProgress;

  QGridLayout* buildPathRows();
  void buildPages();
  void sizeColumns();
  QWidget* buildLowerPart();
  void setStartTexts();
  void bindHandlers();
  // Runs a handler: one at a time, anything it throws shown in the error box.
  void guarded(QObject* sender, void (TForm1::*handler)(QObject*));
  void pick(QLineEdit* edit, const QString& extension);
  void run(const FormOperation& operation);
  brisel::Controls snapshot() const;
  void showWorkspace();
  std::array<QLineEdit*, 9> pathBoxes() const;

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
