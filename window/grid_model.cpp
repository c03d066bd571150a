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

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < columnNames_.size())
    return columnNames_[section];
  if (role == Qt::DisplayRole) return {};
  return QAbstractTableModel::headerData(section, orientation, role);
}

namespace {

QStyle* styleOf(const QWidget* widget) {
  return widget != nullptr ? widget->style() : QApplication::style();
}

// The room the style leaves on either side of a cell's text.
int textMargin(const QWidget* widget) {
  return styleOf(widget)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

}  // namespace

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  if (index.data(GridModel::kFixedRole).toBool())
    paintHeader(painter, option, index);
  else if (compact_)
    paintCompact(painter, option, index);
  else
    QStyledItemDelegate::paint(painter, option, index);
}

void GridCellDelegate::paintHeader(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  QStyleOptionHeader header;
  header.initFrom(option.widget);
  header.rect = option.rect;
  header.state = QStyle::State_Enabled | QStyle::State_Raised;
  header.text = index.data(Qt::DisplayRole).toString();
  header.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  header.position = QStyleOptionHeader::Middle;
  // The style leaves its own clip and pen on the painter, which the view goes
  // on to use for the other cells and the grid lines.
  painter->save();
  styleOf(option.widget)->drawControl(QStyle::CE_Header, &header, painter, option.widget);
  painter->restore();
}

// The style's margins would leave no room for three digits in a 20-pixel
// column: the background and selection are the style's, the text is ours.
void GridCellDelegate::paintCompact(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text;
  cell.text.clear();
  styleOf(option.widget)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
  const QPalette::ColorGroup group =
      cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  const QPalette::ColorRole role =
      cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  painter->save();
  painter->setPen(cell.palette.color(group, role));
  painter->setFont(cell.font);
  painter->drawText(cell.rect.adjusted(1, 0, -1, 0), Qt::AlignCenter | Qt::TextSingleLine, text);
  painter->restore();
}

bool GridCellDelegate::fits(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return true;
  const int margins = 2 * (compact_ ? 1 : textMargin(option.widget));
  return option.fontMetrics.horizontalAdvance(text) + margins <= option.rect.width();
}

bool GridCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip)
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  if (!index.isValid() || fits(option, index)) {
    QToolTip::hideText();
    return true;
  }
  // Plain text whatever the cell holds: a cell is no markup.
  const QString text = index.data(Qt::DisplayRole).toString().toHtmlEscaped();
  QToolTip::showText(event->globalPos(), QStringLiteral("<p style='white-space:pre'>") + text,
                     view->viewport(), option.rect);
  return true;
}

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
