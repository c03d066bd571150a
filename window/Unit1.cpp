#include "window/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
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

#include "window/grid_model.h"
#include "core/settings.h"
#include "core/buttons.h"

#include <QItemSelectionModel>

#include "window/board_view.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int kFormWidth = 982;
constexpr int kFormHeight = 686;
constexpr int kPageHeight = 249;
constexpr int kPathBoxWidth = 601;
// Default column widths of the component table, the byte dump and the rules.
constexpr int kColumnWidth = 90;
constexpr int kByteColumnWidth = 20;
constexpr int kRuleColumnWidth = 64;
constexpr int kFixedColumnWidth = 24;

std::filesystem::path toPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  // The bytes the system's file calls get for this name.
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

// The user's decimal separator; the point where the locale's is not one byte.
char systemDecimalSeparator() {
  QString point = QLocale::system().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

FormOperations FormOperations::standard() {
  FormOperations o;
  o.Button4 = brisel::importRep;
  o.Button5 = brisel::importCmp;
  o.Button10 = brisel::importMnt;
  o.Button13 = brisel::importBom;
  o.Button19 = brisel::importTxt;
  o.Button7 = brisel::setReference;
  o.Button17 = brisel::applyRak;
  o.Button14 = brisel::sortByCursorColumn;
  o.Button15 = brisel::deleteSelectedRows;
  o.BU_FootPrint = brisel::mergeFootprints;
  o.Button9 = brisel::writeQpf;
  o.Button2 = brisel::viewQpf;
  o.Button20 = brisel::writeZirkan;
  o.Button22 = brisel::viewZirkan;
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
    bar_->setValue(percent);
    paint();
  }
  void hide() override {
    if (bar_->isHidden()) return;
    bar_->hide();
    paint();
  }

 private:
  void paint() {
    bar_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  QProgressBar* bar_;
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

  auto* root = new QVBoxLayout(this);
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
  root->addWidget(ProgressBar1);
  progress_ = std::make_unique<BarProgress>(ProgressBar1);

  setStartTexts();
  bindHandlers();
  showWorkspace();
  resize(kFormWidth, kFormHeight);
  move(192, 82);
  Form1 = this;
  FormCreate(this);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

std::filesystem::path TForm1::defaultSettingsFile() {
  return brisel::settingsFile(toPath(QCoreApplication::applicationFilePath()));
}

QGridLayout* TForm1::buildPathRows() {
  struct Row {
    QLabel*& label;
    const char* labelName;
    const char* caption;
    QLineEdit*& edit;
    const char* editName;
    QPushButton*& picker;
    const char* pickerName;
  };
  const Row rows[] = {
      {Label1, "Label1", "INPUT QPF (Vurk_tarno)", Edit1, "Edit1", Button1, "Button1"},
      {Label2, "Label2", "INPUT REP (Zelti) ( QRL)", Edit2, "Edit2", Button3, "Button3"},
      {Label3, "Label3", "INPUT CMP (Orcad)", Edit3, "Edit3", Button6, "Button6"},
      {Label4, "Label4", "INPUT BOM (Orcad)", Edit6, "Edit6", Button12, "Button12"},
      {Label5, "Label5", "INPUT MNT (Tarno)", Edit5, "Edit5", Button11, "Button11"},
      {Label6, "Label6", "INPUT TXT (Olvan)", Edit8, "Edit8", Button18, "Button18"},
      {Label7, "Label7", "OUTPUT QPF (tarno)", Edit4, "Edit4", Button8, "Button8"},
      {Label8, "Label8", "INPUT RAK (tarno)", Edit7, "Edit7", Button16, "Button16"},
      {Label10, "Label10", "OUTPUT ZIRKAN (tarno)", Edit9, "Edit9", Button21, "Button21"},
  };
  QFont labelFont = font();
  labelFont.setBold(true);
  labelFont.setPixelSize(16);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  int line = 0;
  for (const Row& row : rows) {
    row.label = named(new QLabel(QString::fromLatin1(row.caption), this), row.labelName);
    row.label->setFont(labelFont);
    row.edit = named(new QLineEdit(this), row.editName);
    row.edit->setFixedWidth(kPathBoxWidth);
    row.picker = named(new QPushButton(QStringLiteral("..."), this), row.pickerName);
    row.picker->setFixedWidth(28);
    row.picker->setToolTip(QStringLiteral("Sfoglia"));
    grid->addWidget(row.label, line, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(row.edit, line, 1);
    grid->addWidget(row.picker, line, 2);
    ++line;
  }
  grid->setColumnStretch(3, 1);

  // The REP row stands out on red ground.
  Label2->setAutoFillBackground(true);
  QPalette red = Label2->palette();
  red.setColor(QPalette::Window, QColor(Qt::red));
  Label2->setPalette(red);
  Label2->setContentsMargins(3, 0, 3, 0);

  return grid;
}

void TForm1::buildPages() {
  PageControl1 = named(new QTabWidget(this), "PageControl1");
  PageControl1->setFixedHeight(kPageHeight);
  PageControl1->setDocumentMode(false);

  auto page = [this](QWidget*& sheet, const char* name, const char* caption, QWidget* content) {
    sheet = named(new QWidget, name);
    auto* fill = new QVBoxLayout(sheet);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(content);
    PageControl1->addTab(sheet, QString::fromLatin1(caption));
  };
  StringGrid1 =
      named(new GridView(workspace_.StringGrid1, 1, 1, true, kColumnWidth), "StringGrid1");
  StringGrid2 =
      named(new GridView(workspace_.StringGrid2, 1, 1, false, kByteColumnWidth), "StringGrid2");
  Memo1 = named(new QPlainTextEdit, "Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  StringGrid3 =
      named(new GridView(workspace_.StringGrid3, 1, 0, false, kRuleColumnWidth), "StringGrid3");
  StringGrid3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  page(TabSheet1, "TabSheet1", "TabSheet1", StringGrid1);
  page(TabSheet2, "TabSheet2", "TabSheet2", StringGrid2);
  page(TabSheet3, "TabSheet3", "TabSheet3", Memo1);
  page(TabSheet4, "TabSheet4", "File RAK", StringGrid3);
  // The board preview follows the table: every typed cell, every operation
  // (showWorkspace), the "Inglese" setting; a click on a part moves the cursor.
  Preview = named(
      new PreviewPage(workspace_.StringGrid1, dialogs_, [this] { return snapshot().numbers(); }),
      "Preview");
  page(TabSheet5, "TabSheet5", "Anteprima", Preview);
  connect(StringGrid1->gridModel(), &QAbstractItemModel::dataChanged, Preview,
          &PreviewPage::tableChanged);
  connect(Preview->view(), &BoardView::rowClicked, this,
          [this](int row) { StringGrid1->moveCursorTo(StringGrid1->Col(), row); });
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, Preview,
          [this](const QModelIndex& current) { Preview->view()->setCurrentRow(current.row()); });
  PageControl1->setCurrentIndex(0);
  sizeColumns();
}

void TForm1::sizeColumns() {
  // Room for what the columns hold: a coordinate in the general real-to-text
  // form (15 digits, a sign and a separator) and a value joined to its
  // footprint. The fixed column holds nothing and stays narrow; the byte
  // dump's 20-pixel columns take three digits in a smaller font.
  const QFontMetrics metrics(StringGrid1->font());
  const int margins = 8;
  const int coordinate = metrics.horizontalAdvance(QStringLiteral("-000.000000000000")) + margins;
  const int value = metrics.horizontalAdvance(QString(18, QLatin1Char('0'))) + margins;
  StringGrid1->setColumnWidth(0, kFixedColumnWidth);
  StringGrid1->setColumnWidth(3, std::max(kColumnWidth, value));
  StringGrid1->setColumnWidth(5, std::max(kColumnWidth, coordinate));
  StringGrid1->setColumnWidth(6, std::max(kColumnWidth, coordinate));
  StringGrid3->setColumnWidth(0, std::max(kRuleColumnWidth, value));
  StringGrid2->fitColumnsTo(QStringLiteral("255"));
}

QWidget* TForm1::buildLowerPart() {
  auto* lower = new QWidget(this);
  auto* row = new QHBoxLayout(lower);
  row->setContentsMargins(0, 4, 0, 0);
  row->setSpacing(16);

  auto button = [lower](const char* name, const char* caption) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), lower), name);
    b->setMinimumHeight(28);
    b->setAutoDefault(false);
    return b;
  };
  // Imports, table operations, outputs: one line each.
  Button4 = button("Button4", "Apri REP");
  Button5 = button("Button5", "Apre CMP");
  Button10 = button("Button10", "Apre MNT");
  Button13 = button("Button13", "Apre BOM");
  Button19 = button("Button19", "Apre TXT");
  Button7 = button("Button7", "Riferimento");
  Button17 = button("Button17", "Applica RAK");
  BU_FootPrint = button("BU_FootPrint", "Merge FootPrint");
  Button14 = button("Button14", "RIORDINA COLONNA CURSORE");
  Button15 = button("Button15", "CANCELLA LINEE SELEZIONATE");
  Button9 = button("Button9", "Crea Output File");
  Button2 = button("Button2", "Apri QPF generato");
  Button20 = button("Button20", "Crea Output per ZIRKAN");
  Button22 = button("Button22", "Apre ZIRKAN generato");
  const std::vector<std::vector<QPushButton*>> lines = {
      {Button4, Button5, Button10, Button13, Button19},
      {Button7, Button17, BU_FootPrint, Button14, Button15},
      {Button9, Button2, Button20, Button22}};
  auto* buttons = new QGridLayout;
  buttons->setHorizontalSpacing(6);
  buttons->setVerticalSpacing(8);
  for (int r = 0; r < static_cast<int>(lines.size()); ++r)
    for (int c = 0; c < static_cast<int>(lines[r].size()); ++c)
      buttons->addWidget(lines[r][c], r, c);
  row->addLayout(buttons);
  row->addStretch(1);

  // The settings the imports and number parsing read.
  auto* options = new QGridLayout;
  options->setHorizontalSpacing(10);
  options->setVerticalSpacing(6);
  RB_mm = named(new QRadioButton(QStringLiteral("mm"), lower), "RB_mm");
  RB_mils = named(new QRadioButton(QStringLiteral("mils"), lower), "RB_mils");
  CB_Format =
      named(new QCheckBox(QStringLiteral("Virgola come separatore decimali"), lower), "CB_Format");
  CB_Format->setChecked(true);
  Panel1 = named(new QFrame(lower), "Panel1");
  Panel1->setWindowTitle(QStringLiteral("Panel1"));  // its caption, covered by its buttons
  Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* languages = new QHBoxLayout(Panel1);
  languages->setContentsMargins(6, 2, 6, 2);
  RB_EN = named(new QRadioButton(QStringLiteral("Inglese"), Panel1), "RB_EN");
  RB_IT = named(new QRadioButton(QStringLiteral("Italiano"), Panel1), "RB_IT");
  languages->addWidget(RB_EN);
  languages->addWidget(RB_IT);
  languages->addStretch(1);
  Label9 = named(new QLabel(QStringLiteral("Forza di default"), lower), "Label9");
  ED_Forza = named(new QLineEdit(QStringLiteral("1"), lower), "ED_Forza");
  ED_Forza->setFixedWidth(60);

  auto* units = new QHBoxLayout;
  units->addWidget(RB_mm);
  units->addWidget(RB_mils);
  units->addStretch(1);
  options->addLayout(units, 0, 0, 1, 2);
  options->addWidget(CB_Format, 1, 0, 1, 2);
  options->addWidget(Panel1, 2, 0, 1, 2);
  options->addWidget(Label9, 3, 0);
  options->addWidget(ED_Forza, 3, 1, Qt::AlignLeft);
  row->addLayout(options);
  return lower;
}

