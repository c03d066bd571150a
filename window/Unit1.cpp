#include "window/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include <QScrollArea>
#include "app/buttons.h"
#include "app/history.h"
#include "app/settings.h"
#include "core/table_shape.h"
#include "table/check.h"
#include "window/check_list.h"
#include "window/compact_button.h"
#include "window/form_parts.h"
#include "window/grid_view.h"
#include "window/language.h"
#include "window/user_files.h"

#include <QItemSelectionModel>

#include "window/board_view.h"

TForm1* Form1 = nullptr;

namespace {

using namespace form;

std::filesystem::path toPath(const QString& text) {
  return PathBytes::encodePath(text);
}

}  // namespace

namespace {

std::size_t buttonIndex(std::string_view name) {
  const brisel::Button* button = brisel::findButton(name);
  if (button == nullptr) throw std::out_of_range("no operation button " + std::string(name));
  return static_cast<std::size_t>(button - brisel::kButtons.data());
}

const FormButton kFormButtons[] = {
    {"Button4", &TForm1::Button4, &TForm1::Button4Click},
    {"Button5", &TForm1::Button5, &TForm1::Button5Click},
    {"Button10", &TForm1::Button10, &TForm1::Button10Click},
    {"Button13", &TForm1::Button13, &TForm1::Button13Click},
    {"Button19", &TForm1::Button19, &TForm1::Button19Click},
    {"BU_Posizioni", &TForm1::BU_Posizioni, &TForm1::BU_PosizioniClick},
    {"Button7", &TForm1::Button7, &TForm1::Button7Click},
    {"Button17", &TForm1::Button17, &TForm1::Button17Click},
    {"BU_FootPrint", &TForm1::BU_FootPrint, &TForm1::BU_FootPrintClick},
    {"Button14", &TForm1::Button14, &TForm1::Button14Click},
    {"Button15", &TForm1::Button15, &TForm1::Button15Click},
    {"BU_TieniLato", &TForm1::BU_TieniLato, &TForm1::BU_TieniLatoClick},
    {"BU_Capovolgi", &TForm1::BU_Capovolgi, &TForm1::BU_CapovolgiClick},
    {"BU_Ruota", &TForm1::BU_Ruota, &TForm1::BU_RuotaClick},
    {"BU_Sposta", &TForm1::BU_Sposta, &TForm1::BU_SpostaClick},
    {"BU_Angolo", &TForm1::BU_Angolo, &TForm1::BU_AngoloClick},
    {"BU_Pannello", &TForm1::BU_Pannello, &TForm1::BU_PannelloClick},
    {"BU_SaltaSchede", &TForm1::BU_SaltaSchede, &TForm1::BU_SaltaSchedeClick},
    {"BU_ApplicaRegole", &TForm1::BU_ApplicaRegole, &TForm1::BU_ApplicaRegoleClick},
    {"Button9", &TForm1::Button9, &TForm1::Button9Click},
    {"Button2", &TForm1::Button2, &TForm1::Button2Click},
    {"Button20", &TForm1::Button20, &TForm1::Button20Click},
    {"Button22", &TForm1::Button22, &TForm1::Button22Click},
    {"BU_Controlla", &TForm1::BU_Controlla, &TForm1::BU_ControllaClick},
    {"BU_Verifica", &TForm1::BU_Verifica, &TForm1::BU_VerificaClick},
    {"BU_SalvaPosizioni", &TForm1::BU_SalvaPosizioni, &TForm1::BU_SalvaPosizioniClick},
};

}  // namespace

