#pragma once
// The board preview: every placement of the component table drawn where the
// machine will put it, turned as the machine will turn it, with the origin.
//
// BoardView paints a core Board it does not change. It draws only what the
// visible rectangle touches (the board's grid index), batches by colour and
// chooses the detail from the zoom: at a glance a part is a filled rectangle
// of its turned extent; closer, its body with an orientation mark; closer
// still, its reference where the label does not crowd another.
// PreviewPage is the "Anteprima" tab: the view, "Adatta", the colour toggle
// and "Salva immagine…", rebuilding the board from the table when shown.

#include <QImage>
#include <QStaticText>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/grid.h"
#include "core/numbers.h"
#include "core/placements.h"
#include "output/board_svg.h"

class Dialogs;
class QLabel;
class QPushButton;
class QRadioButton;

class BoardView : public QWidget {
  Q_OBJECT

 public:
  explicit BoardView(QWidget* parent = nullptr);

  // Shows another board; the zoom and position stay unless the view has not
  // yet shown a part, in which case it fits the board.
  void setBoard(std::shared_ptr<const brisel::Board> board);
  const brisel::Board& board() const { return *board_; }

  // The whole board and the origin in the widget, with a margin.
  void fitToView();
  // Zooms by `factor`, keeping the board point under `pixel` where it is.
  void zoomAt(double factor, QPointF pixel);
  // While the wheel turns, the view shows its last full picture scaled to
  // the new zoom; the board is drawn anew once the wheel has rested
  // kWheelRest ms, or at once by settleZoom().
  static constexpr int kWheelRest = 150;
  bool zooming() const { return zooming_; }
  void settleZoom();

  void setColourBy(brisel::ColourBy colours);
  brisel::ColourBy colourBy() const { return colours_; }
  // The table's current row, drawn highlighted; 0 for none.
  void setCurrentRow(int row);
  int currentRow() const { return currentRow_; }
  // Rows drawn with a red outline (the rows with check findings).
  void setMarkedRows(const std::vector<int>& rows);
  const std::vector<int>& markedRows() const { return markedRows_; }

  // Pixels a millimetre, and the mapping between the board and the widget.
  double scale() const { return scale_; }
  QPointF toPixel(double x, double y) const;
  QPointF toBoard(QPointF pixel) const;

  // Paints the view as the widget shows it into `image` (its size).
  void render(QImage& image) const;

  // The part under a pixel, or -1.
  int partAtPixel(QPointF pixel) const;
  // What hovering over a part shows: reference, value, footprint, X, Y, angle.
  QString toolTipOf(int part) const;

 signals:
  // A click on a part (not a drag): its table row.
  void rowClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Frame;
  // The parts in view, bucketed by their colour.
  struct InView {
    std::array<std::vector<int>, brisel::kPaletteSize> byColour;
    std::size_t count = 0;
  };

  void paintBoard(QPainter& painter, const QRect& area) const;
  InView partsInView(const QRect& area) const;
  void paintParts(QPainter& painter, const QRect& area) const;
  void paintBodies(QPainter& painter, const Frame& frame, const InView& inView) const;
  void paintOutlines(QPainter& painter, const Frame& frame, const InView& inView) const;
  void paintLabels(QPainter& painter, const Frame& frame, const InView& inView) const;
  const QStaticText& labelOf(int i, const brisel::Placement& part, const QFont& font) const;
  void paintLegend(QPainter& painter) const;
  void paintOrigin(QPainter& painter) const;
  // The last full picture no longer shows the board as it is drawn.
  void dropFrame() { frameValid_ = false; }
  void drawFrame();
  // The rectangle around the parts and the origin, and its size.
  void paintExtent(QPainter& painter) const;
  // The boards of a panel, each its rectangle and number (window/board_panel.cpp).
  void paintPanel(QPainter& painter, const QRect& area) const;
  void paintExtentSize(QPainter& painter) const;
  QColor colourOf(const brisel::Placement& part) const;

  std::shared_ptr<const brisel::Board> board_;
  mutable std::unordered_map<int, QStaticText> labels_;  // by part index, for this board
  std::vector<int> partOfRow_;  // row -> index into parts, -1 when not placed
  std::vector<char> marked_;    // by part index
  std::vector<int> markedRows_;
  brisel::ColourBy colours_ = brisel::ColourBy::value;
  int currentRow_ = 0;
  double scale_ = 4;      // pixels a millimetre
  QPointF centre_{0, 0};  // the board point at the widget's centre
  bool fitted_ = false;
  bool dragging_ = false;
  QPoint pressed_;
  QPointF pressedCentre_;
  // The last full picture and the mapping it was drawn with.
  QImage frame_;
  double frameScale_ = 0;
  QPointF frameCentre_;
  bool frameValid_ = false;
  bool zooming_ = false;
  QTimer* wheelRest_;
};

class PreviewPage : public QWidget {
  Q_OBJECT

 public:
  // Draws the board of `table`, whose numbers read as `numbers` says at the
  // moment of drawing. The table and the dialogs must outlive the page.
  PreviewPage(const brisel::Grid& table, Dialogs& dialogs,
              std::function<brisel::NumberFormat()> numbers, QWidget* parent = nullptr);

  BoardView* view() const { return view_; }

  // The table changed: the board is rebuilt now when shown, else when next shown.
  void tableChanged();
  // The table holds another board (an import, a viewer): as tableChanged,
  // and the view then fits it; after an edit the view stays as it was.
  void tableReplaced();
  // The folder "Salva immagine…" proposes; the dialog's own choice without.
  void setImageFolder(std::function<QString()> folder) { imageFolder_ = std::move(folder); }
  // Rebuilds the board from the table at once.
  void rebuild();

  // "Salva immagine…": the picture as SVG (the core writer) or, for a name
  // ending in .png, the view as PNG. Failures go to the error box.
  void saveImage();

  QPushButton* fitButton() const { return fit_; }
  QPushButton* saveButton() const { return save_; }
  QRadioButton* byValueButton() const { return byValue_; }
  QRadioButton* byFootprintButton() const { return byFootprint_; }
  QLabel* summary() const { return summary_; }

 signals:
  // "Salva immagine…" wrote the picture to that file.
  void imageSaved(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const brisel::Grid& table_;
  Dialogs& dialogs_;
  std::function<brisel::NumberFormat()> numbers_;
  BoardView* view_;
  QPushButton* fit_;
  QPushButton* save_;
  QRadioButton* byValue_;
  QRadioButton* byFootprint_;
  QLabel* summary_;
  std::function<QString()> imageFolder_;
  bool stale_ = true;
  bool pending_ = false;
  bool refit_ = false;
};
