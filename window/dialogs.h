#pragma once
// The modal dialogs of the window: message boxes, the error box, the
// file-open dialog and the columns of a placement file. The window reaches
// them only through Dialogs, so that the tests put a recording stand-in in
// their place and never wait on a dialog.

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "core/workspace.h"

class QMessageBox;
class QWidget;

// The file-open dialog shared by the nine pickers. It keeps what the last
// picker set; each picker sets every property afresh.
struct OpenDialog {
  QString InitialDir;   // the folder the dialog opens in; empty: the dialog's choice
  QString FileName;     // the proposed name; after OK, the full path chosen
  QString Filter;       // description|pattern pairs: "*.QPF|*.QPF"
  int FilterIndex = 1;  // the active pair, from 1
  QString DefaultExt;   // without the point: added to a chosen name that has no extension
};

// The pair of an edit box's text that a picker proposes: the folder part, up
// to and including the last path separator (or drive colon), and the name
// after it. `driveLetters` says whether '\' and ':' count as separators, as
// they do on Windows.
struct PathParts {
  QString folder;
  QString name;
};
PathParts splitPickerPath(const QString& text, bool driveLetters);
PathParts splitPickerPath(const QString& text);  // with this system's rules

// The name "Salva posizioni" proposes for the table read from the placement
// file `input`: its name, extension off, with "-brisel.csv", in its folder
// (never the input itself); "posizioni-brisel.csv" in `folder` when there is
// no input.
QString placementSaveName(const QString& input, const QString& folder);

// `path` with ".ext" added when its name part has no extension.
QString withDefaultExtension(const QString& path, const QString& extension);

// A file-name pattern that matches whatever the case of its letters, for file
// dialogs that match case-sensitively: "*.QPF" gives "*.[Qq][Pp][Ff]". Sets
// already in brackets stay as they are.
QString anyCasePattern(const QString& pattern);

// OpenDialog::Filter ("*.QPF|*.QPF", description|pattern pairs, patterns
// separated by ';') as the name filters of the real dialog, one a pair:
// "description (patterns)". Where file names are case-sensitive the patterns
// match any case, so that "*.QPF" also offers board.qpf; the dialog shows only
// the description.
QStringList dialogNameFilters(const QString& filter, bool caseSensitiveNames);
QStringList dialogNameFilters(const QString& filter);  // with this system's rules

// What "Colonne del file" works on and what it answers, for a placement file
// whose columns the importer could not tell.
struct ColumnChoice {
  std::string bytes;          // the start of the file, as the importer reads it
  brisel::Controls controls;  // the controls the import runs with
  // In: the columns and unit proposed; out: those chosen, as brisel-cli's
  // --columns and --units say them ("ref=Designator,x=Mid X,y=Mid Y", "mil").
  std::string columns;
  std::string units;
  // Out: the index among the file's first lines of the header the columns
  // are named in; -1 when they are given by number.
  int headerLine = -1;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box owned by `owner`: caption, text, one OK button, no icon.
  virtual void message(QWidget* owner, const QString& caption, const QString& text) = 0;
  // The error box for a failure that ended a button's operation.
  virtual void error(QWidget* owner, const QString& text) = 0;
  // Shows the file-open dialog as configured; true on OK, with the chosen
  // path in dialog.FileName. On cancel `dialog` stays as it was.
  virtual bool openFile(QWidget* owner, OpenDialog& dialog) = 0;
  // The same for a file to be written ("Salva immagine…"); stand-ins that
  // know no difference answer it as openFile.
  virtual bool saveFile(QWidget* owner, OpenDialog& dialog) { return openFile(owner, dialog); }
  // "Colonne del file": true on OK, with the choice in `choice`; on cancel
  // `choice` stays as it was. Stand-ins that know no such dialog cancel.
  virtual bool chooseColumns(QWidget* /*owner*/, ColumnChoice& /*choice*/) { return false; }
};

// The real dialogs: QMessageBox and QFileDialog.
class WidgetDialogs : public Dialogs {
 public:
  void message(QWidget* owner, const QString& caption, const QString& text) override;
  void error(QWidget* owner, const QString& text) override;
  bool openFile(QWidget* owner, OpenDialog& dialog) override;
  bool saveFile(QWidget* owner, OpenDialog& dialog) override;
  bool chooseColumns(QWidget* owner, ColumnChoice& choice) override;

  // The boxes and the dialog as they are shown, set up but not run. Texts are
  // plain: a cell holding markup shows as typed.
  static std::unique_ptr<QMessageBox> messageBox(QWidget* owner, const QString& caption,
                                                 const QString& text);
  static std::unique_ptr<QMessageBox> errorBox(QWidget* owner, const QString& text);
  static std::unique_ptr<QFileDialog> fileDialog(
      QWidget* owner, const OpenDialog& dialog,
      QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen);
};

// Runs the dialog and applies the default extension to the chosen name.
bool executeOpenDialog(Dialogs& dialogs, QWidget* owner, OpenDialog& dialog);