char form::systemDecimalSeparator() {
  QString point = QLocale::system().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

const form::FormButton& form::formButton(std::string_view name) {
  for (const FormButton& button : kFormButtons)
    if (button.name == name) return button;
  throw std::out_of_range("no form button " + std::string(name));
}

FormOperation& FormOperations::operator[](std::string_view name) {
  return operations_[buttonIndex(name)];
}

const FormOperation& FormOperations::operator[](std::string_view name) const {
  return operations_[buttonIndex(name)];
}

FormOperations FormOperations::standard() {
  FormOperations o;
  for (std::size_t i = 0; i < brisel::kButtons.size(); ++i)
    o.operations_[i] = brisel::kButtons[i].operation;
  return o;
}

// The progress of long table operations on ProgressBar1. The window keeps
// painting meanwhile, but takes no input, so no other handler can start.
class TForm1::BarProgress : public brisel::Progress {
 public:
  explicit BarProgress(QProgressBar* bar) : bar_(bar) {}

  void show() override {
    bar_->setValue(0);
    bar_->show();
    paint();
  }
  void setPosition(int percent) override {
    percent = std::clamp(percent, bar_->minimum(), bar_->maximum());
    if (percent == bar_->value()) return;
    // Some 25 pictures a second tell that the work goes on. The bar repaints
    // itself at each new value: a rule run over a full table took ten times
    // as long for its hundreds of pictures. Between two, it only takes the
    // value, drawn with the next.
    if (painted_.isValid() && painted_.elapsed() < kPaintEvery) {
      bar_->setUpdatesEnabled(false);
      bar_->setValue(percent);
      bar_->setUpdatesEnabled(true);
      return;
    }
    bar_->setValue(percent);
    paint();
  }
  void hide() override {
    if (bar_->isHidden()) return;
    bar_->hide();
    paint();
  }

 private:
  static constexpr qint64 kPaintEvery = 40;  // milliseconds
  void paint() {
    bar_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    painted_.start();
  }
  QProgressBar* bar_;
  QElapsedTimer painted_;
};

TForm1::TForm1(Dialogs& dialogs, std::filesystem::path settings, FormOperations operations,
               QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      settings_(std::move(settings)),
      operations_(std::move(operations)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Brisel_10"));
  QFont font(QStringLiteral("Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);

  // The content scrolls where the screen leaves the window less than its room
  // (a small screen, a large scale factor).
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = named(new QScrollArea(this), "ScrollBox1");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  outer->addWidget(scroll);
  auto* content = named(new QWidget(scroll), "Content1");
  auto* root = new QVBoxLayout(content);
  root->setContentsMargins(10, 10, 10, 8);
  root->setSpacing(8);
  root->addLayout(buildPathRows());
  buildPages();
  root->addWidget(PageControl1);
  root->addWidget(buildLowerPart());
  root->addStretch(1);

  ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  QSizePolicy keepPlace = ProgressBar1->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  ProgressBar1->setSizePolicy(keepPlace);
  ProgressBar1->hide();
  // The summary of the last rule run stands under the buttons, beside the
  // progress bar, so the window needs no room of its own for it.
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(12);
  // The line under the buttons takes the room a long path needs, the bar
  // what is left.
  bottom->addWidget(LB_Stato, 3);
  bottom->addWidget(LB_Rak);
  bottom->addWidget(LB_Regole);
  bottom->addWidget(ProgressBar1, 1);
  root->addLayout(bottom);
  progress_ = std::make_unique<BarProgress>(ProgressBar1);

  scroll->setWidget(content);

  setStartTexts();
  bindHandlers();
  bindEditing();
  bindKeys();
  showGrids();
  showButtons();
  resize(kFormWidth, kFormHeight);
  move(192, 82);
  Form1 = this;
  FormCreate(this);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

std::filesystem::path TForm1::defaultSettingsFile() {
  if (brisel::userfiles::isInstalled(QCoreApplication::applicationDirPath()))
    return toPath(brisel::userfiles::userSettingsFile());
  return brisel::settingsFile(toPath(QCoreApplication::applicationFilePath()));
}

void TForm1::bindHandlers() {
  std::vector<std::pair<QPushButton*, void (TForm1::*)(QObject*)>> bindings = {
      {Button1, &TForm1::Button1Click},   {Button3, &TForm1::Button3Click},
      {Button6, &TForm1::Button6Click},   {Button12, &TForm1::Button12Click},
      {Button11, &TForm1::Button11Click}, {Button18, &TForm1::Button18Click},
      {Button8, &TForm1::Button8Click},   {Button16, &TForm1::Button16Click},
      {Button21, &TForm1::Button21Click}, {Button23, &TForm1::Button23Click},
  };
  for (const FormButton& button : kFormButtons)
    bindings.emplace_back(this->*button.control, button.handler);
  connect(RB_EN, &QRadioButton::toggled, Preview, &PreviewPage::tableChanged);
  bindChecks();
  for (const auto& [button, handler] : bindings) {
    QPushButton* sender = button;
    auto bound = handler;
    connect(sender, &QPushButton::clicked, this, [this, sender, bound] { guarded(sender, bound); });
  }
}

std::array<QLineEdit*, 9> TForm1::pathBoxes() const {
  return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9};
}

void TForm1::FormCreate(QObject*) {
  try {
    const auto lines = brisel::loadSettings(settings_);
    const auto boxes = pathBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
      if (lines[i]) boxes[i]->setText(pathBytes_.load(i, *lines[i]));
  } catch (const std::exception&) {
    // A settings file that cannot be read leaves the start texts.
  }
  loadOwnSettings();
}

void TForm1::FormCloseQuery(QObject*, bool& CanClose) {
  brisel::SettingsPaths paths;
  const auto boxes = pathBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) paths[i] = pathBytes_.bytes(i, boxes[i]->text());
  brisel::saveSettings(settings_, paths);  // a failure loses this run's paths, silently
  saveOwnSettings();
  CanClose = true;
}

void TForm1::resizeEvent(QResizeEvent* event) {
  // The tabs take the height the window gains; the rest keeps its place.
  PageControl1->setFixedHeight(std::max(kPageHeight, kPageHeight + height() - kFormHeight));
  QWidget::resizeEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // A close asked for while a handler runs (a signal, say) waits for its end.
    closePending_ = true;
    event->ignore();
    return;
  }
  bool CanClose = true;
  FormCloseQuery(this, CanClose);
  event->setAccepted(CanClose);
}

void TForm1::guarded(QObject* sender, void (TForm1::*handler)(QObject*)) {
  if (busy_) return;
  busy_ = true;
  try {
    (this->*handler)(sender);
  } catch (const std::exception& failure) {
    dialogs_.error(this, language::failureText(failure));
  } catch (...) {
    dialogs_.error(this, tr("Errore imprevisto"));
  }
  showButtons();  // after the error box, as after an operation's own boxes
  busy_ = false;
  if (closePending_) {
    closePending_ = false;
    close();
  }
}

// Every picker offers the one pattern of its extension, as "*.QPF|*.QPF".
void TForm1::pick(QLineEdit* edit, const QString& extension) {
  const QString pattern = QStringLiteral("*.") + extension;
  PathParts parts = splitPickerPath(edit->text());
  OpenDialog1.InitialDir = parts.folder;
  OpenDialog1.FileName = parts.name;
  OpenDialog1.Filter = pattern + QLatin1Char('|') + pattern;
  OpenDialog1.FilterIndex = 1;
  OpenDialog1.DefaultExt = extension;
  if (executeOpenDialog(dialogs_, this, OpenDialog1)) edit->setText(OpenDialog1.FileName);
}

void TForm1::Button1Click(QObject*) {
  pick(Edit1, QStringLiteral("QPF"));
}
void TForm1::Button3Click(QObject*) {
  pick(Edit2, QStringLiteral("REP"));
}
void TForm1::Button6Click(QObject*) {
  pick(Edit3, QStringLiteral("CMP"));
}
void TForm1::Button12Click(QObject*) {
  pick(Edit6, QStringLiteral("BOM"));
}
void TForm1::Button11Click(QObject*) {
  pick(Edit5, QStringLiteral("MNT"));
}
void TForm1::Button18Click(QObject*) {
  pick(Edit8, QStringLiteral("TXT"));
}
void TForm1::Button8Click(QObject*) {
  pick(Edit4, QStringLiteral("QPF"));
}
void TForm1::Button16Click(QObject*) {
  pick(Edit7, QStringLiteral("RAK"));
}
void TForm1::Button21Click(QObject*) {
  pick(Edit9, QStringLiteral("TXT"));
}

void TForm1::Button4Click(QObject*) {
  run(Button4);
}
void TForm1::Button5Click(QObject*) {
  run(Button5);
}
void TForm1::Button10Click(QObject*) {
  run(Button10);
}
void TForm1::Button13Click(QObject*) {
  run(Button13);
}
void TForm1::Button19Click(QObject*) {
  run(Button19);
}
void TForm1::Button7Click(QObject*) {
  run(Button7);
}
void TForm1::Button17Click(QObject*) {
  run(Button17);
}
void TForm1::Button14Click(QObject*) {
  run(Button14);
}
void TForm1::Button15Click(QObject*) {
  run(Button15);
  StringGrid1->setFocus();
}
void TForm1::BU_FootPrintClick(QObject*) {
  run(BU_FootPrint);
}
void TForm1::Button9Click(QObject*) {
  run(Button9);
}
void TForm1::Button2Click(QObject*) {
  run(Button2);
}
void TForm1::Button20Click(QObject*) {
  run(Button20);
}
void TForm1::Button22Click(QObject*) {
  run(Button22);
}

brisel::Controls TForm1::snapshot() const {
  brisel::Controls controls;
  controls.Edit1 = pathBytes_.path(0, Edit1->text());
  controls.Edit2 = pathBytes_.path(1, Edit2->text());
  controls.Edit3 = pathBytes_.path(2, Edit3->text());
  controls.Edit4 = pathBytes_.path(3, Edit4->text());
  controls.Edit5 = pathBytes_.path(4, Edit5->text());
  controls.Edit6 = pathBytes_.path(5, Edit6->text());
  controls.Edit7 = pathBytes_.path(6, Edit7->text());
  controls.Edit8 = pathBytes_.path(7, Edit8->text());
  controls.Edit9 = pathBytes_.path(8, Edit9->text());
  controls.Edit10 = pathBytes_.path(9, Edit10->text());
  controls.keepDnp = CB_TieniDnp->isChecked();
  controls.ED_Regole = pathBytes_.path(10, ED_Regole->text());
  controls.RB_mils = RB_mils->isChecked();
  controls.CB_Format = CB_Format->isChecked();
  controls.RB_EN = RB_EN->isChecked();
  controls.ED_Forza = ED_Forza->text().toLatin1().toStdString();
  controls.decimalSeparator = systemDecimalSeparator();
  controls.Col = StringGrid1->Col();
  controls.Row = StringGrid1->Row();
  controls.Selection = StringGrid1->Selection();
  readBoardControls(controls);
  readPanelControls(controls);
  return controls;
}

// Runs the operation of a button. The grids show what it wrote,
// also when it failed; its message boxes come before the buttons change.
void TForm1::run(const QPushButton* button) {
  run(button, snapshot());
}

void TForm1::run(const QPushButton* button, const brisel::Controls& controls) {
  const FormOperation& operation = operations_[button->objectName().toStdString()];
  if (!operation) return;
  const brisel::Button* kind = brisel::findButton(button->objectName().toStdString());
  showStatus({});
  brisel::Outcome outcome;
  try {
    outcome = brisel::runButton(*kind, operation, workspace_, controls, *progress_);
    if (outcome.askColumns)
      outcome = withColumns(operation, controls, std::move(outcome), *progress_);
  } catch (...) {
    // A failed operation's partial change is a step that can be undone.
    progress_->hide();
    recordStep();
    showGrids();
    throw;
  }
  progress_->hide();
  recordStep();
  // An import or a viewer brings a board of its own: the preview fits it.
  if (kind->writes == nullptr &&
      (kind->group == brisel::ButtonGroup::imports || kind->group == brisel::ButtonGroup::outputs))
    Preview->tableReplaced();
  showGrids();
  showMissing(outcome, controls);
  if (outcome.cursorCol || outcome.cursorRow)
    StringGrid1->moveCursorTo(outcome.cursorCol.value_or(StringGrid1->Col()),
                              outcome.cursorRow.value_or(StringGrid1->Row()));
  for (const brisel::Message& message : outcome.messages)
    dialogs_.message(this, language::coreText("Message", message.caption),
                     language::said(message.text));
  showButtons();
  if (outcome.summary) showStatus(outcome.summary);
}

void TForm1::showGrids() {
  StringGrid1->refresh();
  Preview->tableChanged();
  StringGrid2->refresh();
  StringGrid3->refresh();
  if (workspace_.Memo1 != memoShown_) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(workspace_.Memo1.size()));
    for (const std::string& line : workspace_.Memo1) lines << shownText(line, true);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    memoShown_ = workspace_.Memo1;
  }
}

void TForm1::showButtons() {
  for (const brisel::Button& button : brisel::kButtons)
    if (button.enabled != nullptr)
      (this->*formButton(button.name).control)->setEnabled(workspace_.*button.enabled);
  showHistory();
  showChecks();
}
