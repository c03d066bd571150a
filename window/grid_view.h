#pragma once

#include <QTableView>

#include "core/cells.h"
#include "core/workspace.h"
#include "window/grid_delegate.h"
#include "window/grid_model.h"

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
