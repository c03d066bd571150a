#include "window/check_list.h"

#include "app/buttons.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>

#include "core/text.h"
#include "table/check.h"
#include "window/grid_view.h"
#include "window/language.h"

namespace {

QString utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int CheckListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_);
}

int CheckListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 5;
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::ForegroundRole && role != Qt::FontRole &&
      role != Qt::ToolTipRole)
    return {};
  const Line line = this->line(index.row());
  if (role == Qt::ToolTipRole)
    return (index.column() == 2 || index.column() == 3) && !line.tip.isEmpty() ? QVariant(line.tip)
                                                                               : QVariant();
  if (role == Qt::ForegroundRole)
    return line.information ? QVariant(QColor(Qt::darkGray)) : QVariant();
  if (role == Qt::FontRole) {
    if (!line.heading) return {};
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  switch (index.column()) {
    case 0:
      return line.rowText;
    case 1:
      return line.reference;
    case 2:
      return line.code;
    case 3:
      return line.severity;
    default:
      return line.text;
  }
}

QVariant CheckListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const titles[] = {QT_TR_NOOP("Riga"), QT_TR_NOOP("Riferimento"),
                                       QT_TR_NOOP("Codice"), QT_TR_NOOP("Gravità"),
                                       QT_TR_NOOP("Testo")};
  return section >= 0 && section < 5 ? tr(titles[section]) : QVariant();
}

namespace {

using Line = CheckListModel::Line;

QString translated(const char* text) {
  return QCoreApplication::translate("CheckList", text);
}

// "1 riga rimossa", "2 righe rimosse": the count with the noun it agrees with.
QString counted(std::size_t count, const char* one, const char* many) {
  return count == 1 ? translated(one) : translated(many).arg(count);
}

Line heading(const char* code, const QString& text) {
  Line line{0, QString(), QString(), QString::fromLatin1(code), text};
  line.heading = true;
  return line;
}

Line findingLine(const brisel::Finding& f) {
  const brisel::CheckCode& code = brisel::checkCodeOf(f.code);
  Line line{f.row,
            QString::number(f.row),
            shownText(f.reference),
            latin1(code.name),
            language::said(f.text),
            code.severity == brisel::Severity::information};
  line.severity = language::coreText("Message", brisel::severityName(code.severity));
  line.tip = language::coreText("CheckCode", code.tip);
  return line;
}

// The rows RAK removed are gone from the table: their numbers point nowhere.
Line removedLine(const brisel::RakRemoved& r) {
  const brisel::Button& button = *brisel::findButton("Button17");
  const QString run = language::coreText("Button", button.caption);
  return {0, QString::number(r.row), shownText(r.reference), QStringLiteral("rak-removed"),
          translated(QT_TRANSLATE_NOOP("CheckList",
                                       "riga rimossa da \"%1\": nessuna regola per il valore '%2'"))
              .arg(run, shownText(r.value))};
}

Line unusedLine(const brisel::RakUnused& u) {
  return {0, QString(), QString(), QStringLiteral("rak-unused"),
          translated(QT_TRANSLATE_NOOP("CheckList",
                                       "regola alla riga %1 del file RAK: nessuna riga "
                                       "ha il valore '%2'"))
              .arg(u.line)
              .arg(shownText(u.value))};
}

Line differenceLine(const brisel::QpfDifference& d) {
  return {d.row, d.row > 0 ? QString::number(d.row) : QString(), QString(),
          QStringLiteral("qpf-") + utf8(d.field).replace(QLatin1Char(' '), QLatin1Char('-')),
          translated(QT_TRANSLATE_NOOP("CheckList", "record %1, %2: file %3, tabella %4"))
              .arg(d.record)
              .arg(utf8(d.field), language::said(d.file), language::said(d.table))};
}

// The package rules run's lines: each rule with the rows it matched and each
// unused rule, greyed as what they tell is no fault; then each part no rule
// matched, which may sit turned as the library drew it.
Line ruleLine(const brisel::RuleCount& r) {
  return {
      0,
      QString(),
      QString(),
      QStringLiteral("rules-rule"),
      translated(QT_TRANSLATE_NOOP("CheckList", "regola alla riga %1 del file regole, '%2': %3"))
          .arg(r.line)
          .arg(shownText(r.pattern),
               counted(static_cast<std::size_t>(r.rows), QT_TRANSLATE_NOOP("CheckList", "1 riga"),
                       QT_TRANSLATE_NOOP("CheckList", "%1 righe"))),
      true};
}

Line unusedRuleLine(const brisel::RuleCount& r) {
  return {0,
          QString(),
          QString(),
          QStringLiteral("rules-unused"),
          translated(QT_TRANSLATE_NOOP("CheckList",
                                       "regola alla riga %1 del file regole, '%2': nessuna riga "
                                       "corrisponde"))
              .arg(r.line)
              .arg(shownText(r.pattern)),
          true};
}

Line unmatchedLine(const brisel::RuleMiss& m) {
  return {m.row, QString::number(m.row), shownText(m.reference), QStringLiteral("rules-unmatched"),
          translated(QT_TRANSLATE_NOOP("CheckList", "nessuna regola per '%1': lasciato com'era"))
              .arg(shownText(m.field))};
}

// The item of `items` at `at`, made into a line; none where the workspace no
// longer holds it (an operation running, which shows the list again at its end).
template <typename Item>
Line lineOf(const std::vector<Item>& items, std::size_t at, Line (*make)(const Item&)) {
  return at < items.size() ? make(items[at]) : Line{};
}

}  // namespace

