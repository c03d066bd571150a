// The form's editing: undo and redo of the workspace, the component table as
// a spreadsheet (copy, paste, clear) and files dropped on the window.

#include <QBoxLayout>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <functional>
#include <utility>

#include "app/history.h"
#include "app/sheet_text.h"
#include "core/table_shape.h"
#include "window/Unit1.h"
#include "window/compact_button.h"
#include "window/grid_view.h"
#include "window/language.h"

namespace {

using Handler = void (TForm1::*)(QObject*);

// Ctrl+C, Ctrl+V and Delete of a grid, taken before the view's own keys (its
// Ctrl+C copies one cell).
class SheetKeys : public QObject {
 public:
  SheetKeys(std::function<void(Handler)> run, QObject* parent)
      : QObject(parent), run_(std::move(run)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    Handler handler = key->matches(QKeySequence::Copy)     ? &TForm1::CopyCellsClick
                      : key->matches(QKeySequence::Paste)  ? &TForm1::PasteCellsClick
                      : key->matches(QKeySequence::Delete) ? &TForm1::ClearCellsClick
                                                           : nullptr;
    if (handler == nullptr) return false;
    run_(handler);
    return true;
  }

 private:
  std::function<void(Handler)> run_;
};

// The local files a drag carries; empty for anything else (text, a web link).
QStringList localFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  return files;
}

// Files dragged over the window or one of its line edits. A path box among
// `boxes` takes the dropped file itself; anywhere else each file goes by its
// extension.
class FileDrops : public QObject {
 public:
  FileDrops(TForm1* form, std::vector<QLineEdit*> boxes)
      : QObject(form), form_(form), boxes_(std::move(boxes)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = localFiles(drop->mimeData());
    if (files.isEmpty()) return false;  // a line edit still takes dragged text
    QLineEdit* box = nullptr;
    for (QLineEdit* candidate : boxes_)
      if (watched == candidate) box = candidate;
    if (box == nullptr && type != QEvent::Drop) {
      // Elsewhere, only a drag that brings a known extension is welcome.
      bool known = false;
      for (const QString& file : files) known = known || form_->pathBoxFor(file) != nullptr;
      if (!known) {
        drop->ignore();
        return true;
      }
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) form_->dropFiles(files, box);
    return true;
  }

 private:
  TForm1* form_;
  std::vector<QLineEdit*> boxes_;
};

}  // namespace

void TForm1::buildEditing(QBoxLayout* beside) {
  auto button = [this](const char* name, const char* caption, Handler handler) {
    auto* b = new CompactButton(tr(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, b, handler] { guarded(b, handler); });
    return b;
  };
  BU_Annulla =
      button("BU_Annulla", QT_TRANSLATE_NOOP("TForm1", "Annulla"), &TForm1::BU_AnnullaClick);
  BU_Ripeti = button("BU_Ripeti", QT_TRANSLATE_NOOP("TForm1", "Ripeti"), &TForm1::BU_RipetiClick);
  BU_Annulla->setEnabled(false);
  BU_Ripeti->setEnabled(false);
  beside->addWidget(BU_Annulla);
  beside->addWidget(BU_Ripeti);
}

void TForm1::bindEditing() {
  history_ = std::make_unique<brisel::History>(workspace_);

  // A line edit with the focus (a path box, a cell's editor) keeps these keys
  // for its own text.
  const std::pair<QKeySequence, QPushButton*> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Z), BU_Annulla},
      {QKeySequence(Qt::CTRL | Qt::Key_Y), BU_Ripeti},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), BU_Ripeti},
  };
  for (const auto& [sequence, target] : keys) {
    auto* shortcut = new QShortcut(sequence, this);
    QPushButton* sender = target;
    connect(shortcut, &QShortcut::activated, this, [this, sender] {
      guarded(sender, sender == BU_Annulla ? &TForm1::BU_AnnullaClick : &TForm1::BU_RipetiClick);
    });
  }

  StringGrid1->installEventFilter(
      new SheetKeys([this](Handler handler) { guarded(StringGrid1, handler); }, StringGrid1));
  connect(StringGrid1->gridModel(), &GridModel::cellEdited, this, [this] {
    recordStep();
    showChecks();
  });

  showColumnNames();
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->horizontalHeader()->show();

  // Drops: the memo would take a dropped file as text.
  std::vector<QLineEdit*> boxes;
  for (QLineEdit* box : pathBoxes()) boxes.push_back(box);
  boxes.push_back(Edit10);
  boxes.push_back(ED_Regole);
  auto* drops = new FileDrops(this, boxes);
  setAcceptDrops(true);
  Memo1->setAcceptDrops(false);
  installEventFilter(drops);
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(drops);
  showHistory();
}

