#pragma once
// "Colonne del file": the operator tells which columns of a placement file
// hold the reference, X, Y and the rest, and its unit. The dialog shows the
// first lines as the importer splits them and, as the choice changes, the
// first rows as they would land in the table.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "window/dialogs.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QTableWidget;

class ColumnDialog : public QDialog {
  Q_OBJECT

 public:
  // The fields, in the order the dialog lists them, with their --columns keys.
  static constexpr std::array<const char*, 9> kKeys{"ref",   "x",    "y",   "value",   "footprint",
                                                    "angle", "side", "dnp", "populate"};
  static constexpr std::size_t kRequired = 3;  // ref, x and y

  // Set up from `choice`: its columns and unit preselected.
  ColumnDialog(const ColumnChoice& choice, QWidget* parent = nullptr);

  // The choice as brisel-cli's --columns and --units would say it.
  ColumnChoice choice() const;

  // The controls, named for the tests.
  QTableWidget* TB_Righe;                         // the first lines of the file
  QComboBox* CB_Intestazione;                     // the header line, or none (columns by number)
  std::array<QComboBox*, kKeys.size()> CB_Campi;  // one a field, as kKeys
  QComboBox* CB_Unita;                            // mm, mil, in
  QCheckBox* CB_TieniDnp;                         // the rows marked not to place kept
  QTableWidget* TB_Anteprima;                     // the first rows as the import would write them
  QLabel* LB_Messaggio;                           // why the preview stops, or what is missing
  QDialogButtonBox* Buttons;

 private:
  // The parts of the dialog, top to bottom; each sets its controls.
  QTableWidget* buildLines();
  QFormLayout* buildFields();
  QTableWidget* buildPreview();
  void connectChanges();

  void fillColumns();  // the field choices, after a change of the header line
  void preselect(const std::string& columns);
  void showPreview();  // the preview and the state of OK, after any change
  std::string columnsText() const;

  ColumnChoice choice_;
  std::vector<std::vector<std::string>> lines_;  // as the importer splits them, UTF-8
  std::size_t width_ = 0;                        // the most cells a line has
};
