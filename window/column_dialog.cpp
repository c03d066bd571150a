#include "window/column_dialog.h"
#include "window/language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>
#include <string_view>

#include "core/numbers.h"
#include "core/text.h"
#include "import/placement_file.h"

namespace {

constexpr std::size_t kPreviewRows = 8;

QString utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Letters and digits only, lower case: "Center-X(mm)" and "center x (mm)"
// name the same column.
std::string folded(std::string_view name) {
  std::string out;
  for (char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)) != 0)
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isNumber(std::string_view cell) {
  cell = brisel::trim(cell);
  if (cell.empty()) return false;
  for (char separator : {'.', ','})
    if (brisel::tryTextToReal(cell, {separator, false})) return true;
  return false;
}

bool anyNumber(const std::vector<std::string>& line) {
  return std::any_of(line.begin(), line.end(), [](const std::string& c) { return isNumber(c); });
}

// Where the importer found no header: the first line of names that a line of
// as many cells holding numbers follows.
int likelyHeader(const std::vector<std::vector<std::string>>& lines) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].size() >= 2 && !anyNumber(lines[i]) && lines[i + 1].size() == lines[i].size() &&
        anyNumber(lines[i + 1]))
      return static_cast<int>(i);
  return -1;
}

QTableWidget* table(QWidget* parent, const char* name) {
  auto* t = new QTableWidget(parent);
  t->setObjectName(QString::fromLatin1(name));
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::NoSelection);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return t;
}

}  // namespace

ColumnDialog::ColumnDialog(const ColumnChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
  setObjectName(QStringLiteral("ColumnDialog"));
  setWindowTitle(tr("Colonne del file"));
  const brisel::placements::FileShape shape = brisel::placements::readShape(choice.bytes, "", "");
  lines_ = shape.lines;
  for (const auto& line : lines_) width_ = std::max(width_, line.size());

  auto* root = new QVBoxLayout(this);
  auto* intro = new QLabel(tr("Il file non dice in quali colonne stanno riferimento, X e Y. "
                              "Sceglierle qui: la scelta vale anche per i file con la stessa "
                              "intestazione."),
                           this);
  intro->setWordWrap(true);
  root->addWidget(intro);
  root->addWidget(new QLabel(tr("Prime righe del file"), this));
  root->addWidget(buildLines(), 3);
  root->addLayout(buildFields());
  root->addWidget(new QLabel(tr("Come andranno nella tabella"), this));
  root->addWidget(buildPreview(), 3);
  LB_Messaggio = new QLabel(this);
  LB_Messaggio->setObjectName(QStringLiteral("LB_Messaggio"));
  LB_Messaggio->setWordWrap(true);
  LB_Messaggio->setTextFormat(Qt::PlainText);
  root->addWidget(LB_Messaggio);
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annulla"));
  root->addWidget(Buttons);

  // The header as the importer found it, or the likely one; the columns and
  // unit proposed.
  const int header = shape.headerLine >= 0 ? shape.headerLine : likelyHeader(lines_);
  CB_Intestazione->setCurrentIndex(std::max(0, CB_Intestazione->findData(header)));
  fillColumns();
  preselect(choice.columns);
  CB_Unita->setCurrentIndex(std::max(0, CB_Unita->findData(utf8(choice.units))));
  CB_TieniDnp->setChecked(choice.controls.keepDnp);
  connectChanges();
  showPreview();
  resize(820, 600);
}

QTableWidget* ColumnDialog::buildLines() {
  TB_Righe = table(this, "TB_Righe");
  TB_Righe->setRowCount(static_cast<int>(lines_.size()));
  TB_Righe->setColumnCount(static_cast<int>(width_));
  for (std::size_t c = 0; c < width_; ++c)
    TB_Righe->setHorizontalHeaderItem(static_cast<int>(c),
                                      new QTableWidgetItem(QString::number(c + 1)));
  for (std::size_t r = 0; r < lines_.size(); ++r)
    for (std::size_t c = 0; c < lines_[r].size(); ++c)
      TB_Righe->setItem(static_cast<int>(r), static_cast<int>(c),
                        new QTableWidgetItem(utf8(lines_[r][c])));
  return TB_Righe;
}

