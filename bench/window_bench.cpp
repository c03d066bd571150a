// The window at 65,535 components, driven offscreen as the operator drives it:
// each step from the call on the form to the view that shows its result
// painted (the event loop run until that view has had its paint event).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <memory>
#include <string>

#include "bench/board.h"
#include "core/table_shape.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/dialogs.h"
#include "window/grid_view.h"

namespace {

// No dialog waits for an answer; a box the benchmark did not expect stops it.
struct QuietDialogs : Dialogs {
  QString said;
  void message(QWidget*, const QString&, const QString& text) override { said = text; }
  void error(QWidget*, const QString& text) override { said = text; }
  bool openFile(QWidget*, OpenDialog&) override { return false; }
};

// Whether a widget has been painted since the last reset.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  ~PaintWatch() override { widget_->removeEventFilter(this); }

  // Runs the event loop until the widget has been painted.
  bool settle() {
    painted_ = false;
    for (int i = 0; i < 1000 && !painted_; ++i) QApplication::processEvents();
    return painted_;
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
};

void writeFile(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the board");
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A form over a full board's files: the REP file (no values), the CMP file
// (the values) and 500 rules.
class Window {
 public:
  explicit Window(benchmark::State& state)
      : state_(&state),
        form(dialogs, std::filesystem::path(folder.path().toStdString()) / "KSR.ini") {
    const brisel::bench::Board board = brisel::bench::makeBoard(65535);
    writeFile(folder.filePath("BOARD.REP"), brisel::bench::repFile(board));
    writeFile(folder.filePath("BOARD.CMP"), brisel::bench::cmpFile(board));
    writeFile(folder.filePath("BOARD.RAK"), brisel::bench::rakFile(500));
    form.Edit2->setText(folder.filePath("BOARD.REP"));
    form.Edit3->setText(folder.filePath("BOARD.CMP"));
    form.Edit7->setText(folder.filePath("BOARD.RAK"));
    form.CB_Format->setChecked(false);  // the files' separator is the point
    form.resize(982, 686);
    form.show();
    QApplication::processEvents();
  }

  // "Apri REP", the table painted; false (the benchmark stopped) when the
  // window did not show it.
  bool import() {
    PaintWatch shown(form.StringGrid1->viewport());
    form.Button4->click();
    return shows(shown.settle() && form.workspace().StringGrid1.RowCount() > 65535);
  }
  // "Apri REP" and "Apre CMP": a board with its values.
  bool importWithValues() {
    if (!import()) return false;
    PaintWatch shown(form.StringGrid1->viewport());
    form.Button5->click();
    return shows(shown.settle());
  }
  void showPage(QWidget* page) {
    form.PageControl1->setCurrentWidget(page);
    QApplication::processEvents();
  }
  // Whether the window showed the result, and said nothing unexpected;
  // else the benchmark stops with the reason.
  bool shows(bool right) {
    if (!dialogs.said.isEmpty()) error_ = dialogs.said.toStdString();
    if (!right && error_.empty()) error_ = "the window did not show the result";
    if (!error_.empty()) state_->SkipWithError(error_.c_str());
    return error_.empty();
  }

  benchmark::State* state_;
  std::string error_;
  QTemporaryDir folder;
  QuietDialogs dialogs;
  TForm1 form;
};

// Each time into the empty table the undo of the last import left.
void BM_WindowImport(benchmark::State& state) {
  Window window(state);
  for (auto _ : state) {
    state.PauseTiming();
    if (window.form.BU_Annulla->isEnabled()) window.form.BU_Annulla->click();
    QApplication::processEvents();
    state.ResumeTiming();
    if (!window.import()) break;
  }
}

void BM_WindowTypedCell(benchmark::State& state) {
  Window window(state);
  if (!window.import()) return;
  GridModel* model = window.form.StringGrid1->gridModel();
  int typed = 0;
  for (auto _ : state) {
    PaintWatch shown(window.form.StringGrid1->viewport());
    model->setData(model->index(2, brisel::col::Value), QStringLiteral("%1K").arg(++typed));
    if (!window.shows(shown.settle())) break;
  }
}

void BM_WindowUndoImport(benchmark::State& state) {
  Window window(state);
  for (auto _ : state) {
    state.PauseTiming();
    const bool imported = window.import();
    state.ResumeTiming();
    if (!imported) break;
    PaintWatch shown(window.form.StringGrid1->viewport());
    window.form.BU_Annulla->click();
    if (!window.shows(shown.settle() && window.form.workspace().StringGrid1.RowCount() < 100))
      break;
  }
}

void BM_WindowPreviewOpened(benchmark::State& state) {
  Window window(state);
  for (auto _ : state) {
    state.PauseTiming();
    window.showPage(window.form.TabSheet1);
    const bool imported = window.import();  // a board the preview has not drawn
    state.ResumeTiming();
    if (!imported) break;
    PaintWatch shown(window.form.Preview->view());
    window.form.PageControl1->setCurrentWidget(window.form.TabSheet5);
    if (!window.shows(shown.settle() && !window.form.Preview->view()->board().parts.empty())) break;
  }
}

// Ten notches of the wheel, each painted before the next, then the board
// drawn anew at the wheel's rest.
void BM_WindowWheelTenNotches(benchmark::State& state) {
  Window window(state);
  if (!window.import()) return;
  window.showPage(window.form.TabSheet5);
  BoardView* view = window.form.Preview->view();
  const QPointF pointer(view->width() * 0.4, view->height() * 0.45);
  for (auto _ : state) {
    PaintWatch shown(view);
    bool painted = true;
    for (int notch = 0; notch < 10; ++notch) {
      QWheelEvent event(pointer, view->mapToGlobal(pointer), {}, {0, notch < 5 ? 120 : -120},
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(view, &event);
      painted = shown.settle() && painted;
    }
    view->settleZoom();
    if (!window.shows(shown.settle() && painted)) break;
  }
}

// On the board with its values (a few dozen findings), and without them (a
// finding on every row: the longest list).
void BM_WindowCheck(benchmark::State& state) {
  Window window(state);
  if (!(state.range(0) == 0 ? window.importWithValues() : window.import())) return;
  for (auto _ : state) {
    state.PauseTiming();
    window.showPage(window.form.TabSheet1);
    state.ResumeTiming();
    PaintWatch shown(window.form.LV_Controllo->viewport());
    window.form.BU_Controlla->click();
    if (!window.shows(shown.settle() && window.form.LV_Controllo->listModel()->rowCount() > 0))
      break;
  }
  state.counters["lines"] = window.form.LV_Controllo->listModel()->rowCount();
}

void BM_WindowApplyRak500Rules(benchmark::State& state) {
  Window window(state);
  for (auto _ : state) {
    state.PauseTiming();
    window.showPage(window.form.TabSheet1);
    const bool imported = window.importWithValues();  // a new board: the rules run again
    window.showPage(window.form.TabSheet6);
    state.ResumeTiming();
    if (!imported) break;
    PaintWatch shown(window.form.LV_Controllo->viewport());
    window.form.Button17->click();
    if (!window.shows(shown.settle() && !window.form.LB_Rak->text().isEmpty())) break;
  }
}

BENCHMARK(BM_WindowImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowTypedCell)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowUndoImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowPreviewOpened)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowWheelTenNotches)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowCheck)
    ->ArgName("faulty")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WindowApplyRak500Rules)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
