#include "window/board_view.h"
#include "window/board_style.h"
#include "window/language.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStaticText>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/atomic_file.h"
#include "window/dialogs.h"
#include "window/grid_view.h"

namespace {

using namespace board_style;

// Beyond this many parts in view every part is drawn as its turned extent:
// their marks could not be told apart anyway.
constexpr std::size_t kDetailLimit = 6000;
// Labels are tried only up to this many parts in view.
constexpr std::size_t kLabelLimit = 1500;
constexpr double kMinScale = 0.005;  // pixels a millimetre
constexpr double kMaxScale = 500;
constexpr int kOccupancyCell = 6;  // pixels
// The height under a fitted board for the line that gives its size.
constexpr double kSizeLabelRoom = kLabelPixels + 10;

}  // namespace

BoardView::BoardView(QWidget* parent)
    : QWidget(parent), board_(std::make_shared<const brisel::Board>()) {
  setMouseTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 80);
  wheelRest_ = new QTimer(this);
  wheelRest_->setSingleShot(true);
  wheelRest_->setInterval(kWheelRest);
  connect(wheelRest_, &QTimer::timeout, this, &BoardView::settleZoom);
}

void BoardView::setBoard(std::shared_ptr<const brisel::Board> board) {
  board_ = board ? std::move(board) : std::make_shared<const brisel::Board>();
  labels_.clear();
  partOfRow_.clear();
  for (std::size_t i = 0; i < board_->parts.size(); ++i) {
    const int row = board_->parts[i].row;
    if (row >= static_cast<int>(partOfRow_.size())) partOfRow_.resize(row + 1, -1);
    partOfRow_[row] = static_cast<int>(i);
  }
  setMarkedRows(markedRows_);
  dropFrame();
  if (!fitted_) fitToView();
  update();
}

void BoardView::fitToView() {
  const brisel::BoardBox box = board_->extent();
  const double width = std::max<double>(box.width(), 10);
  const double height = std::max<double>(box.height(), 10);
  const double margin = 0.05;
  // The board's size stands under it: the fitted board leaves it the room.
  const double below = std::max(1.0, this->height() - kSizeLabelRoom);
  scale_ = std::clamp(
      std::min(this->width() / (width * (1 + 2 * margin)), below / (height * (1 + 2 * margin))),
      kMinScale, kMaxScale);
  centre_ = QPointF((box.left + box.right) / 2.0,
                    (box.bottom + box.top) / 2.0 - kSizeLabelRoom / 2.0 / scale_);
  zooming_ = false;
  // Until a part and a real size have been seen, the next board fits again.
  fitted_ = !board_->parts.empty() && isVisible();
  update();
}

void BoardView::zoomAt(double factor, QPointF pixel) {
  const QPointF anchor = toBoard(pixel);
  scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
  centre_ = QPointF(anchor.x() - (pixel.x() - width() / 2.0) / scale_,
                    anchor.y() + (pixel.y() - height() / 2.0) / scale_);
  fitted_ = true;
  update();
}

void BoardView::setColourBy(brisel::ColourBy colours) {
  colours_ = colours;
  dropFrame();
  update();
}

void BoardView::setCurrentRow(int row) {
  if (row == currentRow_) return;
  currentRow_ = row;
  dropFrame();
  update();
}

void BoardView::setMarkedRows(const std::vector<int>& rows) {
  markedRows_ = rows;
  marked_.assign(board_->parts.size(), 0);
  for (int row : rows)
    if (row >= 0 && row < static_cast<int>(partOfRow_.size()) && partOfRow_[row] >= 0)
      marked_[static_cast<std::size_t>(partOfRow_[row])] = 1;
  dropFrame();
  update();
}

QPointF BoardView::toPixel(double x, double y) const {
  return {width() / 2.0 + (x - centre_.x()) * scale_, height() / 2.0 - (y - centre_.y()) * scale_};
}

QPointF BoardView::toBoard(QPointF pixel) const {
  return {centre_.x() + (pixel.x() - width() / 2.0) / scale_,
          centre_.y() - (pixel.y() - height() / 2.0) / scale_};
}

