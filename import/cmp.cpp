// CMP component file: ".REM value" lines, each followed by the "REF FOOTPRINT"
// lines of the components with that value. Read once into an index of the
// first line of each reference; every row of the table is then looked up in it.
#include <string>
#include <unordered_map>
#include <vector>

#include "app/text.h"
#include "import/importers.h"
#include "import/reading.h"

namespace brisel {

namespace {

constexpr std::string_view kValueMark = ".REM";

struct Component {
  std::size_t value;  // into Index::values
  std::string footprint;
};

// Values and footprints are kept as written into the table: spaces as "_".
struct Index {
  std::vector<std::string> values{""};  // a component before any value line has none
  std::unordered_map<std::string, Component, importing::TextHash, std::equal_to<>> components;
};

void indexLine(std::string_view line, Index& index) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::size_t mark = line.find(kValueMark);
  if (mark != std::string_view::npos) {
    // The mark and the one character after it, normally a space.
    std::size_t start = std::min(line.size(), mark + kValueMark.size() + 1);
    index.values.push_back(spacesToUnderscores(trim(line.substr(start))));
    return;
  }
  std::size_t space = line.find(' ');
  std::string_view reference = trim(line.substr(0, space));
  if (reference.empty() || index.components.contains(reference)) return;
  std::string_view footprint =
      space == std::string_view::npos ? trim(line) : trim(line.substr(space + 1));
  index.components.emplace(std::string(reference),
                           Component{index.values.size() - 1, spacesToUnderscores(footprint)});
}

void fillTable(Grid& table, const Index& index) {
  for (int row = 1; row < table.RowCount(); ++row) {
    std::string_view key = trim(table.cell(2, row));
    auto found = key.empty() ? index.components.end() : index.components.find(key);
    if (found == index.components.end()) {
      table.clearCell(3, row);
      table.clearCell(8, row);
    } else {
      table.setCell(3, row, index.values[found->second.value]);
      table.setCell(8, row, found->second.footprint);
    }
  }
}

}  // namespace

Outcome importCmp(Workspace& workspace, const Controls& controls, Progress&) {
  Outcome outcome;
  LineReader reader(controls.Edit3);
  if (!reader.isOpen()) {
    outcome.unopened = controls.Edit3;
    return outcome;
  }
  Index index;
  importing::forEachLine(reader, controls.Edit3,
                         [&](std::string& line, long) { indexLine(line, index); });
  fillTable(workspace.StringGrid1, index);
  return outcome;
}

}  // namespace brisel
