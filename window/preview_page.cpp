// The "Anteprima" tab: the board view with its controls, the line above the
// drawing and "Salva immagine…".
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/atomic_file.h"
#include "window/board_view.h"
#include "window/dialogs.h"
#include "window/language.h"

namespace {

std::filesystem::path toPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

}  // namespace

PreviewPage::PreviewPage(const brisel::Grid& table, Dialogs& dialogs,
                         std::function<brisel::NumberFormat()> numbers, QWidget* parent)
    : QWidget(parent), table_(table), dialogs_(dialogs), numbers_(std::move(numbers)) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  auto* tools = new QHBoxLayout;
  tools->setContentsMargins(4, 2, 4, 0);
  fit_ = new QPushButton(tr("Adatta"), this);
  fit_->setObjectName(QStringLiteral("BU_Adatta"));
  byValue_ = new QRadioButton(tr("Colori per valore"), this);
  byValue_->setObjectName(QStringLiteral("RB_ColoriValore"));
  byFootprint_ = new QRadioButton(tr("Colori per footprint"), this);
  byFootprint_->setObjectName(QStringLiteral("RB_ColoriFootprint"));
  byValue_->setChecked(true);
  save_ = new QPushButton(tr("Salva immagine…"), this);
  save_->setObjectName(QStringLiteral("BU_SalvaImmagine"));
  summary_ = new QLabel(this);
  tools->addWidget(fit_);
  tools->addWidget(byValue_);
  tools->addWidget(byFootprint_);
  tools->addWidget(save_);
  tools->addSpacing(12);
  tools->addWidget(summary_, 1);
  column->addLayout(tools);
  view_ = new BoardView(this);
  view_->setObjectName(QStringLiteral("BoardView"));
  column->addWidget(view_, 1);

  connect(fit_, &QPushButton::clicked, view_, &BoardView::fitToView);
  connect(byFootprint_, &QRadioButton::toggled, this, [this](bool on) {
    view_->setColourBy(on ? brisel::ColourBy::footprint : brisel::ColourBy::value);
  });
  connect(save_, &QPushButton::clicked, this, &PreviewPage::saveImage);
}

void PreviewPage::tableChanged() {
  stale_ = true;
  if (!isVisible() || pending_) return;
  // Many changes in one go (a paste, a refresh) make one rebuild.
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (stale_ && isVisible()) rebuild();
  });
}

void PreviewPage::tableReplaced() {
  refit_ = true;
  tableChanged();
}

void PreviewPage::rebuild() {
  auto board = std::make_shared<const brisel::Board>(brisel::buildBoard(table_, numbers_()));
  QString text =
      board->parts.size() == 1 ? tr("1 componente") : tr("%1 componenti").arg(board->parts.size());
  if (!board->unplaced.empty()) {
    QStringList rows;
    for (const brisel::Unplaced& row : board->unplaced) {
      if (rows.size() == 5) {
        rows << QStringLiteral("…");
        break;
      }
      rows << QString::number(row.row);
    }
    text += tr("; non disegnate (coordinate o angolo non validi) le righe ") +
            rows.join(QStringLiteral(", "));
  }
  int bottom = 0, negative = 0;
  for (const brisel::Placement& part : board->parts) {
    bottom += part.bottom ? 1 : 0;
    negative += part.x < 0 || part.y < 0 ? 1 : 0;
  }
  const std::size_t boards = board->panelBoards().size();
  if (boards == 1) text += tr("; pannello: 1 scheda");
  if (boards > 1) text += tr("; pannello: %1 schede").arg(boards);
  if (bottom == 1) text += tr("; tratteggiata: 1 parte del lato B");
  if (bottom > 1) text += tr("; tratteggiate: %1 parti del lato B").arg(bottom);
  if (negative == 1) text += tr("; 1 parte con coordinate negative");
  if (negative > 1) text += tr("; %1 parti con coordinate negative").arg(negative);
  summary_->setText(text);
  view_->setBoard(std::move(board));
  if (refit_ && view_->isVisible()) {
    view_->fitToView();
    refit_ = false;
  }
  stale_ = false;
}

void PreviewPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) rebuild();
}

void PreviewPage::saveImage() {
  OpenDialog dialog;
  dialog.Filter = tr("Immagine SVG|*.svg|Immagine PNG|*.png");
  dialog.FilterIndex = 1;
  dialog.DefaultExt = QStringLiteral("svg");
  dialog.FileName = tr("scheda.svg");
  if (imageFolder_) dialog.InitialDir = imageFolder_();
  if (!dialogs_.saveFile(this, dialog)) return;
  const QString name = withDefaultExtension(dialog.FileName, dialog.DefaultExt);
  const std::filesystem::path path = toPath(name);
  try {
    if (name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
      QImage image(view_->size(), QImage::Format_RGB32);
      view_->render(image);
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      brisel::AtomicFile file(path);
      if (!file.isOpen())
        throw brisel::PreviewError(path,
                                   tr("il file non si può creare").toLocal8Bit().toStdString());
      file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      file.commit();
    } else {
      brisel::writeBoardSvg(path, view_->board(), view_->colourBy());
    }
  } catch (const brisel::PreviewError& failure) {
    dialogs_.error(this, tr("Impossibile scrivere il file '%1': %2")
                             .arg(name, QString::fromLocal8Bit(failure.reason())));
    return;
  } catch (const std::exception& failure) {
    dialogs_.error(this, language::failureText(failure));
    return;
  }
  emit imageSaved(QDir::toNativeSeparators(name));
}
