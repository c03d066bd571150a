#include "window/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>

GridView::GridView(brisel::Cells& grid, int fixedRows, int fixedColumns, bool editable,
                   int columnWidth, QWidget* parent)
    : QTableView(parent),
      model_(new GridModel(grid, fixedRows, fixedColumns, editable, this)),
      delegate_(new GridCellDelegate(this)) {
  setModel(model_);
  setItemDelegate(delegate_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  // The minimum first: the style's would raise the byte dump's 20 pixels.
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setDefaultSectionSize(columnWidth);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  setWordWrap(false);
  // A text cut at the cell's border ends in an ellipsis, so that a cut number
  // is not taken for a whole one; the tool tip shows it whole.
  setTextElideMode(Qt::ElideRight);
  setTabKeyNavigation(true);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  if (editable) {
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
  } else {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
  }
  moveCursorTo(fixedColumns, fixedRows);
}

void GridView::fitColumnsTo(const QString& widest) {
  delegate_->setCompact(true);
  const int room = horizontalHeader()->defaultSectionSize() - 2;
  QFont small = font();
  while (QFontMetrics(small).horizontalAdvance(widest) > room && small.pointSizeF() > 6)
    small.setPointSizeF(small.pointSizeF() - 0.5);
  setFont(small);
  // A font that stays too wide even so widens the columns instead.
  const int needed = QFontMetrics(small).horizontalAdvance(widest) + 2;
  if (needed > room + 2) horizontalHeader()->setDefaultSectionSize(needed);
}

// A view may leave its current index on a fixed cell when the rows under it
// go; the cursor of a grid never stands there.
int GridView::Col() const {
  QModelIndex current = currentIndex();
  return current.isValid() ? std::max(current.column(), model_->fixedColumns())
                           : model_->fixedColumns();
}

int GridView::Row() const {
  QModelIndex current = currentIndex();
  return current.isValid() ? std::max(current.row(), model_->fixedRows()) : model_->fixedRows();
}

brisel::GridRect GridView::Selection() const {
  const QItemSelection selection = selectionModel()->selection();
  if (selection.isEmpty()) return {Col(), Row(), Col(), Row()};
  brisel::GridRect rect{selection.first().left(), selection.first().top(),
                        selection.first().right(), selection.first().bottom()};
  for (const QItemSelectionRange& range : selection) {
    rect.Left = std::min(rect.Left, range.left());
    rect.Top = std::min(rect.Top, range.top());
    rect.Right = std::max(rect.Right, range.right());
    rect.Bottom = std::max(rect.Bottom, range.bottom());
  }
  rect.Left = std::max(rect.Left, model_->fixedColumns());
  rect.Top = std::max(rect.Top, model_->fixedRows());
  rect.Right = std::max(rect.Right, rect.Left);
  rect.Bottom = std::max(rect.Bottom, rect.Top);
  return rect;
}

void GridView::moveCursorTo(int column, int row) {
  QModelIndex target = model_->index(row, column);
  if (!target.isValid() || model_->isFixed(row, column)) return;
  selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
}
