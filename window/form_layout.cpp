// The form's layout: the path rows, the tabs and their pages, the buttons and
// settings below them, the start texts; and the language the form speaks.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/buttons.h"
#include "app/settings.h"
#include "core/table_shape.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/compact_button.h"
#include "window/form_parts.h"
#include "window/grid_view.h"
#include "window/language.h"
#include "window/user_files.h"

using namespace form;

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
      {Label1, "Label1", QT_TRANSLATE_NOOP("TForm1", "INPUT QPF (Vurk_tarno)"), Edit1, "Edit1",
       Button1, "Button1"},
      {Label2, "Label2", QT_TRANSLATE_NOOP("TForm1", "INPUT REP (Zelti) ( QRL)"), Edit2, "Edit2",
       Button3, "Button3"},
      {Label3, "Label3", QT_TRANSLATE_NOOP("TForm1", "INPUT CMP (Orcad)"), Edit3, "Edit3", Button6,
       "Button6"},
      {Label4, "Label4", QT_TRANSLATE_NOOP("TForm1", "INPUT BOM (Orcad)"), Edit6, "Edit6", Button12,
       "Button12"},
      {Label5, "Label5", QT_TRANSLATE_NOOP("TForm1", "INPUT MNT (Tarno)"), Edit5, "Edit5", Button11,
       "Button11"},
      {Label6, "Label6", QT_TRANSLATE_NOOP("TForm1", "INPUT TXT (Olvan)"), Edit8, "Edit8", Button18,
       "Button18"},
      {Label7, "Label7", QT_TRANSLATE_NOOP("TForm1", "OUTPUT QPF (tarno)"), Edit4, "Edit4", Button8,
       "Button8"},
      {Label8, "Label8", QT_TRANSLATE_NOOP("TForm1", "INPUT RAK (tarno)"), Edit7, "Edit7", Button16,
       "Button16"},
      {Label10, "Label10", QT_TRANSLATE_NOOP("TForm1", "OUTPUT ZIRKAN (tarno)"), Edit9, "Edit9",
       Button21, "Button21"},
      {Label11, "Label11", QT_TRANSLATE_NOOP("TForm1", "INPUT posizioni (CSV, KiCad, Altium...)"),
       Edit10, "Edit10", Button23, "Button23"},
  };
  QFont labelFont = font();
  labelFont.setBold(true);
  labelFont.setPixelSize(16);
  // The placement row's caption is the longest: smaller, so that the boxes
  // keep their place.
  QFont placementFont = labelFont;
  placementFont.setPixelSize(12);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  int line = 0;
  for (const Row& row : rows) {
    row.label = named(new QLabel(tr(row.caption), this), row.labelName);
    row.label->setFont(&row.label == &Label11 ? placementFont : labelFont);
    row.edit = named(new QLineEdit(this), row.editName);
    row.edit->setFixedWidth(kPathBoxWidth);
    row.picker = named(new QPushButton(QStringLiteral("..."), this), row.pickerName);
    row.picker->setFixedWidth(28);
    row.picker->setToolTip(tr("Sfoglia"));
    grid->addWidget(row.label, line, 0, Qt::AlignLeft | Qt::AlignVCenter);
    if (&row.edit == &Edit10)
      grid->addLayout(placementBox(), line, 1);
    else
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
    PageControl1->addTab(sheet, tr(caption));
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
  page(TabSheet1, "TabSheet1", QT_TRANSLATE_NOOP("TForm1", "TabSheet1"), StringGrid1);
  page(TabSheet2, "TabSheet2", QT_TRANSLATE_NOOP("TForm1", "TabSheet2"), StringGrid2);
  page(TabSheet3, "TabSheet3", QT_TRANSLATE_NOOP("TForm1", "TabSheet3"), Memo1);
  page(TabSheet4, "TabSheet4", QT_TRANSLATE_NOOP("TForm1", "File RAK"), StringGrid3);
  // The board preview follows the table: every typed cell, every operation
  // (showWorkspace), the "Inglese" setting; a click on a part moves the cursor.
  Preview = named(
      new PreviewPage(workspace_.StringGrid1, dialogs_, [this] { return snapshot().numbers(); }),
      "Preview");
  page(TabSheet5, "TabSheet5", QT_TRANSLATE_NOOP("TForm1", "Anteprima"), Preview);
  // "Salva immagine…" proposes the folder of the output files.
  Preview->setImageFolder([this] { return splitPickerPath(Edit4->text()).folder; });
  connect(Preview, &PreviewPage::imageSaved, this, &TForm1::showImageSaved);
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
  // footprint. The fixed column holds nothing and stays narrow (the row
  // numbers stand in the vertical header beside it); the byte
  // dump's 20-pixel columns take three digits in a smaller font.
  const QFontMetrics metrics(StringGrid1->font());
  const int margins = 8;
  // The longest text a float's general real-to-text form gives: 15
  // significant digits behind "-0.0000" (its exponent form is shorter).
  const int coordinate =
      metrics.horizontalAdvance(QStringLiteral("-0.000123456789012345")) + margins;
  const int value = metrics.horizontalAdvance(QString(18, QLatin1Char('0'))) + margins;
  StringGrid1->setColumnWidth(0, kFixedColumnWidth);
  StringGrid1->gridModel()->setRowNumbers(true);
  StringGrid1->verticalHeader()->setFixedWidth(
      metrics.horizontalAdvance(QString::number(brisel::kMaxComponents)) + margins);
  StringGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StringGrid1->verticalHeader()->show();
  StringGrid1->setColumnWidth(brisel::col::Value, std::max(kColumnWidth, value));
  StringGrid1->setColumnWidth(brisel::col::X, std::max(kColumnWidth, coordinate));
  StringGrid1->setColumnWidth(brisel::col::Y, std::max(kColumnWidth, coordinate));
  StringGrid3->setColumnWidth(0, std::max(kRuleColumnWidth, value));
  StringGrid2->fitColumnsTo(QStringLiteral("255"));
}

