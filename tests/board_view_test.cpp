// The board preview, headless: pixels where parts, their marks and the origin
// must be; click, drag and wheel; the "Anteprima" tab following the table.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "core/placements.h"
#include "core/table_shape.h"
#include "output/board_svg.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/grid_view.h"

namespace {

using brisel::Board;
using brisel::Placement;

const QColor kBackground(0xf7, 0xf7, 0xf2);

QColor colourOfValue(const std::string& value) {
  return QColor::fromRgb(brisel::kPalette[brisel::paletteIndexOf(value)]);
}

Placement part(int row, float x, float y, std::uint16_t angle, float length, float width,
               std::string value = "V") {
  Placement p;
  p.row = row;
  p.reference = "P" + std::to_string(row);
  p.value = std::move(value);
  p.footprint = "F";
  p.x = x;
  p.y = y;
  p.angle = angle;
  p.length = length;
  p.width = width;
  return p;
}

std::shared_ptr<const Board> boardOf(std::vector<Placement> parts) {
  auto board = std::make_shared<Board>();
  board->parts = std::move(parts);
  board->index();
  return board;
}

// A view of the given size showing the whole board.
std::unique_ptr<BoardView> viewOf(std::shared_ptr<const Board> board, QSize size = {400, 300}) {
  auto view = std::make_unique<BoardView>();
  view->resize(size);
  view->setBoard(std::move(board));
  view->fitToView();
  return view;
}

QImage rendered(const BoardView& view) {
  QImage image(view.size(), QImage::Format_RGB32);
  view.render(image);
  return image;
}

QColor pixelAt(const QImage& image, QPointF at) {
  return image.pixelColor(static_cast<int>(std::floor(at.x())),
                          static_cast<int>(std::floor(at.y())));
}

// A board point given in the part's own axes.
QPointF inPart(const BoardView& view, const Placement& p, double u, double v) {
  const brisel::Turn turn = brisel::turnOf(p.angle);
  return view.toPixel(p.x + u * turn.cos - v * turn.sin, p.y + u * turn.sin + v * turn.cos);
}

bool dark(const QColor& colour) {
  return qGray(colour.rgb()) < 110;
}

TEST(BoardView, DrawsEachPartTurnedWithItsMarkAndTheOrigin) {
  // 65446 is -90: the machine reads the angle as signed degrees.
  for (std::uint16_t angle : {0, 90, 180, 270, 65446, 45, 315}) {
    SCOPED_TRACE(angle);
    const Placement p = part(1, 20, 10, angle, 10, 3);
    auto view = viewOf(boardOf({p}));
    const QImage image = rendered(*view);
    const QColor fill = colourOfValue("V");
    // The body behind the centre is filled; the mark runs ahead of it, to +X turned.
    EXPECT_EQ(pixelAt(image, inPart(*view, p, -2.5, 0.6)), fill);
    EXPECT_EQ(pixelAt(image, inPart(*view, p, -2.5, -0.6)), fill);
    bool marked = false;
    for (double v : {-0.1, -0.05, 0.0, 0.05, 0.1})
      marked =
          marked || qGray(pixelAt(image, inPart(*view, p, 3, v)).rgb()) < qGray(fill.rgb()) - 20;
    EXPECT_TRUE(marked) << "the orientation mark";
    EXPECT_EQ(pixelAt(image, inPart(*view, p, -3, 0)), fill);
    // Beyond the body's sides, nothing.
    EXPECT_EQ(pixelAt(image, inPart(*view, p, 0, 2.5)), kBackground);
    EXPECT_EQ(pixelAt(image, inPart(*view, p, 0, -2.5)), kBackground);
    EXPECT_EQ(pixelAt(image, inPart(*view, p, 5.6, 0)), kBackground);
    // The origin's cross-hair.
    const QPointF origin = view->toPixel(0, 0);
    EXPECT_TRUE(dark(pixelAt(image, origin + QPointF(12, 0.2))));
    EXPECT_TRUE(dark(pixelAt(image, origin + QPointF(0.2, -12))));
  }
}

// The board's size stands whole under a fitted board, centred, on the
// background: the origin's cross (at the board's corner, or in the middle of
// its lower edge) does not run through it.
TEST(BoardView, TheSizeOfAFittedBoardShowsWholeUnderIt) {
  const float corner[] = {5, 95}, middle[] = {-45, 45};
  for (const float* xs : {corner, middle})
    for (QSize size : {QSize(400, 300), QSize(960, 190), QSize(200, 400)}) {
      SCOPED_TRACE(testing::Message() << xs[0] << " " << size.width());
      auto view =
          viewOf(boardOf({part(1, xs[0], 5, 0, 10, 10), part(2, xs[1], 45, 0, 10, 10)}), size);
      const QImage image = rendered(*view);
      const brisel::BoardBox box = view->board().extent();
      const QPointF low = view->toPixel(box.left, box.bottom), high = view->toPixel(box.right, 0);
      const QPointF origin = view->toPixel(0, 0);
      // The text under the board: its dark pixels but for the cross and its ring.
      int top = image.height(), bottom = -1, left = image.width(), right = -1;
      for (int y = static_cast<int>(low.y()) + 2; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (std::abs(x - origin.x()) > 7 && qGray(image.pixel(x, y)) < 160) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
          }
      ASSERT_GE(bottom, 0) << "no size under the board";
      EXPECT_LT(bottom, image.height() - 1) << "the size is cut by the edge";
      EXPECT_NEAR((left + right) / 2.0, (low.x() + high.x()) / 2, 8);
      // Above the digits, within the size's ground, no line of the cross.
      if (left < origin.x() && origin.x() < right) {
        EXPECT_GT(qGray(image.pixel(static_cast<int>(origin.x()), top - 1)), 200)
            << "the cross runs through the size";
      }
    }
}

TEST(BoardView, EmptyBoardShowsTheOrigin) {
  auto view = viewOf(boardOf({}));
  const QImage image = rendered(*view);
  const QPointF origin = view->toPixel(0, 0);
  EXPECT_TRUE(QRectF(image.rect()).contains(origin));
  EXPECT_TRUE(dark(pixelAt(image, origin + QPointF(12, 0.2))));
}

// Parts on a grid, none touching: each centre shows its part's colour in the
// full view (drawn coarse, every part) and zoomed in (culled, in detail).
TEST(BoardView, EveryPartInViewIsDrawnFullOrZoomed) {
  std::vector<Placement> parts;
  const char* values[] = {"10K", "100nF", "4K7", "1uF", "BC847", "LM358", "22pF"};
  for (int i = 0; i < 150 * 100; ++i)
    parts.push_back(part(i + 1, 5 + 2.0f * (i % 150), 3 + 2.0f * (i / 150), (i % 4) * 90, 1.6f,
                         0.8f, values[i % 7]));
  auto view = viewOf(boardOf(parts), {1600, 1000});
  for (double zoom : {1.0, 10.0}) {
    SCOPED_TRACE(zoom);
    view->zoomAt(zoom, {700, 450});
    const QImage image = rendered(*view);
    int seen = 0;
    for (const Placement& p : view->board().parts) {
      const QPointF at = inPart(*view, p, -0.4, 0);
      if (!QRectF(image.rect()).adjusted(2, 2, -2, -2).contains(at)) continue;
      ++seen;
      ASSERT_EQ(pixelAt(image, at), colourOfValue(p.value)) << p.reference;
    }
    EXPECT_GT(seen, zoom == 1 ? 14000 : 100);
  }
}

TEST(BoardView, ClickPicksDragPansWheelZoomsAroundThePointer) {
  const Placement a = part(7, 10, 10, 0, 4, 2), b = part(9, 30, 20, 90, 4, 2);
  auto view = viewOf(boardOf({a, b}));
  view->show();
  QSignalSpy clicked(view.get(), &BoardView::rowClicked);
  QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->toPixel(30, 20.5).toPoint());
  QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->toPixel(20, 2).toPoint());  // nothing
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 9);

  // A drag moves the board with the pointer and selects nothing.
  const QPoint from = view->toPixel(10, 10).toPoint();
  QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
  QTest::mouseMove(view.get(), from + QPoint(20, 0));
  QTest::mouseMove(view.get(), from + QPoint(40, 30));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, from + QPoint(40, 30));
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_NEAR(view->toPixel(10, 10).x(), from.x() + 40, 1);
  EXPECT_NEAR(view->toPixel(10, 10).y(), from.y() + 30, 1);

  const QPointF pointer(100, 80);
  const QPointF under = view->toBoard(pointer);
  const double scale = view->scale();
  QWheelEvent wheel(pointer, view->mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.get(), &wheel);
  EXPECT_NEAR(view->scale(), scale * std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(view->toBoard(pointer).x(), under.x(), 1e-9);
  EXPECT_NEAR(view->toBoard(pointer).y(), under.y(), 1e-9);
  QTest::keyClick(view.get(), Qt::Key_Minus);
  EXPECT_NEAR(view->scale(), scale * std::sqrt(2.0) * 0.8, 1e-9);

  view->fitToView();
  EXPECT_NEAR(view->scale(), scale, 1e-9);
}

