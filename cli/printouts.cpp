#include "cli/printouts.h"

#include <ostream>

#include "app/buttons.h"
#include "core/text.h"

namespace brisel::cli {

namespace {

void printGrid(const Cells& grid, std::ostream& out) {
  out << "rows " << grid.RowCount() << " cols " << grid.ColCount() << '\n';
  for (int r = 0; r < grid.RowCount(); ++r) {
    out << r;
    for (int c = 0; c < grid.ColCount(); ++c) out << '\t' << escapeControls(grid.cell(c, r));
    out << '\n';
  }
}

void printMemo(const Workspace& w, std::ostream& out) {
  out << "lines " << w.Memo1.size() << '\n';
  for (const std::string& line : w.Memo1) out << escapeControls(line) << '\n';
}

void printButtons(const Workspace& w, std::ostream& out) {
  for (const Button& button : kButtons)
    if (button.enabled)
      out << button.name << ' ' << (w.*button.enabled ? "enabled" : "disabled") << '\n';
}

void printRakReport(const Workspace& w, std::ostream& out) {
  const RakReport& rak = w.rakReport;
  for (const RakRemoved& removed : rak.removed)
    out << "removed\t" << removed.row << '\t' << escapeControls(removed.reference) << '\t'
        << escapeControls(removed.value) << '\n';
  for (const RakUnused& unused : rak.unused)
    out << "unused\t" << unused.line << '\t' << escapeControls(unused.value) << '\n';
  out << rak.removed.size() << " removed, " << rak.unused.size() << " unused\n";
}

void printRulesReport(const Workspace& w, std::ostream& out) {
  const RulesReport& rules = w.rulesReport;
  for (const RuleCount& rule : rules.used)
    out << "rule\t" << rule.line << '\t' << escapeControls(rule.pattern) << '\t' << rule.rows
        << '\n';
  for (const RuleCount& rule : rules.unused)
    out << "unused\t" << rule.line << '\t' << escapeControls(rule.pattern) << '\n';
  for (const RuleMiss& miss : rules.unmatched)
    out << "unmatched\t" << miss.row << '\t' << escapeControls(miss.reference) << '\t'
        << escapeControls(miss.field) << '\n';
  out << rules.corrected << " corrette, " << rules.unused.size() << " regole non usate, "
      << rules.unmatched.size() << " senza regola\n";
}

const Printout kPrintouts[] = {
    {"table", "print the component table (= print=table)",
     [](const Workspace& w, std::ostream& out) { printGrid(w.StringGrid1, out); }},
    {"bytes", "print the byte dump of a viewed QPF file",
     [](const Workspace& w, std::ostream& out) { printGrid(w.StringGrid2, out); }},
    {"rules", "print the loaded rotation rules",
     [](const Workspace& w, std::ostream& out) { printGrid(w.StringGrid3, out); }},
    {"memo", "print the byte list of a viewed QPF file", printMemo},
    {"buttons", "print the state of the buttons that can be disabled", printButtons},
    {"rak-report", "print the rows removed and the rules unused by the last rule run",
     printRakReport},
    {"rules-report",
     "print how many rows each package rule matched, the rules unused and the parts no rule "
     "matched",
     printRulesReport},
};

}  // namespace

std::span<const Printout> printouts() {
  return kPrintouts;
}

const Printout* findPrintout(std::string_view what) {
  for (const Printout& printout : kPrintouts)
    if (printout.what == what) return &printout;
  return nullptr;
}

}  // namespace brisel::cli