QWidget* TForm1::buildLowerPart() {
  auto* lower = new QWidget(this);
  auto* row = new QHBoxLayout(lower);
  row->setContentsMargins(0, 4, 0, 0);
  row->setSpacing(16);

  // Imports, table operations, outputs: one line each, each as wide as its
  // buttons, so that a line that gains a button does not widen the others.
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(8);
  std::array<QHBoxLayout*, 3> lines{};
  for (QHBoxLayout*& line : lines) {
    line = new QHBoxLayout;
    line->setSpacing(6);
    buttons->addLayout(line);
  }
  // Undo, redo and the checks stand beside the tabs, above the table.
  auto* corner = new QWidget(PageControl1);
  auto* beside = new QHBoxLayout(corner);
  beside->setContentsMargins(0, 0, 0, 2);
  beside->setSpacing(6);
  buildEditing(beside);
  beside->addSpacing(8);
  buildBoardTab();
  for (const brisel::Button& button : brisel::kButtons) {
    QPushButton* control = operationButton(button, lower);
    this->*formButton(button.name).control = control;
    placeButton(control, button.group, lines, beside);
  }
  for (QHBoxLayout* line : lines) line->addStretch(1);
  buildLanguageChoice(beside);
  PageControl1->setCornerWidget(corner, Qt::TopRightCorner);
  buildChecks();
  row->addLayout(buttons);
  row->addStretch(1);

  row->addLayout(buildOptions(lower));
  return lower;
}

void TForm1::placeButton(QPushButton* control, brisel::ButtonGroup group,
                         const std::array<QHBoxLayout*, 3>& lines, QBoxLayout* beside) {
  switch (group) {
    case brisel::ButtonGroup::board:
      boardButtons_->addWidget(control);
      return;
    case brisel::ButtonGroup::rules:
      rulesButtons_->addWidget(control);
      return;
    case brisel::ButtonGroup::panel:
      placePanelButton(control);
      return;
    case brisel::ButtonGroup::checks:
      control->setMinimumHeight(0);
      beside->addWidget(control);
      return;
    default:
      lines[static_cast<std::size_t>(group)]->addWidget(control);
  }
}