TEST(BoardView, ToolTipTellsThePartAsTyped) {
  Placement p = part(4, 12.4f, -3, 65446, 2, 1, "10K<b>");
  p.reference = "R&1";
  auto view = viewOf(boardOf({p}));
  const int at = view->partAtPixel(view->toPixel(12.4, -3));
  ASSERT_EQ(at, 0);
  EXPECT_EQ(view->toolTipOf(at),
            "<qt><b>R&amp;1</b><br>Valore: 10K&lt;b&gt;<br>Footprint: F<br>X: 12.4 &nbsp;Y: "
            "-3<br>Angolo: 65446 (-90°)</qt>");
}

TEST(BoardView, OutlinesTheCurrentRowAndTheRowsWithFindings) {
  const Placement a = part(3, 10, 10, 0, 8, 4), b = part(5, 30, 10, 0, 8, 4);
  auto view = viewOf(boardOf({a, b}));
  auto edge = [&](const QImage& image, const Placement& p) {
    return pixelAt(image, inPart(*view, p, -2, 2) + QPointF(0.2, 0.2));
  };
  QImage image = rendered(*view);
  EXPECT_NE(edge(image, a).red(), 0xe0);
  view->setCurrentRow(3);
  view->setMarkedRows({5, 99});
  image = rendered(*view);
  EXPECT_EQ(edge(image, a), QColor(0xff, 0x00, 0xcc));
  EXPECT_EQ(edge(image, b), QColor(0xe0, 0x00, 0x00));
}