QFormLayout* ColumnDialog::buildFields() {
  auto* fields = new QFormLayout;
  CB_Intestazione = new QComboBox(this);
  CB_Intestazione->setObjectName(QStringLiteral("CB_Intestazione"));
  CB_Intestazione->addItem(tr("nessuna: colonne per numero"), -1);
  for (std::size_t r = 0; r < lines_.size(); ++r)
    CB_Intestazione->addItem(tr("riga %1").arg(r + 1), static_cast<int>(r));
  fields->addRow(tr("Intestazione"), CB_Intestazione);
  const QString names[] = {tr("Riferimento *"), tr("X *"),       tr("Y *"),
                           tr("Valore"),        tr("Footprint"), tr("Angolo"),
                           tr("Lato"),          tr("DNP"),       tr("Montare")};
  auto* grid = new QHBoxLayout;
  for (std::size_t f = 0; f < kKeys.size(); ++f) {
    CB_Campi[f] = new QComboBox(this);
    CB_Campi[f]->setObjectName(QStringLiteral("CB_") + QString::fromLatin1(kKeys[f]));
    CB_Campi[f]->setMinimumContentsLength(6);
    auto* pair = new QVBoxLayout;
    pair->addWidget(new QLabel(names[f], this));
    pair->addWidget(CB_Campi[f]);
    grid->addLayout(pair);
  }
  fields->addRow(tr("Colonne"), grid);
  CB_Unita = new QComboBox(this);
  CB_Unita->setObjectName(QStringLiteral("CB_Unita"));
  CB_Unita->addItem(tr("mm"), QStringLiteral("mm"));
  CB_Unita->addItem(tr("mils"), QStringLiteral("mil"));
  CB_Unita->addItem(tr("pollici"), QStringLiteral("in"));
  CB_Unita->setToolTip(tr("Vale dove il file non dice la sua unità"));
  fields->addRow(tr("Unità"), CB_Unita);
  CB_TieniDnp = new QCheckBox(tr("Tieni anche i da non montare"), this);
  CB_TieniDnp->setObjectName(QStringLiteral("CB_TieniDnp"));
  CB_TieniDnp->setToolTip(
      tr("Colonna DNP: s\u00EC, 1, true, x, DNP, DNF; colonna Montare: no, 0, "
         "false. Quelle righe restano fuori, se non si tengono."));
  fields->addRow(QString(), CB_TieniDnp);
  return fields;
}

QTableWidget* ColumnDialog::buildPreview() {
  TB_Anteprima = table(this, "TB_Anteprima");
  const QStringList columns = {tr("N."), tr("Riferimento"), tr("Valore"), tr("Lato"),
                               tr("X"),  tr("Y"),           tr("Angolo"), tr("Footprint")};
  TB_Anteprima->setColumnCount(static_cast<int>(columns.size()));
  TB_Anteprima->setHorizontalHeaderLabels(columns);
  return TB_Anteprima;
}

void ColumnDialog::connectChanges() {
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(CB_Intestazione, &QComboBox::currentIndexChanged, this, [this] {
    fillColumns();
    showPreview();
  });
  for (QComboBox* field : CB_Campi)
    connect(field, &QComboBox::currentIndexChanged, this, &ColumnDialog::showPreview);
  connect(CB_Unita, &QComboBox::currentIndexChanged, this, &ColumnDialog::showPreview);
  connect(CB_TieniDnp, &QCheckBox::toggled, this, &ColumnDialog::showPreview);
}

void ColumnDialog::fillColumns() {
  const int header = CB_Intestazione->currentData().toInt();
  for (QComboBox* field : CB_Campi) {
    const QSignalBlocker quiet(field);
    const int had = field->currentData().isValid() ? field->currentData().toInt() : -1;
    field->clear();
    field->addItem(QStringLiteral("—"), -1);
    for (std::size_t c = 0; c < width_; ++c) {
      QString text = QString::number(c + 1);
      if (header >= 0 && c < lines_[static_cast<std::size_t>(header)].size())
        text += QStringLiteral(": ") + utf8(lines_[static_cast<std::size_t>(header)][c]);
      field->addItem(text, static_cast<int>(c));
    }
    field->setCurrentIndex(std::max(0, field->findData(had)));
  }
}

