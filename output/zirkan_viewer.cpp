// "Apre ZIRKAN generato": every line whose first word is not empty fills the
// next row of the component table, its words taken as text.
#include <array>
#include <string>
#include <string_view>

#include "core/component_row.h"
#include "core/lines.h"
#include "core/table_shape.h"
#include "core/translatable.h"
#include "output/in_memory.h"
#include "output/operations.h"
#include "output/output_common.h"

namespace brisel {

namespace {

using namespace output;

// Six words: five each taken up to the next space, which goes with it (empty,
// taking nothing, when no space is left), and the rest of the line as it is.
std::array<std::string_view, 6> splitWords(std::string_view line) {
  std::array<std::string_view, 6> words;
  for (std::size_t i = 0; i < 5; ++i) {
    std::size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    words[i] = line.substr(0, space);
    line.remove_prefix(space + 1);
  }
  words[5] = line;
  return words;
}

void fillRow(Grid& table, int row, const std::array<std::string_view, 6>& words) {
  table.growFor(row);
  table.setCell(col::Number, row, std::to_string(row));
  table.setCell(col::Reference, row, words[0]);
  table.setCell(col::Value, row, words[2]);
  table.setCell(col::X, row, words[3]);
  table.setCell(col::Y, row, words[4]);
  table.setCell(col::Angle, row, words[5]);
  table.setCell(col::Footprint, row, words[1]);
  clearBoardCells(table, row);
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  if (!reader.isOpen()) return cannotOpen(controls.Edit9);
  workspace.Memo1.clear();

  Outcome outcome;
  int row = kFirstDataRow;
  std::string line;
  while (reader.next(line)) {
    std::array<std::string_view, 6> words = splitWords(line);
    if (words[0].empty()) continue;
    if (row > kMaxComponents) {
      outcome.messages.push_back(tooLongMessage(
          Text(BRISEL_TRANSLATE_NOOP("Message", "%1 componenti"), {Text::number(kMaxComponents)})));
      break;
    }
    fillRow(workspace.StringGrid1, row++, words);
  }
  if (reader.failed()) throw ReadError(controls.Edit9);

  outcome.messages.push_back(kSuccessMessage);
  workspace.Button17Enabled = true;
  return outcome;
}

}  // namespace

Outcome viewZirkan(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit9);
  return readLines(reader, workspace, controls);
}

Outcome output::viewZirkanBytes(std::string_view bytes, Workspace& workspace,
                                const Controls& controls) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit9);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