// ---------------------------------------------------------------------------
// The tab in the window

class PreviewTab : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(dialogs, folder / "KSR.ini");
    form->show();
    form->RB_EN->setChecked(true);
    form->CB_Format->setChecked(false);
    form->Edit5->setText(QString::fromStdString(std::string(BRISEL_SAMPLES) + "/BOARD.MNT"));
    form->Button10->click();
    form->PageControl1->setCurrentWidget(form->TabSheet5);
    QApplication::processEvents();
  }
  BoardView* view() const { return form->Preview->view(); }

  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

TEST_F(PreviewTab, FollowsTheTableAndMovesTheCursor) {
  EXPECT_EQ(form->PageControl1->tabText(4), "Anteprima");
  ASSERT_EQ(view()->board().parts.size(), 40u);
  EXPECT_EQ(form->Preview->summary()->text(), "40 componenti");
  // One of a kind is said in the singular.
  GridModel* sides = form->StringGrid1->gridModel();
  sides->setData(sides->index(3, brisel::col::Side), QStringLiteral("B"));
  sides->setData(sides->index(4, brisel::col::X), QStringLiteral("-1"));
  QApplication::processEvents();
  EXPECT_EQ(form->Preview->summary()->text(),
            "40 componenti; tratteggiata: 1 parte del lato B; 1 parte con coordinate negative");
  form->BU_Annulla->click();
  form->BU_Annulla->click();
  QApplication::processEvents();

  // A typed cell: the board follows, the row that no longer converts is named.
  GridModel* model = form->StringGrid1->gridModel();
  model->setData(model->index(2, brisel::col::X), QStringLiteral("12,x"));
  QApplication::processEvents();
  EXPECT_EQ(view()->board().parts.size(), 39u);
  EXPECT_TRUE(form->Preview->summary()->text().endsWith("le righe 2"))
      << form->Preview->summary()->text().toStdString();

  // A click on R1 (row 7) puts the table's cursor there, and the view marks it.
  const Placement& r1 = view()->board().parts[5];
  ASSERT_EQ(r1.reference, "R1");
  QTest::mouseClick(view(), Qt::LeftButton, {}, view()->toPixel(r1.x, r1.y).toPoint());
  EXPECT_EQ(form->StringGrid1->Row(), 7);
  EXPECT_EQ(view()->currentRow(), 7);

  // An operation: the board follows it too.
  model->setData(model->index(2, brisel::col::X), QStringLiteral("12.7"));
  form->StringGrid1->moveCursorTo(1, 1);
  form->Button7->click();  // Riferimento: U1 becomes the origin
  QApplication::processEvents();
  EXPECT_EQ(view()->board().parts[0].x, 0.0f);
}

TEST_F(PreviewTab, SavesSvgOrPngOrSaysWhy) {
  dialogs.answer = QString::fromStdString((folder / "board").string());
  form->Preview->saveButton()->click();
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(brisel::testing::readFile(folder / "board.svg"), brisel::boardSvg(view()->board()));
  // The line under the buttons says where.
  EXPECT_EQ(form->LB_Stato->text(), "Immagine salvata: " + *dialogs.answer + ".svg");
  QApplication::processEvents();
  EXPECT_GE(form->LB_Stato->width(),
            form->LB_Stato->fontMetrics().horizontalAdvance(form->LB_Stato->text().left(40)));

  form->Preview->byFootprintButton()->click();
  dialogs.answer = QString::fromStdString((folder / "b.PNG").string());
  form->Preview->saveButton()->click();
  QImage png;
  ASSERT_TRUE(png.load(QString::fromStdString((folder / "b.PNG").string()), "PNG"));
  EXPECT_EQ(png.size(), view()->size());

  dialogs.answer = QString::fromStdString((folder / "none" / "b.svg").string());
  form->Preview->saveButton()->click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].contains(*dialogs.answer)) << dialogs.errors[0].toStdString();

  EXPECT_TRUE(form->LB_Stato->text().endsWith("b.PNG")) << form->LB_Stato->text().toStdString();
  dialogs.answer.reset();
  form->Preview->saveButton()->click();
  EXPECT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(brisel::testing::entries(folder.path()), 2u);
}

}  // namespace