int BoardView::partAtPixel(QPointF pixel) const {
  const QPointF at = toBoard(pixel);
  int found = board_->partAt(static_cast<float>(at.x()), static_cast<float>(at.y()));
  if (found >= 0) return found;
  // Parts drawn smaller than a few pixels are picked by their centre.
  const double reach = 4 / scale_;
  double best = reach * reach;
  const brisel::BoardBox box{static_cast<float>(at.x() - reach), static_cast<float>(at.y() - reach),
                             static_cast<float>(at.x() + reach),
                             static_cast<float>(at.y() + reach)};
  board_->visit(box, [&](int i) {
    const brisel::Placement& part = board_->parts[static_cast<std::size_t>(i)];
    const double dx = part.x - at.x(), dy = part.y - at.y();
    if (dx * dx + dy * dy <= best) {
      best = dx * dx + dy * dy;
      found = i;
    }
  });
  return found;
}

QColor BoardView::colourOf(const brisel::Placement& part) const {
  const std::string& key = colours_ == brisel::ColourBy::value ? part.value : part.footprint;
  return QColor::fromRgb(brisel::kPalette[brisel::paletteIndexOf(key)]);
}

void BoardView::render(QImage& image) const {
  QPainter painter(&image);
  paintBoard(painter, image.rect());
}

void BoardView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (zooming_ && frameValid_) {
    // The picture of the board as last drawn, moved and scaled to the zoom:
    // a wheel turned fast costs one drawing of the board, at its rest.
    const double factor = scale_ / frameScale_;
    painter.fillRect(rect(), kBackground);
    painter.translate(width() / 2.0 + (frameCentre_.x() - centre_.x()) * scale_,
                      height() / 2.0 - (frameCentre_.y() - centre_.y()) * scale_);
    painter.scale(factor, factor);
    painter.translate(-width() / 2.0, -height() / 2.0);
    painter.drawImage(QPointF(0, 0), frame_);
    return;
  }
  if (event->rect() != rect()) {
    paintBoard(painter, event->rect());
    return;
  }
  drawFrame();
  painter.drawImage(QPointF(0, 0), frame_);
}

void BoardView::drawFrame() {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (frame_.size() != pixels) frame_ = QImage(pixels, QImage::Format_RGB32);
  frame_.setDevicePixelRatio(ratio);
  QPainter painter(&frame_);
  paintBoard(painter, rect());
  frameScale_ = scale_;
  frameCentre_ = centre_;
  frameValid_ = true;
}

void BoardView::settleZoom() {
  wheelRest_->stop();
  if (!zooming_) return;
  zooming_ = false;
  update();
}

void BoardView::paintBoard(QPainter& painter, const QRect& area) const {
  painter.fillRect(area, kBackground);
  paintExtent(painter);
  paintParts(painter, area);
  paintPanel(painter, area);
  paintOrigin(painter);
  paintExtentSize(painter);
  paintLegend(painter);
}

// The board mapped onto the widget's pixels, and a part's shapes there.
struct BoardView::Frame {
  const brisel::Board& board;
  double s;   // pixels a millimetre
  double cx;  // the pixel of the board's (0, 0)
  double cy;
  bool coarse;  // too many parts in view to draw more than their extent

  const brisel::Placement& part(int i) const { return board.parts[static_cast<std::size_t>(i)]; }

  QPointF at(const brisel::Placement& p, double u, double v, const brisel::Turn& turn) const {
    return QPointF(cx + (p.x + u * turn.cos - v * turn.sin) * s,
                   cy - (p.y + u * turn.sin + v * turn.cos) * s);
  }

  // A part's body as four pixel corners.
  void corners(const brisel::Placement& p, QPointF (&out)[4]) const {
    const brisel::Turn turn = brisel::turnOf(p.angle);
    const double hl = p.length / 2.0, hw = p.width / 2.0;
    const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int k = 0; k < 4; ++k) out[k] = at(p, signs[k][0] * hl, signs[k][1] * hw, turn);
  }

  // Its turned extent, at least a pixel and a half wide.
  QRectF extent(const brisel::Placement& p) const {
    const brisel::Turn turn = brisel::turnOf(p.angle);
    const double hl = p.length / 2.0, hw = p.width / 2.0;
    const double hx = std::max((std::fabs(hl * turn.cos) + std::fabs(hw * turn.sin)) * s, 0.75);
    const double hy = std::max((std::fabs(hl * turn.sin) + std::fabs(hw * turn.cos)) * s, 0.75);
    const double px = cx + p.x * s, py = cy - p.y * s;
    return QRectF(px - hx, py - hy, 2 * hx, 2 * hy);
  }

  // Drawn as its extent alone: too small, or too many parts to tell apart.
  bool asExtent(const brisel::Placement& p) const {
    return coarse || std::max(p.length, p.width) * s < 5;
  }

  QPointF centre(const brisel::Placement& p) const { return QPointF(cx + p.x * s, cy - p.y * s); }
};