void TForm1::setStartTexts() {
  // The sample board travels with the program: share/brisel/samples beside
  // its bin folder, in the build tree as once installed.
  QString samples = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/../share/brisel/samples"));
  QFileInfo folder(samples);
  QString outputs = folder.isDir() && folder.isWritable() ? samples : QDir::homePath();
  auto in = [&](const char* name) {
    return QDir::toNativeSeparators(samples + QLatin1Char('/') + QLatin1String(name));
  };
  auto out = [&](const char* name) {
    return QDir::toNativeSeparators(outputs + QLatin1Char('/') + QLatin1String(name));
  };
  Edit1->setText(in("TEMPLATE.QPF"));
  Edit2->setText(in("BOARD.REP"));
  Edit3->setText(in("BOARD.CMP"));
  Edit4->setText(out("OUTPUT.QPF"));
  Edit5->setText(in("BOARD.MNT"));
  Edit6->setText(in("BOARD.BOM"));
  Edit7->setText(in("BOARD.RAK"));
  Edit8->setText(in("BOARD.TXT"));
  Edit9->setText(out("ZIRKAN.TXT"));
}

void TForm1::bindHandlers() {
  const std::pair<QPushButton*, void (TForm1::*)(QObject*)> bindings[] = {
      {Button1, &TForm1::Button1Click},           {Button3, &TForm1::Button3Click},
      {Button6, &TForm1::Button6Click},           {Button12, &TForm1::Button12Click},
      {Button11, &TForm1::Button11Click},         {Button18, &TForm1::Button18Click},
      {Button8, &TForm1::Button8Click},           {Button16, &TForm1::Button16Click},
      {Button21, &TForm1::Button21Click},         {Button4, &TForm1::Button4Click},
      {Button5, &TForm1::Button5Click},           {Button10, &TForm1::Button10Click},
      {Button13, &TForm1::Button13Click},         {Button19, &TForm1::Button19Click},
      {Button7, &TForm1::Button7Click},           {Button17, &TForm1::Button17Click},
      {Button14, &TForm1::Button14Click},         {Button15, &TForm1::Button15Click},
      {BU_FootPrint, &TForm1::BU_FootPrintClick}, {Button9, &TForm1::Button9Click},
      {Button2, &TForm1::Button2Click},           {Button20, &TForm1::Button20Click},
      {Button22, &TForm1::Button22Click},
  };
  connect(RB_EN, &QRadioButton::toggled, Preview, &PreviewPage::tableChanged);
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
      if (lines[i]) boxes[i]->setText(QString::fromLocal8Bit(*lines[i]));
  } catch (const std::exception&) {
    // A settings file that cannot be read leaves the start texts.
  }
}

