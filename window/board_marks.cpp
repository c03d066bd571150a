// What the preview draws around the parts: the legend of the bottom side, the
// board's extent with its size under it, and the origin's cross.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/board_style.h"
#include "window/board_view.h"

using namespace board_style;

// In a corner, what the dashed outline means, while the board has a bottom side.
void BoardView::paintLegend(QPainter& painter) const {
  if (std::none_of(board_->parts.begin(), board_->parts.end(),
                   [](const brisel::Placement& part) { return part.bottom; }))
    return;
  QFont font = painter.font();
  font.setPixelSize(kLabelPixels);
  painter.setFont(font);
  const QString text = tr("lato B (visto attraverso la scheda)");
  const QFontMetrics metrics(font);
  const int sample = kLabelPixels + 3, gap = 6;
  const QRect box(width() - metrics.horizontalAdvance(text) - sample - 3 * gap,
                  height() - sample - 2 * gap, metrics.horizontalAdvance(text) + sample + 3 * gap,
                  sample + 2 * gap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(kExtent, 0));
  painter.setBrush(kBackground);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kBottom, 1.5, Qt::DashLine));
  painter.drawRect(QRectF(box.left() + gap, box.top() + gap, sample, sample));
  painter.setPen(Qt::black);
  painter.drawText(QRect(box.left() + 2 * gap + sample, box.top(), box.width(), box.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, text);
}

void BoardView::paintExtent(QPainter& painter) const {
  if (board_->parts.empty()) return;
  const brisel::BoardBox box = board_->extent();
  const QRectF rect(toPixel(box.left, box.top), toPixel(box.right, box.bottom));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kExtent, 1, Qt::DashDotLine));
  painter.drawRect(rect);
}

// The extent's size, centred under it (above it, or inside its lower edge,
// where the view has no room below), on the background so that neither the
// parts nor the origin's cross draw over it.
void BoardView::paintExtentSize(QPainter& painter) const {
  if (board_->parts.empty()) return;
  const brisel::BoardBox box = board_->extent();
  const QRectF rect(toPixel(box.left, box.top), toPixel(box.right, box.bottom));
  QFont font = painter.font();
  font.setPixelSize(kLabelPixels);
  painter.setFont(font);
  const QString text = tr("%1 \u00D7 %2 mm")
                           .arg(static_cast<double>(box.width()), 0, 'f', 2)
                           .arg(static_cast<double>(box.height()), 0, 'f', 2);
  const QFontMetrics metrics(font);
  const double w = metrics.horizontalAdvance(text) + 6, h = metrics.height() + 2, gap = 3;
  double y = rect.bottom() + gap;
  if (y + h > height())
    y = rect.top() - gap - h >= 0 ? rect.top() - gap - h
                                  : std::min(rect.bottom(), 1.0 * height()) - gap - h;
  const double x = std::clamp(rect.center().x() - w / 2, 2.0, std::max(2.0, width() - w - 2));
  const QRectF place(x, y, w, h);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(place, kBackground);
  painter.setPen(kExtent);
  painter.drawText(place, Qt::AlignCenter, text);
}

void BoardView::paintOrigin(QPainter& painter) const {
  const QPointF origin = toPixel(0, 0);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(origin - QPointF(16, 0), origin + QPointF(16, 0));
  painter.drawLine(origin - QPointF(0, 16), origin + QPointF(0, 16));
  painter.drawEllipse(origin, 5.0, 5.0);
  QFont font = painter.font();
  font.setPixelSize(kLabelPixels);
  painter.setFont(font);
  painter.drawText(origin + QPointF(7, -7), QStringLiteral("0, 0"));
}
