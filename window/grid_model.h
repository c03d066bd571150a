#pragma once
// A core grid seen by a QTableView. The grid lives in the form's workspace and
// the operations change it directly; the model keeps the row and column counts
// the views were last told, and refresh() tells them what changed in one go.
// Every read goes to the live grid and is checked against it, so a view that
// paints while an operation runs (the progress bar keeps the window painted)
// never reads outside the grid.
//
// The fixed rows and columns of the grid (row 0, column 0) are cells of the
// model like the others, painted as header cells, never selectable nor
// editable. Cells are bytes shown as Latin-1, one byte a character.

#include <QAbstractTableModel>
#include <QStringList>
#include <string_view>

#include "core/cells.h"
#include "core/workspace.h"

// The text a cell or memo line shows for its bytes: Latin-1, without the
// blanks and control characters at its end, which would show nothing or break
// the line (the ZIRKAN viewer leaves a space and a line feed after the angle).
// A control character within the text shows as a sign of its own, so that no
// byte is drawn as nothing: a line feed or carriage return as U+21B5, a tab as
// U+2192 (unless `keepTabs`), any other as U+FFFD.
QString shownText(std::string_view bytes, bool keepTabs = false);

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // True for the fixed cells, under kFixedRole.
  static constexpr int kFixedRole = Qt::UserRole + 1;

  GridModel(brisel::Cells& grid, int fixedRows, int fixedColumns, bool editable,
            QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  int fixedRows() const { return fixedRows_; }
  int fixedColumns() const { return fixedColumns_; }
  bool isFixed(int row, int column) const { return row < fixedRows_ || column < fixedColumns_; }

  // Tells the views the grid as it now stands: rows added or removed at the
  // bottom, then one change of every cell. Selection and current cell stay
  // where they are as long as their rows do.
  void refresh();

  // ---- Column names and typed cells ----
  // Names shown in a horizontal header above the fixed row; the cells keep
  // their texts.
  void setColumnNames(const QStringList& names);
  // Row numbers in a vertical header, as the findings and the error messages
  // count rows; the fixed rows get none.
  void setRowNumbers(bool shown);
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  // A cell the operator typed (setData), not one an operation changed.
  void cellEdited(int column, int row);

 private:
  QStringList columnNames_;
  bool rowNumbers_ = false;
  // ---- end of column names and typed cells ----
  bool inGrid(const QModelIndex& index) const;

  brisel::Cells* grid_;
  int rows_;
  int columns_;
  int fixedRows_;
  int fixedColumns_;
  bool editable_;
};