BoardView::InView BoardView::partsInView(const QRect& area) const {
  const brisel::Board& board = *board_;
  const QPointF topLeft = toBoard(area.topLeft());
  const QPointF bottomRight = toBoard(QPointF(area.right() + 1, area.bottom() + 1));
  const brisel::BoardBox box{static_cast<float>(topLeft.x()), static_cast<float>(bottomRight.y()),
                             static_cast<float>(bottomRight.x()), static_cast<float>(topLeft.y())};
  InView inView;
  board.visit(box, [&](int i) {
    const brisel::Placement& part = board.parts[static_cast<std::size_t>(i)];
    const float reach = std::max(part.length, part.width) / 2;
    if (part.x + reach < box.left || part.x - reach > box.right || part.y + reach < box.bottom ||
        part.y - reach > box.top)
      return;
    const std::string& key = colours_ == brisel::ColourBy::value ? part.value : part.footprint;
    inView.byColour[static_cast<std::size_t>(brisel::paletteIndexOf(key))].push_back(i);
    ++inView.count;
  });
  return inView;
}

void BoardView::paintParts(QPainter& painter, const QRect& area) const {
  const InView inView = partsInView(area);
  const double s = scale_;
  const Frame frame{*board_, s, width() / 2.0 - centre_.x() * s, height() / 2.0 + centre_.y() * s,
                    inView.count > kDetailLimit};
  painter.setRenderHint(QPainter::Antialiasing, false);
  paintBodies(painter, frame, inView);
  paintOutlines(painter, frame, inView);
  if (inView.count <= kLabelLimit) paintLabels(painter, frame, inView);
}

// The bodies filled a colour at a time, so that the painter changes brush once
// a colour, then their outlines and orientation marks.
void BoardView::paintBodies(QPainter& painter, const Frame& frame, const InView& inView) const {
  std::vector<QRectF> rects;   // parts drawn as their extent alone
  std::vector<QRectF> bodies;  // at right angles: the raster engine's fast path, outlined apart
  std::vector<int> turned;     // at other angles, outlined polygons
  std::vector<QLineF> marks;
  std::vector<QLineF> outlines;  // of `bodies`
  QPointF body[4];
  for (int colour = 0; colour < brisel::kPaletteSize; ++colour) {
    const std::vector<int>& parts = inView.byColour[static_cast<std::size_t>(colour)];
    if (parts.empty()) continue;
    rects.clear();
    bodies.clear();
    turned.clear();
    for (int i : parts) {
      const brisel::Placement& part = frame.part(i);
      if (frame.asExtent(part)) {
        rects.push_back(frame.extent(part));
        continue;
      }
      const brisel::Turn turn = brisel::turnOf(part.angle);
      if (turn.cos == 0 || turn.sin == 0) {
        const QRectF r = frame.extent(part);
        bodies.push_back(r);
        outlines.emplace_back(r.topLeft(), r.topRight());
        outlines.emplace_back(r.topRight(), r.bottomRight());
        outlines.emplace_back(r.bottomRight(), r.bottomLeft());
        outlines.emplace_back(r.bottomLeft(), r.topLeft());
      } else {
        turned.push_back(i);
      }
      // The orientation mark: from the centre to the +X side, with a head.
      const double hl = part.length / 2.0;
      const double head = std::min<double>(std::min(part.length, part.width) / 4, 0.8);
      marks.emplace_back(frame.at(part, 0, 0, turn), frame.at(part, hl, 0, turn));
      marks.emplace_back(frame.at(part, hl - head, -head, turn), frame.at(part, hl, 0, turn));
      marks.emplace_back(frame.at(part, hl - head, head, turn), frame.at(part, hl, 0, turn));
    }
    painter.setBrush(QColor::fromRgb(brisel::kPalette[colour]));
    painter.setPen(Qt::NoPen);
    if (!rects.empty()) painter.drawRects(rects.data(), static_cast<int>(rects.size()));
    if (!bodies.empty()) painter.drawRects(bodies.data(), static_cast<int>(bodies.size()));
    painter.setPen(QPen(kOutline, 0));
    for (int i : turned) {
      frame.corners(frame.part(i), body);
      painter.drawPolygon(body, 4);
    }
  }
  if (!outlines.empty()) {
    painter.setPen(QPen(kOutline, 0));
    painter.drawLines(outlines.data(), static_cast<int>(outlines.size()));
  }
  if (!marks.empty()) {
    painter.setPen(QPen(kOutline, std::clamp(frame.s * 0.12, 1.0, 2.0)));
    painter.drawLines(marks.data(), static_cast<int>(marks.size()));
  }
}