void TForm1::FormCloseQuery(QObject*, bool& CanClose) {
  brisel::SettingsPaths paths;
  const auto boxes = pathBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i)
    paths[i] = boxes[i]->text().toLocal8Bit().toStdString();
  brisel::saveSettings(settings_, paths);  // a failure loses this run's paths, silently
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
    dialogs_.error(this, QString::fromUtf8(failure.what()));
  } catch (...) {
    dialogs_.error(this, QStringLiteral("Errore imprevisto"));
  }
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
  run(operations_.Button4);
}
void TForm1::Button5Click(QObject*) {
  run(operations_.Button5);
}
void TForm1::Button10Click(QObject*) {
  run(operations_.Button10);
}
void TForm1::Button13Click(QObject*) {
  run(operations_.Button13);
}
void TForm1::Button19Click(QObject*) {
  run(operations_.Button19);
}
void TForm1::Button7Click(QObject*) {
  run(operations_.Button7);
}
void TForm1::Button17Click(QObject*) {
  run(operations_.Button17);
}
void TForm1::Button14Click(QObject*) {
  run(operations_.Button14);
}
void TForm1::Button15Click(QObject*) {
  run(operations_.Button15);
}
void TForm1::BU_FootPrintClick(QObject*) {
  run(operations_.BU_FootPrint);
}
void TForm1::Button9Click(QObject*) {
  run(operations_.Button9);
}
void TForm1::Button2Click(QObject*) {
  run(operations_.Button2);
}
void TForm1::Button20Click(QObject*) {
  run(operations_.Button20);
}
void TForm1::Button22Click(QObject*) {
  run(operations_.Button22);
}