void CheckListModel::show(const brisel::Workspace& workspace, bool checked) {
  beginResetModel();
  workspace_ = &workspace;
  const brisel::RakReport& rak = workspace.rakReport;
  const brisel::RulesReport& rules = workspace.rulesReport;
  const brisel::QpfCompare& qpf = workspace.qpfCompare;
  // Each part: its heading, when the result is there, then its lines.
  parts_ = {{
      {checked ? 1u : 0u, checked ? workspace.findings.size() : 0},
      {rak.ran ? 1u : 0u, rak.ran ? rak.removed.size() : 0},
      {0, rak.ran ? rak.unused.size() : 0},
      {rules.ran ? 1u : 0u, rules.ran ? rules.used.size() : 0},
      {0, rules.ran ? rules.unused.size() : 0},
      {0, rules.ran ? rules.unmatched.size() : 0},
      {qpf.ran ? 1u : 0u, qpf.ran ? qpf.differences.size() : 0},
  }};
  headings_ = {checked ? checkSummary(workspace.findings) : QString(),
               rakSummary(rak),
               QString(),
               rulesSummary(rules),
               QString(),
               QString(),
               compareSummary(qpf)};
  rows_ = 0;
  for (const Part& part : parts_) rows_ += part.heading + part.lines;
  endResetModel();
}

CheckListModel::Line CheckListModel::line(int row) const {
  static const char* const codes[] = {"check", "rak", "", "rules", "", "", "qpf"};
  std::size_t at = static_cast<std::size_t>(row);
  for (std::size_t part = 0; part < parts_.size(); ++part) {
    if (at < parts_[part].heading) return heading(codes[part], headings_[part]);
    at -= parts_[part].heading;
    if (at >= parts_[part].lines) {
      at -= parts_[part].lines;
      continue;
    }
    switch (part) {
      case 0:
        return lineOf(workspace_->findings, at, findingLine);
      case 1:
        return lineOf(workspace_->rakReport.removed, at, removedLine);
      case 2:
        return lineOf(workspace_->rakReport.unused, at, unusedLine);
      case 3:
        return lineOf(workspace_->rulesReport.used, at, ruleLine);
      case 4:
        return lineOf(workspace_->rulesReport.unused, at, unusedRuleLine);
      case 5:
        return lineOf(workspace_->rulesReport.unmatched, at, unmatchedLine);
      default:
        return lineOf(workspace_->qpfCompare.differences, at, differenceLine);
    }
  }
  return {};
}

std::vector<CheckListModel::Line> CheckListModel::lines() const {
  std::vector<Line> all;
  for (int row = 0; row < rowCount(); ++row) all.push_back(line(row));
  return all;
}

