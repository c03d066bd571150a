#include "window/grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>

QString shownText(std::string_view bytes, bool keepTabs) {
  std::size_t end = bytes.size();
  while (end > 0 && static_cast<unsigned char>(bytes[end - 1]) <= 32) --end;
  QString text;
  text.reserve(static_cast<qsizetype>(end));
  for (std::size_t i = 0; i < end; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\t' && keepTabs)
      text += QLatin1Char('\t');
    else if (byte == '\n' || byte == '\r')
      text += QChar(0x21B5);
    else if (byte == '\t')
      text += QChar(0x2192);
    else if (byte < 32 || (byte >= 0x7F && byte < 0xA0))
      text += QChar(0xFFFD);
    else
      text += QChar(byte);
  }
  return text;
}

GridModel::GridModel(brisel::Cells& grid, int fixedRows, int fixedColumns, bool editable,
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
      return shownText(grid_->cell(index.column(), index.row()));
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
  emit cellEdited(index.column(), index.row());
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

void GridModel::setColumnNames(const QStringList& names) {
  columnNames_ = names;
  if (columns_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void GridModel::setRowNumbers(bool shown) {
  rowNumbers_ = shown;
  if (rows_ > 0) emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical && role == Qt::DisplayRole)
    return rowNumbers_ && section >= fixedRows_ ? QVariant(QString::number(section)) : QVariant();
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < columnNames_.size())
    return columnNames_[section];
  if (role == Qt::DisplayRole) return {};
  return QAbstractTableModel::headerData(section, orientation, role);
}
