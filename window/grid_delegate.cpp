#include "window/grid_delegate.h"

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
