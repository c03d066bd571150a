// "Salva posizioni": the table as the placement CSV that KiCad writes and every
// CAD tool, spreadsheet and Brisel's own placement import read back. UTF-8
// (the cells are Latin-1), CR LF, texts quoted, numbers not, millimetres and
// degrees with a point whatever the locale.
#include <charconv>
#include <string>

#include "core/atomic_file.h"
#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "output/in_memory.h"
#include "output/operations.h"
#include "output/output_common.h"

namespace brisel {

namespace {

using namespace output;

constexpr std::string_view kHeader = "Ref,Val,Package,PosX,PosY,Rot,Side";
// A panel's rows say their board; a lone board's file stays as it always was.
constexpr std::string_view kBoardField = ",Board";

// Every text quoted, a quote inside doubled: a value such as `1uF, 10V` or a
// footprint with a quote in its name stays one field.
void appendText(std::string& line, std::string_view cell) {
  line += '"';
  for (char c : latin1ToUtf8(trim(cell))) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

// The shortest text that reads back as the same float, without an exponent:
// imported again, the cell gets the same text it has now.
void appendNumber(std::string& line, float number) {
  char text[64];  // the largest float takes 39 digits before the point
  auto* end = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed).ptr;
  line.append(text, end);
}

// An empty side stays an empty field, which reads back as the top; a side
// the table cannot tell is written as typed rather than lost.
std::string_view sideWord(const Grid& table, int row) {
  switch (sideOf(table, row)) {
    case Side::bottom:
      return "bottom";
    case Side::top:
      return trim(table.cell(col::Side, row)).empty() ? "" : "top";
    case Side::unknown:
      break;
  }
  return trim(table.cell(col::Side, row));
}

// A board number bare; a cell the table cannot tell, as typed rather than lost.
void appendBoard(std::string& line, const Grid& table, int row) {
  const int board = boardOf(table, row);
  if (board > 0)
    line += std::to_string(board);
  else if (board == kUnknownBoard)
    appendText(line, table.cell(col::Board, row));
}

void appendLine(std::string& out, const Grid& table, int row, const NumberFormat& numbers,
                bool panel) {
  appendText(out, table.cell(col::Reference, row));
  out += ',';
  appendText(out, table.cell(col::Value, row));
  out += ',';
  appendText(out, table.cell(col::Footprint, row));
  out += ',';
  appendNumber(out, cellFloat(table, col::X, row, numbers));
  out += ',';
  appendNumber(out, cellFloat(table, col::Y, row, numbers));
  out += ',';
  appendNumber(out, cellFloat(table, col::Angle, row, numbers));
  out += ',';
  std::string_view side = sideWord(table, row);
  if (!side.empty()) appendText(out, side);
  if (panel) {
    out += ',';
    appendBoard(out, table, row);
  }
  out += "\r\n";
}

}  // namespace

std::string output::placementBytes(const Grid& table, const Controls& controls) {
  const NumberFormat numbers = controls.numbers();
  const bool panel = isPanel(table);
  std::string bytes(kHeader);
  if (panel) bytes += kBoardField;
  bytes += "\r\n";
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    if (isComponentRow(table, row)) appendLine(bytes, table, row, numbers, panel);
  return bytes;
}

Outcome writePlacements(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  // Every row converts before the file is opened: a cell that is no number
  // leaves the old file as it was.
  std::string bytes = placementBytes(workspace.StringGrid1, controls);
  AtomicFile file(controls.placementOutput);
  if (!file.isOpen()) return cannotOpen(controls.placementOutput);
  file.write(bytes);
  file.commit();
  return succeeded();
}

}  // namespace brisel