// The settings the imports and number parsing read.
QGridLayout* TForm1::buildOptions(QWidget* lower) {
  auto* options = new QGridLayout;
  options->setHorizontalSpacing(10);
  options->setVerticalSpacing(6);
  RB_mm = named(new QRadioButton(QStringLiteral("mm"), lower), "RB_mm");
  RB_mils = named(new QRadioButton(QStringLiteral("mils"), lower), "RB_mils");
  CB_Format = named(new QCheckBox(tr("Virgola come separatore decimali"), lower), "CB_Format");
  // Checked where the system writes a comma: the sample board, written with
  // points, then imports at the first click on either kind of system.
  CB_Format->setChecked(systemDecimalSeparator() == ',');
  Panel1 = named(new QFrame(lower), "Panel1");
  Panel1->setWindowTitle(QStringLiteral("Panel1"));  // its caption, covered by its buttons
  Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* languages = new QHBoxLayout(Panel1);
  languages->setContentsMargins(6, 2, 6, 2);
  RB_EN = named(new QRadioButton(tr("Inglese"), Panel1), "RB_EN");
  RB_IT = named(new QRadioButton(tr("Italiano"), Panel1), "RB_IT");
  languages->addWidget(RB_EN);
  languages->addWidget(RB_IT);
  languages->addStretch(1);
  Label9 = named(new QLabel(tr("Forza di default"), lower), "Label9");
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
  return options;
}

QPushButton* TForm1::operationButton(const brisel::Button& button, QWidget* parent) {
  const QString caption = language::coreText("Button", button.caption);
  // The checks stand beside the tabs, whose titles need the room.
  auto* b = button.group == brisel::ButtonGroup::checks ? new CompactButton(caption, parent)
                                                        : new QPushButton(caption, parent);
  b->setObjectName(
      QString::fromLatin1(button.name.data(), static_cast<qsizetype>(button.name.size())));
  b->setMinimumHeight(28);
  b->setAutoDefault(false);
  return b;
}

void TForm1::setStartTexts() {
  // The sample board travels with the program: share/brisel/samples beside
  // its bin folder, in the build tree as once installed.
  QString samples = brisel::userfiles::samplesFolder(QCoreApplication::applicationDirPath());
  QString outputs = brisel::userfiles::outputFolder(QCoreApplication::applicationDirPath());
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
  Edit10->setText(in("BOARD.pos"));
  ED_Regole->setText(in("BOARD-regole.csv"));
}

void TForm1::buildLanguageChoice(QBoxLayout* beside) {
  CB_Lingua = named(new QComboBox(this), "CB_Lingua");
  // Each language is named in its own words, whichever the window shows.
  CB_Lingua->setProperty("untranslated", true);
  CB_Lingua->setToolTip(QStringLiteral("Lingua / Language"));
  for (const QString& code : language::codes())
    CB_Lingua->addItem(language::nativeName(code), code);
  CB_Lingua->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  CB_Lingua->setFocusPolicy(Qt::StrongFocus);
  beside->addSpacing(8);
  beside->addWidget(CB_Lingua);
  connect(CB_Lingua, &QComboBox::activated, this,
          [this](int index) { chooseLanguage(CB_Lingua->itemData(index).toString(), true); });
}

bool TForm1::chooseLanguage(const QString& code, bool remember) {
  if (!language::choose(code)) {
    CB_Lingua->setCurrentIndex(CB_Lingua->findData(language::current()));
    return false;
  }
  CB_Lingua->setCurrentIndex(CB_Lingua->findData(code));
  if (remember) {
    // Kept at once, and with the other settings the close writes.
    ownSettings_["lingua"] = code.toStdString();
    const std::filesystem::path file = brisel::ownSettingsFile(settings_);
    brisel::OwnSettings own = brisel::loadOwnSettings(file);
    own["lingua"] = code.toStdString();
    brisel::saveOwnSettings(file, own);  // a failure only forgets the choice
  }
  return true;
}

QString TForm1::rememberedLanguage() const {
  const brisel::OwnSettings own = brisel::loadOwnSettings(brisel::ownSettingsFile(settings_));
  const auto found = own.find("lingua");
  if (found == own.end()) return QStringLiteral("it");
  return QString::fromLatin1(found->second.data(), static_cast<qsizetype>(found->second.size()));
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) retranslate();
  QWidget::changeEvent(event);
}

void TForm1::retranslate() {
  takeKeys();
  language::retranslate(this);
  giveKeys();
  // The texts made from the workspace are made anew.
  showColumnNames();
  showChecks();
  showStatus(status_);
  Preview->tableChanged();
  CB_Lingua->setCurrentIndex(CB_Lingua->findData(language::current()));
}