CheckList::CheckList(QWidget* parent) : QTableView(parent), model_(new CheckListModel(this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A list of lines, not a sheet: Tab leaves it, Ctrl+Tab changes the tab.
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setStretchLastSection(true);
  setColumnWidth(0, 60);
  setColumnWidth(1, 100);
  setColumnWidth(2, 140);
  setColumnWidth(3, 80);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!index.isValid()) return;
    int row = model_->lines()[static_cast<std::size_t>(index.row())].row;
    if (row > 0) emit rowChosen(row);
  });
}

QString rakSummary(const brisel::RakReport& report) {
  if (!report.ran) return {};
  // Named by its rules' file: the line goes with the run when that is undone.
  return translated(QT_TRANSLATE_NOOP("CheckList", "RAK %1: %2, %3"))
      .arg(utf8(report.rules),
           counted(report.removed.size(), QT_TRANSLATE_NOOP("CheckList", "1 riga rimossa"),
                   QT_TRANSLATE_NOOP("CheckList", "%1 righe rimosse")),
           counted(report.unused.size(), QT_TRANSLATE_NOOP("CheckList", "1 regola non usata"),
                   QT_TRANSLATE_NOOP("CheckList", "%1 regole non usate")));
}

QString rulesSummary(const brisel::RulesReport& report) {
  if (!report.ran) return {};
  // Named by its rules file: the line goes with the run when that is undone.
  return translated(QT_TRANSLATE_NOOP("CheckList", "Regole %1: %2, %3, %4"))
      .arg(utf8(report.rules),
           counted(static_cast<std::size_t>(report.corrected),
                   QT_TRANSLATE_NOOP("CheckList", "1 corretta"),
                   QT_TRANSLATE_NOOP("CheckList", "%1 corrette")),
           counted(report.unused.size(), QT_TRANSLATE_NOOP("CheckList", "1 regola non usata"),
                   QT_TRANSLATE_NOOP("CheckList", "%1 regole non usate")),
           counted(report.unmatched.size(), QT_TRANSLATE_NOOP("CheckList", "1 senza regola"),
                   QT_TRANSLATE_NOOP("CheckList", "%1 senza regola")));
}

QString checkSummary(const std::vector<brisel::Finding>& findings) {
  std::size_t information = 0;
  for (const brisel::Finding& f : findings) information += brisel::isInformation(f.code) ? 1 : 0;
  const std::size_t faults = findings.size() - information;
  const QString faultCount = counted(faults, QT_TRANSLATE_NOOP("CheckList", "1 problema"),
                                     QT_TRANSLATE_NOOP("CheckList", "%1 problemi"));
  const QString informationCount =
      counted(information, QT_TRANSLATE_NOOP("CheckList", "1 informazione"),
              QT_TRANSLATE_NOOP("CheckList", "%1 informazioni"));
  if (faults == 0 && information == 0)
    return translated(
        QT_TRANSLATE_NOOP("CheckList", "Controllo della tabella: nessun problema trovato"));
  if (faults == 0)
    return translated(QT_TRANSLATE_NOOP("CheckList",
                                        "Controllo della tabella: nessun problema trovato; %1"))
        .arg(informationCount);
  if (information == 0)
    return translated(QT_TRANSLATE_NOOP("CheckList", "Controllo della tabella: %1"))
        .arg(faultCount);
  return translated(QT_TRANSLATE_NOOP("CheckList", "Controllo della tabella: %1; %2"))
      .arg(faultCount, informationCount);
}

QString compareSummary(const brisel::QpfCompare& compare) {
  if (!compare.ran) return {};
  const QString file = utf8(compare.file);
  if (compare.differences.empty())
    return translated(
               QT_TRANSLATE_NOOP("CheckList", "Verifica QPF %1: il file corrisponde alla tabella"))
        .arg(file);
  return translated(QT_TRANSLATE_NOOP("CheckList", "Verifica QPF %1: %2"))
      .arg(file, counted(compare.differences.size(), QT_TRANSLATE_NOOP("CheckList", "1 differenza"),
                         QT_TRANSLATE_NOOP("CheckList", "%1 differenze")));
}
