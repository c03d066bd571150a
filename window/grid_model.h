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
#include <QStyledItemDelegate>
#include <QTableView>
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
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  // A cell the operator typed (setData), not one an operation changed.
  void cellEdited(int column, int row);

 private:
  QStringList columnNames_;
  // ---- end of column names and typed cells ----
  bool inGrid(const QModelIndex& index) const;

  brisel::Cells* grid_;
  int rows_;
  int columns_;
  int fixedRows_;
  int fixedColumns_;
  bool editable_;
};

// Paints the fixed cells as the style paints header sections, and the cells
// of a compact grid (the byte dump) centred with the least margin. A text cut
// at the cell's border shows whole in the cell's tool tip.
class GridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void setCompact(bool compact) { compact_ = compact; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // Whether the text of `index` fits its cell as painted.
  bool fits(const QStyleOptionViewItem& option, const QModelIndex& index) const;

 private:
  void paintHeader(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
  void paintCompact(QPainter* painter, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;
  bool compact_ = false;
};

// A string grid of the window: a table view of a GridModel with fixed row
// heights and column widths (nothing is sized to its contents, so a grid of
// millions of cells opens at once), and the cursor and selection as the
// handlers read them.
class GridView : public QTableView {
  Q_OBJECT

 public:
  GridView(brisel::Cells& grid, int fixedRows, int fixedColumns, bool editable, int columnWidth,
           QWidget* parent = nullptr);

  GridModel* gridModel() const { return model_; }
  GridCellDelegate* cellDelegate() const { return delegate_; }

  // Narrow columns of short texts, as the byte dump's: the cells are painted
  // with the least margin, in a font made smaller where `widest` would not
  // fit the default column width in the view's own.
  void fitColumnsTo(const QString& widest);

  // The cursor: the current cell, or the first cell past the fixed ones when
  // there is none.
  int Col() const;
  int Row() const;
  // The selected rectangle, never reaching into the fixed cells; the cursor's
  // cell when nothing is selected.
  brisel::GridRect Selection() const;

  // Puts the cursor on a cell and selects it alone, as setting Col and Row
  // does; cells outside the grid or fixed are ignored.
  void moveCursorTo(int column, int row);

  void refresh() { model_->refresh(); }

 private:
  GridModel* model_;
  GridCellDelegate* delegate_;
};
