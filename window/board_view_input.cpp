// The preview's input: the wheel zooms at the pointer, a drag moves the
// board, a click picks a part's row, + and - zoom, a tool tip names a part.
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "window/board_view.h"
#include "window/grid_view.h"

namespace {

QString number(float value) {
  return QString::fromStdString(brisel::shortestDecimal(value));
}

}  // namespace

void BoardView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  // Steps that come before the next paint add up into one zoom and one paint.
  if (!frameValid_) drawFrame();
  zoomAt(std::pow(2.0, delta / 480.0), event->position());
  zooming_ = true;
  wheelRest_->start();
  event->accept();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  settleZoom();
  pressed_ = event->position().toPoint();
  pressedCentre_ = centre_;
  dragging_ = false;
  setFocus();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint moved = event->position().toPoint() - pressed_;
  if (!dragging_ && moved.manhattanLength() < 4) return;
  dragging_ = true;
  centre_ = pressedCentre_ - QPointF(moved.x() / scale_, -moved.y() / scale_);
  fitted_ = true;
  update();
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (dragging_) {
    dragging_ = false;
    return;
  }
  const int i = partAtPixel(event->position());
  if (i >= 0) emit rowClicked(board_->parts[static_cast<std::size_t>(i)].row);
}

void BoardView::keyPressEvent(QKeyEvent* event) {
  settleZoom();
  const QPointF middle(width() / 2.0, height() / 2.0);
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      zoomAt(1.25, middle);
      break;
    case Qt::Key_Minus:
      zoomAt(0.8, middle);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool BoardView::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const int i = partAtPixel(help->pos());
  if (i < 0) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  QToolTip::showText(help->globalPos(), toolTipOf(i), this);
  return true;
}

QString BoardView::toolTipOf(int i) const {
  const brisel::Placement& part = board_->parts[static_cast<std::size_t>(i)];
  // Rich text, every cell escaped: a reference such as "<b>" is shown as typed.
  auto cell = [](const std::string& bytes) { return shownText(bytes).toHtmlEscaped(); };
  return tr("<qt><b>%1</b><br>Valore: %2<br>Footprint: %3<br>X: %4 &nbsp;Y: %5<br>"
            "Angolo: %6 (%7°)</qt>")
      .arg(cell(part.reference), cell(part.value), cell(part.footprint), number(part.x),
           number(part.y))
      .arg(part.angle)
      .arg(brisel::signedDegrees(part.angle));
}
