// The board preview's repaint at 65,535 components into a 1600x1000 image:
// the whole board, and zoomed in on a part of it; ten notches of the wheel.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QWheelEvent>
#include <memory>

#include "bench/board.h"
#include "core/placements.h"
#include "window/board_view.h"

namespace {

std::shared_ptr<const brisel::Board> fullBoard() {
  auto board = std::make_shared<brisel::Board>();
  const brisel::bench::Board generated = brisel::bench::makeBoard(65535);
  int row = 1;
  for (const brisel::bench::Component& c : generated.components) {
    brisel::Placement part;
    part.row = row++;
    part.reference = c.reference;
    part.value = c.value;
    part.footprint = c.footprint;
    part.x = static_cast<float>(c.x);
    part.y = static_cast<float>(c.y);
    part.angle = static_cast<std::uint16_t>(c.angle);
    const brisel::BodySize size = brisel::bodySizeOf(c.footprint);
    part.length = size.length;
    part.width = size.width;
    board->parts.push_back(std::move(part));
  }
  board->index();
  return board;
}

void repaint(benchmark::State& state, double zoom) {
  BoardView view;
  view.resize(1600, 1000);
  view.setBoard(fullBoard());
  view.fitToView();
  view.zoomAt(zoom, QPointF(800, 500));
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) view.render(image);
}

void BM_PreviewRepaintFull(benchmark::State& state) {
  repaint(state, 1);
}
// About 20 by 12 millimetres of the 300 by 200 board: a few hundred parts.
void BM_PreviewRepaintZoomed(benchmark::State& state) {
  repaint(state, 16);
}

// Ten notches of the wheel on the full board, each painted on the screen
// before the next arrives, then the board drawn anew at its rest; with
// `whole`, every notch draws the board anew, as without the cached picture.
void wheel(benchmark::State& state, bool whole) {
  BoardView view;
  view.resize(1600, 1000);
  view.setBoard(fullBoard());
  view.show();
  // Painted only once the window is exposed.
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  view.fitToView();
  view.repaint();
  const QPointF pointer(700, 450);
  for (auto _ : state) {
    for (int notch = 0; notch < 10; ++notch) {
      QWheelEvent event(pointer, view.mapToGlobal(pointer), {}, {0, notch < 5 ? 120 : -120},
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&view, &event);
      if (whole) view.settleZoom();
      view.repaint();
    }
    view.settleZoom();
    view.repaint();
  }
}

BENCHMARK(BM_PreviewRepaintFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewRepaintZoomed)->Unit(benchmark::kMillisecond);
void BM_PreviewWheelTenNotches(benchmark::State& state) {
  wheel(state, false);
}
void BM_PreviewWheelTenNotchesDrawnWhole(benchmark::State& state) {
  wheel(state, true);
}

BENCHMARK(BM_PreviewWheelTenNotches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewWheelTenNotchesDrawnWhole)->Unit(benchmark::kMillisecond);

}  // namespace
