#pragma once

#include <QStyledItemDelegate>

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
