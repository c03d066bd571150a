// The boards of a panel in the preview: the rectangle around each board's
// parts, dashed in green, and its number in a box at its upper left corner,
// drawn over the parts so that the operator reads which board is which and
// sees the place of a board left out empty.
#include <QPainter>

#include "window/board_view.h"

namespace {

const QColor kPanel(0x20, 0x70, 0x20);
const QColor kNumberBackground(0xf7, 0xf7, 0xf2);
constexpr int kNumberPixels = 14;

}  // namespace

void BoardView::paintPanel(QPainter& painter, const QRect& area) const {
  const std::vector<brisel::PanelBoard>& boards = board_->panelBoards();
  if (boards.empty()) return;
  QFont font = painter.font();
  font.setPixelSize(kNumberPixels);
  font.setBold(true);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const brisel::PanelBoard& panelBoard : boards) {
    const brisel::BoardBox& box = panelBoard.extent;
    const QRectF rect(toPixel(box.left, box.top), toPixel(box.right, box.bottom));
    if (!rect.adjusted(-2, -2, 2, 2).intersects(area)) continue;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kPanel, 1.5, Qt::DashLine));
    painter.drawRect(rect);
    // A board drawn smaller than its number keeps only its rectangle.
    const QString number = QString::number(panelBoard.number);
    const QRectF label(rect.topLeft() + QPointF(3, 3),
                       QSizeF(metrics.horizontalAdvance(number) + 6, metrics.height() + 2));
    if (label.right() > rect.right() || label.bottom() > rect.bottom()) continue;
    painter.setPen(QPen(kPanel, 1));
    painter.setBrush(kNumberBackground);
    painter.drawRect(label);
    painter.drawText(label, Qt::AlignCenter, number);
  }
}