void ColumnDialog::preselect(const std::string& columns) {
  const int header = CB_Intestazione->currentData().toInt();
  std::string_view rest = columns;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = brisel::trim(item.substr(0, equals));
    const std::string name = folded(item.substr(equals + 1));
    std::optional<int> column;
    if (header >= 0) {
      const auto& cells = lines_[static_cast<std::size_t>(header)];
      for (std::size_t c = 0; c < cells.size() && !column; ++c)
        if (!name.empty() && folded(cells[c]) == name) column = static_cast<int>(c);
    }
    if (!column) {
      const std::optional<std::int32_t> number =
          brisel::tryTextToInteger(brisel::trim(item.substr(equals + 1)), {'.', false});
      if (number && *number >= 1 && static_cast<std::size_t>(*number) <= width_)
        column = *number - 1;
    }
    for (std::size_t f = 0; f < kKeys.size(); ++f)
      if (column && key == kKeys[f])
        CB_Campi[f]->setCurrentIndex(std::max(0, CB_Campi[f]->findData(*column)));
  }
}

std::string ColumnDialog::columnsText() const {
  const int header = CB_Intestazione->currentData().toInt();
  std::string text;
  for (std::size_t f = 0; f < kKeys.size(); ++f) {
    const int column = CB_Campi[f]->currentData().toInt();
    if (column < 0) continue;
    // A header names its columns, so that a file whose columns move keeps its
    // choice; a name that --columns could not hold goes by its number.
    std::string name = std::to_string(column + 1);
    if (header >= 0) {
      const auto& cells = lines_[static_cast<std::size_t>(header)];
      if (static_cast<std::size_t>(column) < cells.size()) {
        const std::string_view cell = brisel::trim(cells[static_cast<std::size_t>(column)]);
        if (!cell.empty() && cell.find_first_of(",=") == std::string_view::npos)
          name = std::string(cell);
      }
    }
    if (!text.empty()) text += ',';
    text += std::string(kKeys[f]) + '=' + name;
  }
  return text;
}

ColumnChoice ColumnDialog::choice() const {
  ColumnChoice chosen = choice_;
  chosen.columns = columnsText();
  chosen.units = CB_Unita->currentData().toString().toStdString();
  chosen.headerLine = CB_Intestazione->currentData().toInt();
  chosen.controls.keepDnp = CB_TieniDnp->isChecked();
  return chosen;
}

void ColumnDialog::showPreview() {
  bool complete = true;
  for (std::size_t f = 0; f < kRequired; ++f)
    complete = complete && CB_Campi[f]->currentData().toInt() >= 0;
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(complete);
  TB_Anteprima->setRowCount(0);
  if (!complete) {
    LB_Messaggio->setText(tr("Scegliere almeno le colonne di riferimento, X e Y."));
    return;
  }
  brisel::Controls controls = choice_.controls;
  controls.placementColumns = columnsText();
  controls.placementUnits = CB_Unita->currentData().toString().toStdString();
  controls.keepDnp = CB_TieniDnp->isChecked();
  std::vector<std::array<std::string, 8>> rows;
  QString message;
  try {
    rows = brisel::placements::previewRows(choice_.bytes, controls, kPreviewRows);
  } catch (const std::exception& failure) {
    message = language::failureText(failure);
  }
  TB_Anteprima->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      // The cells are the table's: one byte a character.
      TB_Anteprima->setItem(static_cast<int>(r), static_cast<int>(c),
                            new QTableWidgetItem(QString::fromLatin1(
                                rows[r][c].data(), static_cast<qsizetype>(rows[r][c].size()))));
  if (message.isEmpty() && rows.empty()) message = tr("Nessun componente con questa scelta.");
  LB_Messaggio->setText(message);
}

bool WidgetDialogs::chooseColumns(QWidget* owner, ColumnChoice& choice) {
  ColumnDialog dialog(choice, owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.choice();
  return true;
}