void TForm1::showColumnNames() {
  // The roles of the columns above the fixed row, which keeps its own texts.
  QStringList names(brisel::kTableColumns);
  names[brisel::col::Number] = tr("N.");
  names[brisel::col::Reference] = tr("Riferimento");
  names[brisel::col::Value] = tr("Valore");
  names[brisel::col::Side] = tr("Lato");
  names[brisel::col::X] = QStringLiteral("X");
  names[brisel::col::Y] = QStringLiteral("Y");
  names[brisel::col::Angle] = tr("Angolo");
  names[brisel::col::Footprint] = QStringLiteral("Footprint");
  StringGrid1->gridModel()->setColumnNames(names);
}

void TForm1::recordStep() {
  if (history_ == nullptr) return;
  history_->record(workspace_);
  showHistory();
}

void TForm1::showHistory() {
  if (history_ == nullptr) return;
  BU_Annulla->setEnabled(history_->canUndo());
  BU_Ripeti->setEnabled(history_->canRedo());
}

void TForm1::BU_AnnullaClick(QObject*) {
  if (history_->undo(workspace_)) showWorkspace();
  showHistory();
}

void TForm1::BU_RipetiClick(QObject*) {
  if (history_->redo(workspace_)) showWorkspace();
  showHistory();
}

void TForm1::CopyCellsClick(QObject*) {
  const std::string cells = brisel::copyCells(workspace_.StringGrid1, StringGrid1->Selection());
  QGuiApplication::clipboard()->setText(
      QString::fromLatin1(cells.data(), static_cast<qsizetype>(cells.size())));
}

void TForm1::PasteCellsClick(QObject*) {
  const QString text = QGuiApplication::clipboard()->text();
  brisel::checkPasteSize(static_cast<std::size_t>(text.size()));
  // Characters beyond Latin-1 become '?', as when typing.
  const QByteArray bytes = text.toLatin1();
  const auto rows = brisel::parseCells(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  const int column = StringGrid1->Col();
  const int row = StringGrid1->Row();
  brisel::Outcome outcome;
  try {
    outcome = brisel::pasteCells(workspace_, column, row, rows);
  } catch (...) {
    recordStep();
    showWorkspace();
    throw;
  }
  recordStep();
  showWorkspace();
  for (const brisel::Message& message : outcome.messages)
    dialogs_.message(this, language::coreText("Message", message.caption),
                     language::said(message.text));
}

void TForm1::ClearCellsClick(QObject*) {
  brisel::clearCells(workspace_.StringGrid1, StringGrid1->Selection());
  recordStep();
  showWorkspace();
}

QLineEdit* TForm1::pathBoxFor(const QString& file) const {
  const QString extension = QFileInfo(file).suffix().toUpper();
  const std::pair<const char*, QLineEdit*> boxes[] = {
      {"REP", Edit2},
      {"CMP", Edit3},
      {"MNT", Edit5},
      {"BOM", Edit6},
      {"RAK", Edit7},
      {"TXT", Edit8},
      // Placement files; a .txt one goes to its box when dropped on it.
      {"POS", Edit10},
      {"CSV", Edit10},
      {"TSV", Edit10},
  };
  for (const auto& [name, box] : boxes)
    if (extension == QLatin1String(name)) return box;
  return nullptr;
}

void TForm1::dropFiles(const QStringList& files, QLineEdit* box) {
  if (files.isEmpty()) return;
  if (box != nullptr) {
    box->setText(QDir::toNativeSeparators(files.first()));
    return;
  }
  for (const QString& file : files)
    if (QLineEdit* target = pathBoxFor(file)) target->setText(QDir::toNativeSeparators(file));
}