brisel::Controls TForm1::snapshot() const {
  brisel::Controls controls;
  controls.Edit1 = toPath(Edit1->text());
  controls.Edit2 = toPath(Edit2->text());
  controls.Edit3 = toPath(Edit3->text());
  controls.Edit4 = toPath(Edit4->text());
  controls.Edit5 = toPath(Edit5->text());
  controls.Edit6 = toPath(Edit6->text());
  controls.Edit7 = toPath(Edit7->text());
  controls.Edit8 = toPath(Edit8->text());
  controls.Edit9 = toPath(Edit9->text());
  controls.RB_mils = RB_mils->isChecked();
  controls.CB_Format = CB_Format->isChecked();
  controls.RB_EN = RB_EN->isChecked();
  controls.ED_Forza = ED_Forza->text().toLatin1().toStdString();
  controls.decimalSeparator = systemDecimalSeparator();
  controls.Col = StringGrid1->Col();
  controls.Row = StringGrid1->Row();
  controls.Selection = StringGrid1->Selection();
  return controls;
}

void TForm1::run(const FormOperation& operation) {
  if (!operation) return;
  const brisel::Controls controls = snapshot();
  brisel::Outcome outcome;
  try {
    outcome = operation(workspace_, controls, *progress_);
  } catch (...) {
    // What the operation wrote before it failed stays, and shows.
    progress_->hide();
    showWorkspace();
    throw;
  }
  progress_->hide();
  showWorkspace();
  if (outcome.cursorCol || outcome.cursorRow)
    StringGrid1->moveCursorTo(outcome.cursorCol.value_or(StringGrid1->Col()),
                              outcome.cursorRow.value_or(StringGrid1->Row()));
  for (const brisel::Message& message : outcome.messages)
    dialogs_.message(this, QString::fromUtf8(message.caption), QString::fromUtf8(message.text));
}

void TForm1::showWorkspace() {
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
  Button17->setEnabled(workspace_.Button17Enabled);
  BU_FootPrint->setEnabled(workspace_.BU_FootPrintEnabled);
}
