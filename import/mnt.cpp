// MNT placement file: "REF X Y ANGLE VALUE FOOTPRINT" a line, no header; line
// n fills row n. Every line must place a component: a blank one fails.
#include <string>

#include "core/table_shape.h"
#include "core/text.h"
#include "import/in_memory.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace {

// Fields are taken as the REP fields are, but leading spaces go before each.
std::string_view nextField(std::string_view& rest) {
  importing::skipSpaces(rest);
  return importing::takeField(rest);
}

void importLine(std::string_view line, long row, Workspace& workspace, const Controls& controls,
                std::string& text) {
  importing::checkRowNumber(row, row, importing::kLastRow);
  text.assign(line);  // the line feed stays until the footprint is trimmed
  swapDecimalSeparators(text, controls.CB_Format);
  std::string_view rest(text);
  importing::skipSpaces(rest);
  std::size_t space = rest.find(' ');
  std::string_view reference = space == std::string_view::npos ? "" : rest.substr(0, space);
  if (space != std::string_view::npos) rest.remove_prefix(space);
  float x = importing::coordinate(nextField(rest), controls);
  float y = importing::coordinate(nextField(rest), controls);
  std::uint16_t angle = low16(textToReal(nextField(rest), controls.numbers()));
  std::string_view value = nextField(rest);
  std::string_view footprint = trim(rest);
  Grid& table = workspace.StringGrid1;
  importing::writePlacement(table, {row, reference, value, x, y, angle}, controls.decimalSeparator);
  table.setCell(col::Footprint, static_cast<int>(row), footprint);
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  Outcome outcome;
  if (reader.isOpen()) {
    std::string text;
    importing::forEachLine(reader, controls.Edit5, controls.numbers(),
                           [&](std::string& line, long number) {
                             importLine(line, number, workspace, controls, text);
                           });
  } else {
    outcome.unopened = controls.Edit5;
  }
  workspace.Button17Enabled = true;
  workspace.BU_FootPrintEnabled = true;
  return outcome;
}

}  // namespace

Outcome importMnt(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit5);
  return readLines(reader, workspace, controls);
}

Outcome importing::importMntBytes(std::string_view bytes, Workspace& workspace,
                                  const Controls& controls, Progress& /*progress*/) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit5);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
