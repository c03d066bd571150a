// The form's placement files: the tenth path row and its picker, brisel.ini,
// the columns of a file the importer cannot tell, and "Salva posizioni".

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <system_error>

#include "app/settings.h"
#include "core/lines.h"
#include "import/placement_file.h"
#include "window/Unit1.h"

namespace {

// The key of the tenth box's path in brisel.ini.
constexpr const char* kPlacementKey = "posizioni";
// Whether CB_TieniDnp is checked: "1" or "0".
constexpr const char* kKeepDnpKey = "tieni_da_non_montare";
// Enough of a placement file for its header, its preamble and the preview.
constexpr std::size_t kShownBytes = std::size_t{1} << 20;
constexpr std::size_t kPlacementBox = 9;  // Edit10 among the path boxes

// A line as the importer split it, as brisel.ini keys it: FNV-1a of its
// cells, each ended by a tab.
std::string headerKey(const std::vector<std::string>& cells) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::string& cell : cells) {
    for (char c : cell + '\t') {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string columnsKey(const std::vector<std::string>& line) {
  return "colonne." + headerKey(line);
}
std::string unitKey(const std::vector<std::string>& line) {
  return "unita." + headerKey(line);
}

}  // namespace

std::filesystem::path TForm1::ownSettingsFile() const {
  return brisel::ownSettingsFile(settings_);
}

QLayout* TForm1::placementBox() {
  CB_TieniDnp = new QCheckBox(tr("Tieni anche i da non montare"), this);
  CB_TieniDnp->setObjectName(QStringLiteral("CB_TieniDnp"));
  CB_TieniDnp->setToolTip(
      tr("Le righe che il file segna da non montare (colonna DNP o Populate) vengono importate "
         "come le altre"));
  auto* box = new QHBoxLayout;
  box->setSpacing(8);
  box->addWidget(Edit10, 1);
  box->addWidget(CB_TieniDnp);
  Edit10->setMinimumWidth(0);
  Edit10->setMaximumWidth(QWIDGETSIZE_MAX);
  return box;
}

void TForm1::loadOwnSettings() {
  try {
    ownSettings_ = brisel::loadOwnSettings(ownSettingsFile());
  } catch (const std::exception&) {
    // A file that cannot be read leaves the start texts and no columns.
  }
  auto path = ownSettings_.find(kPlacementKey);
  if (path != ownSettings_.end()) Edit10->setText(pathBytes_.load(kPlacementBox, path->second));
  auto keepDnp = ownSettings_.find(kKeepDnpKey);
  CB_TieniDnp->setChecked(keepDnp != ownSettings_.end() && keepDnp->second == "1");
  loadRulesPath();
}

void TForm1::saveOwnSettings() {
  ownSettings_[kPlacementKey] = pathBytes_.bytes(kPlacementBox, Edit10->text());
  ownSettings_[kKeepDnpKey] = CB_TieniDnp->isChecked() ? "1" : "0";
  keepRulesPath();
  brisel::saveOwnSettings(ownSettingsFile(), ownSettings_);  // a failure loses them, silently
}

void TForm1::Button23Click(QObject*) {
  const QString patterns = QStringLiteral("*.pos;*.csv;*.txt;*.tsv");
  PathParts parts = splitPickerPath(Edit10->text());
  OpenDialog1.InitialDir = parts.folder;
  OpenDialog1.FileName = parts.name;
  OpenDialog1.Filter = patterns + QLatin1Char('|') + patterns;
  OpenDialog1.FilterIndex = 1;
  OpenDialog1.DefaultExt.clear();  // the four kinds are alike: none is added
  if (executeOpenDialog(dialogs_, this, OpenDialog1)) Edit10->setText(OpenDialog1.FileName);
}

void TForm1::BU_PosizioniClick(QObject*) {
  run(BU_Posizioni);
}

brisel::Outcome TForm1::withColumns(const FormOperation& operation,
                                    const brisel::Controls& controls, brisel::Outcome outcome,
                                    brisel::Progress& progress) {
  const std::optional<std::string> read = brisel::readUpTo(controls.Edit10, kShownBytes + 1);
  if (!read) return outcome;
  std::string bytes = *read;
  if (bytes.size() > kShownBytes) {
    // A line cut short would show as a wrong component: the start ends at a
    // line end.
    bytes.resize(kShownBytes);
    const std::size_t end = bytes.find_last_of("\r\n");
    if (end != std::string::npos) bytes.resize(end + 1);
  }
  const brisel::placements::FileShape shape = brisel::placements::readShape(bytes, "", "");

  brisel::Controls again = controls;
  for (const auto& line : shape.lines) {
    auto columns = ownSettings_.find(columnsKey(line));
    if (columns == ownSettings_.end()) continue;
    again.placementColumns = columns->second;
    auto unit = ownSettings_.find(unitKey(line));
    again.placementUnits = unit != ownSettings_.end() ? unit->second : std::string();
    brisel::Outcome remembered = operation(workspace_, again, progress);
    if (!remembered.askColumns) return remembered;
    break;  // the file changed since: the operator chooses again
  }

  ColumnChoice choice;
  choice.bytes = bytes;
  choice.controls = controls;
  choice.columns = again.placementColumns.empty() ? shape.columns : again.placementColumns;
  choice.units = !again.placementUnits.empty() ? again.placementUnits
                 : !shape.unit.empty()         ? shape.unit
                 : controls.RB_mils            ? "mil"
                                               : "mm";
  if (!dialogs_.chooseColumns(this, choice)) return {};
  again.placementColumns = choice.columns;
  again.placementUnits = choice.units;
  // The dialog's "Tieni anche i da non montare" is the row's, chosen there.
  again.keepDnp = choice.controls.keepDnp;
  CB_TieniDnp->setChecked(choice.controls.keepDnp);
  brisel::Outcome chosen = operation(workspace_, again, progress);
  // Files with the same header get the same columns next time.
  const int keyLine = choice.headerLine >= 0 ? choice.headerLine : 0;
  if (!chosen.askColumns && static_cast<std::size_t>(keyLine) < shape.lines.size()) {
    ownSettings_[columnsKey(shape.lines[static_cast<std::size_t>(keyLine)])] = choice.columns;
    ownSettings_[unitKey(shape.lines[static_cast<std::size_t>(keyLine)])] = choice.units;
  }
  return chosen;
}

void TForm1::BU_SalvaPosizioniClick(QObject*) {
  const PathParts proposed =
      splitPickerPath(placementSaveName(Edit10->text(), splitPickerPath(Edit4->text()).folder));
  OpenDialog shown = OpenDialog1;
  shown.InitialDir = proposed.folder;
  shown.FileName = proposed.name;
  shown.Filter = QStringLiteral("*.csv|*.csv");
  shown.FilterIndex = 1;
  shown.DefaultExt = QStringLiteral("csv");
  if (!dialogs_.saveFile(this, shown)) return;
  shown.FileName = withDefaultExtension(shown.FileName, shown.DefaultExt);
  OpenDialog1 = shown;

  brisel::Controls controls = snapshot();
  controls.placementOutput = PathBytes::encodePath(shown.FileName);
  // The placement file the table came from is never written over.
  std::error_code error;
  if (std::filesystem::equivalent(controls.placementOutput, controls.Edit10, error)) {
    dialogs_.message(
        this, tr("Errore"),
        tr("Il file delle posizioni non viene sovrascritto: scegliere un altro nome."));
    return;
  }
  run(BU_SalvaPosizioni, controls);
}