// Findings in red, bottom-side parts dashed, the current row in a colour of
// its own: drawn so that they show however small the part.
void BoardView::paintOutlines(QPainter& painter, const Frame& frame, const InView& inView) const {
  painter.setBrush(Qt::NoBrush);
  QPointF body[4];
  auto outline = [&](int i, const QPen& pen) {
    const brisel::Placement& part = frame.part(i);
    painter.setPen(pen);
    if (std::max(part.length, part.width) * frame.s < 8) {
      painter.drawEllipse(frame.centre(part), 6.0, 6.0);
    } else {
      frame.corners(part, body);
      painter.drawPolygon(body, 4);
    }
  };
  if (!marked_.empty())
    for (const std::vector<int>& parts : inView.byColour)
      for (int i : parts)
        if (marked_[static_cast<std::size_t>(i)]) outline(i, QPen(kFinding, 2));
  // The machine sees the bottom side through the board.
  painter.setPen(QPen(kBottom, 1.5, Qt::DashLine));
  for (const std::vector<int>& parts : inView.byColour)
    for (int i : parts) {
      const brisel::Placement& part = frame.part(i);
      if (!part.bottom) continue;
      if (frame.asExtent(part)) {
        painter.drawRect(frame.extent(part));
      } else {
        frame.corners(part, body);
        painter.drawPolygon(body, 4);
      }
    }
  if (currentRow_ > 0 && currentRow_ < static_cast<int>(partOfRow_.size()) &&
      partOfRow_[currentRow_] >= 0)
    outline(partOfRow_[currentRow_], QPen(kCurrent, 3));
}

// Labels where the part is big enough to carry one and it does not crowd a
// label already drawn.
void BoardView::paintLabels(QPainter& painter, const Frame& frame, const InView& inView) const {
  QFont font = painter.font();
  font.setPixelSize(kLabelPixels);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font);
  const int columns = width() / kOccupancyCell + 1, rows = height() / kOccupancyCell + 1;
  std::vector<char> taken(static_cast<std::size_t>(columns) * rows, 0);
  for (const std::vector<int>& parts : inView.byColour) {
    for (int i : parts) {
      const brisel::Placement& part = frame.part(i);
      if (std::max(part.length, part.width) * frame.s < 14) continue;
      const QStaticText& label = labelOf(i, part, font);
      const int w = static_cast<int>(std::ceil(label.size().width()));
      const QPointF centre = frame.centre(part);
      const QRect place(static_cast<int>(centre.x() - w / 2.0),
                        static_cast<int>(centre.y() - metrics.height() / 2.0), w, metrics.height());
      const int c0 = std::max(0, place.left() / kOccupancyCell);
      const int c1 = std::min(columns - 1, place.right() / kOccupancyCell);
      const int r0 = std::max(0, place.top() / kOccupancyCell);
      const int r1 = std::min(rows - 1, place.bottom() / kOccupancyCell);
      if (c0 > c1 || r0 > r1) continue;
      bool free = true;
      for (int r = r0; r <= r1 && free; ++r)
        for (int c = c0; c <= c1 && free; ++c)
          free = !taken[static_cast<std::size_t>(r) * columns + c];
      if (!free) continue;
      for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) taken[static_cast<std::size_t>(r) * columns + c] = 1;
      painter.drawStaticText(place.topLeft(), label);
    }
  }
}

// Laid out once and kept: a label shaped anew at every repaint costs more
// than all the bodies of a zoomed view.
const QStaticText& BoardView::labelOf(int i, const brisel::Placement& part,
                                      const QFont& font) const {
  if (labels_.size() > 20000) labels_.clear();
  auto [label, added] = labels_.try_emplace(i);
  if (added) {
    label->second.setTextFormat(Qt::PlainText);
    label->second.setText(shownText(part.reference));
    label->second.prepare(QTransform(), font);
  }
  return label->second;
}

void BoardView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  dropFrame();
  zooming_ = false;
  if (!fitted_) fitToView();
}

void BoardView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!fitted_) fitToView();
}
