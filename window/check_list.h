#pragma once
// The list of the "Controllo" tab: the findings of "Controlla" with their
// severity, the reports of the last rule runs (Button17, BU_ApplicaRegole) and
// the differences of "Verifica QPF", one line each with its row, reference,
// code and text. Each result starts with a heading
// line that names what it was computed from and counts its lines, so that an
// empty result says so. Double-clicking a line that points at a row of the
// table tells it through rowChosen.

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>
#include <array>
#include <vector>

#include "core/workspace.h"

class CheckListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Line {
    int row;          // the table row it points at; 0 for none
    QString rowText;  // what the row column shows
    QString reference;
    QString code;
    QString text;
    bool information = false;  // tells of the board, no fault: shown greyed
    bool heading = false;      // names a result and counts its lines: shown bold
    QString severity{};        // a finding's: errore, avviso, informazione
    QString tip{};             // what its code means, in the window's language
  };

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Shows the workspace's findings (with `checked`, once "Controlla" has
  // run: else there are none to speak of), rule reports and compare. The
  // workspace must outlive the list, which is shown again after each change.
  void show(const brisel::Workspace& workspace, bool checked);
  // A line, made when asked for: of a full table's thousands of findings the
  // view asks only for those it shows.
  Line line(int row) const;
  std::vector<Line> lines() const;

 private:
  // A part of the list: its heading (1 while its result is there) and lines.
  struct Part {
    std::size_t heading = 0;
    std::size_t lines = 0;
  };
  const brisel::Workspace* workspace_ = nullptr;
  // The findings; the rows RAK removed, the rules it did not use; the
  // package rules used, those not used, the parts none matched; the
  // differences of the compare.
  static constexpr std::size_t kParts = 7;
  std::array<Part, kParts> parts_{};
  std::array<QString, kParts> headings_;
  std::size_t rows_ = 0;
};

class CheckList : public QTableView {
  Q_OBJECT

 public:
  explicit CheckList(QWidget* parent = nullptr);
  CheckListModel* listModel() const { return model_; }
  void show(const brisel::Workspace& workspace, bool checked) { model_->show(workspace, checked); }

 signals:
  void rowChosen(int row);

 private:
  CheckListModel* model_;
};

// The one-line summary of the rule run the table stands after, named by its
// RAK file; empty when there is none.
QString rakSummary(const brisel::RakReport& report);
// The same of the package rules run, named by its rules file: how many rows
// a rule corrected, how many rules no row used, how many parts no rule
// matched; empty when there is none.
QString rulesSummary(const brisel::RulesReport& report);
// The heading of the table check's findings: how many, of which kind.
QString checkSummary(const std::vector<brisel::Finding>& findings);
// The heading of a QPF compare, named by the file it read; empty when none ran.
QString compareSummary(const brisel::QpfCompare& compare);
