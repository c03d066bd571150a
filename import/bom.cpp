// BOM file: "REF VALUE ..." lines, headings and titles among them. Read once
// into an index of the first line of each designator; every row of the table
// is then looked up in it.
#include <string>
#include <unordered_map>

#include "app/text.h"
#include "import/importers.h"
#include "import/reading.h"

namespace brisel {

namespace {

using Index = std::unordered_map<std::string, std::string, importing::TextHash, std::equal_to<>>;

// The designator is what stands before the first space, trimmed; the value is
// the first word after it. A line that starts with a space names nothing.
void indexLine(std::string_view line, Index& index) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::string_view designator = trim(line.substr(0, line.find(' ')));
  if (designator.empty() || index.contains(designator)) return;
  // Taken after the designator's own place: blanks such as a tab may precede it.
  std::size_t end = static_cast<std::size_t>(designator.data() - line.data()) + designator.size();
  std::string_view rest = trim(line.substr(end));
  std::string_view value = trim(rest.substr(0, rest.find(' ')));
  index.emplace(std::string(designator), std::string(value));
}

void fillTable(Grid& table, const Index& index) {
  for (int row = 1; row < table.RowCount(); ++row) {
    std::string_view key = trim(table.cell(2, row));
    auto found = key.empty() ? index.end() : index.find(key);
    if (found == index.end())
      table.clearCell(3, row);
    else
      table.setCell(3, row, found->second);
  }
}

}  // namespace

Outcome importBom(Workspace& workspace, const Controls& controls, Progress&) {
  Outcome outcome;
  LineReader reader(controls.Edit6);
  if (!reader.isOpen()) {
    outcome.unopened = controls.Edit6;
    return outcome;
  }
  Index index;
  importing::forEachLine(reader, controls.Edit6,
                         [&](std::string& line, long) { indexLine(line, index); });
  fillTable(workspace.StringGrid1, index);
  return outcome;
}

}  // namespace brisel
