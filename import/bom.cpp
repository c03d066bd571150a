// BOM file: "REF VALUE ..." lines, headings and titles among them. Read once,
// keeping for every reference of the table the first line that names it; the
// rows are then filled from that.
#include <string>

#include "core/table_shape.h"
#include "core/text.h"
#include "import/in_memory.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace {

using Index = importing::ReferenceIndex<std::string>;

// The designator is what stands before the first space, trimmed; the value is
// the first word after it. A line that starts with a space names nothing.
void indexLine(std::string_view line, Index& index) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::string_view designator = trim(line.substr(0, line.find(' ')));
  auto found = index.find(designator);
  if (found == index.end() || found->second) return;  // not in the table, or seen before
  // Taken after the designator's own place: blanks such as a tab may precede it.
  std::size_t end = static_cast<std::size_t>(designator.data() - line.data()) + designator.size();
  std::string_view rest = trim(line.substr(end));
  found->second = std::string(trim(rest.substr(0, rest.find(' '))));
}

void fillTable(Grid& table, const Index& index) {
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    const std::string* value = importing::lookUp(index, trim(table.cell(col::Reference, row)));
    table.setCell(col::Value, row, value ? std::string_view(*value) : "");
  }
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  Outcome outcome;
  if (!reader.isOpen()) {
    outcome.unopened = controls.Edit6;
    return outcome;
  }
  Index index = importing::tableReferences<std::string>(workspace.StringGrid1);
  importing::forEachLine(reader, controls.Edit6, controls.numbers(),
                         [&](std::string& line, long) { indexLine(line, index); });
  fillTable(workspace.StringGrid1, index);
  return outcome;
}

}  // namespace

Outcome importBom(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit6);
  return readLines(reader, workspace, controls);
}

Outcome importing::importBomBytes(std::string_view bytes, Workspace& workspace,
                                  const Controls& controls, Progress& /*progress*/) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit6);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
