#include "app/grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <algorithm>

GridModel::GridModel(brisel::Grid& grid, int fixedRows, int fixedColumns, bool editable,
                     QObject* parent)
    : QAbstractTableModel(parent),
      grid_(&grid),
      rows_(grid.RowCount()),
      columns_(grid.ColCount()),
      fixedRows_(fixedRows),
      fixedColumns_(fixedColumns),
      editable_(editable) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

bool GridModel::inGrid(const QModelIndex& index) const {
  return index.isValid() && index.model() == this && index.row() < rows_ &&
         index.column() < columns_ && index.row() < grid_->RowCount() &&
         index.column() < grid_->ColCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!inGrid(index)) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      std::string_view text = grid_->cell(index.column(), index.row());
      return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    case kFixedRole:
      return isFixed(index.row(), index.column());
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !inGrid(index) || !flags(index).testFlag(Qt::ItemIsEditable))
    return false;
  // Characters beyond Latin-1 cannot be stored in a byte: they become '?'.
  QByteArray bytes = value.toString().toLatin1();
  grid_->setCell(index.column(), index.row(), std::string_view(bytes.constData(), bytes.size()));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!inGrid(index) || isFixed(index.row(), index.column())) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (editable_) flags |= Qt::ItemIsEditable;
  return flags;
}

void GridModel::refresh() {
  if (grid_->ColCount() != columns_) {
    // Not done by any operation; a full reset keeps the views right all the same.
    beginResetModel();
    rows_ = grid_->RowCount();
    columns_ = grid_->ColCount();
    endResetModel();
    return;
  }
  int live = grid_->RowCount();
  if (live > rows_) {
    beginInsertRows({}, rows_, live - 1);
    rows_ = live;
    endInsertRows();
  } else if (live < rows_) {
    beginRemoveRows({}, live, rows_ - 1);
    rows_ = live;
    endRemoveRows();
  }
  if (rows_ > 0 && columns_ > 0)
    emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole, Qt::EditRole});
}

void FixedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  if (!index.data(GridModel::kFixedRole).toBool()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionHeader header;
  header.initFrom(option.widget);
  header.rect = option.rect;
  header.state = QStyle::State_Enabled | QStyle::State_Raised;
  header.text = index.data(Qt::DisplayRole).toString();
  header.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  header.position = QStyleOptionHeader::Middle;
  QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
  // The style leaves its own clip and pen on the painter, which the view goes
  // on to use for the other cells and the grid lines.
  painter->save();
  style->drawControl(QStyle::CE_Header, &header, painter, option.widget);
  painter->restore();
}

GridView::GridView(brisel::Grid& grid, int fixedRows, int fixedColumns, bool editable,
                   int columnWidth, QWidget* parent)
    : QTableView(parent), model_(new GridModel(grid, fixedRows, fixedColumns, editable, this)) {
  setModel(model_);
  setItemDelegate(new FixedCellDelegate(this));
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
  // A long text is cut at the cell border: its leading digits stay readable.
  setTextElideMode(Qt::ElideNone);
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
