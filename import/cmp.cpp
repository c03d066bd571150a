// CMP component file: ".REM value" lines, each followed by the "REF FOOTPRINT"
// lines of the components with that value. Read once, keeping for every
// reference of the table the first line that names it; the rows are then
// filled from that.
#include <string>

#include "core/table_shape.h"
#include "core/text.h"
#include "import/in_memory.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace {

constexpr std::string_view kValueMark = ".REM";

// As written into the table: spaces turned into "_".
struct Component {
  std::string value;
  std::string footprint;
};

using Index = importing::ReferenceIndex<Component>;

void indexLine(std::string_view line, Index& index, std::string& currentValue) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::size_t mark = line.find(kValueMark);
  if (mark != std::string_view::npos) {
    // The mark and the one character after it, normally a space.
    std::size_t start = std::min(line.size(), mark + kValueMark.size() + 1);
    currentValue = spacesToUnderscores(trim(line.substr(start)));
    return;
  }
  std::size_t space = line.find(' ');
  auto found = index.find(trim(line.substr(0, space)));
  if (found == index.end() || found->second) return;  // not in the table, or seen before
  std::string_view footprint =
      space == std::string_view::npos ? trim(line) : trim(line.substr(space + 1));
  found->second = Component{currentValue, spacesToUnderscores(footprint)};
}

void fillTable(Grid& table, const Index& index) {
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    const Component* component = importing::lookUp(index, trim(table.cell(col::Reference, row)));
    table.setCell(col::Value, row, component ? std::string_view(component->value) : "");
    table.setCell(col::Footprint, row, component ? std::string_view(component->footprint) : "");
  }
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  Outcome outcome;
  if (!reader.isOpen()) {
    outcome.unopened = controls.Edit3;
    return outcome;
  }
  Index index = importing::tableReferences<Component>(workspace.StringGrid1);
  std::string currentValue;  // none before the first value line
  importing::forEachLine(reader, controls.Edit3, controls.numbers(),
                         [&](std::string& line, long) { indexLine(line, index, currentValue); });
  fillTable(workspace.StringGrid1, index);
  return outcome;
}

}  // namespace

Outcome importCmp(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit3);
  return readLines(reader, workspace, controls);
}

Outcome importing::importCmpBytes(std::string_view bytes, Workspace& workspace,
                                  const Controls& controls, Progress& /*progress*/) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit3);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
