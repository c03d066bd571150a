// "Crea Output per ZIRKAN": one text line a component, six fields each ended
// by a space, then CR LF CR. Positions have two decimals and a point whatever
// the locale.
#include <charconv>
#include <string>

#include "core/atomic_file.h"
#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "output/in_memory.h"
#include "output/operations.h"
#include "output/output_common.h"

namespace brisel {

namespace {

using namespace output;

constexpr std::string_view kLineEnd = "\r\n\r";

void appendField(std::string& line, std::string_view text) {
  line += text;
  line += ' ';
}

// Fixed point with two decimals, as "%.2f" in the C locale prints it.
void appendPosition(std::string& line, float position) {
  char text[64];  // the largest float takes 39 digits before the point
  auto* end = std::to_chars(text, text + sizeof text, static_cast<double>(position),
                            std::chars_format::fixed, 2)
                  .ptr;
  appendField(line, std::string_view(text, static_cast<std::size_t>(end - text)));
}

void appendLine(std::string& out, const Grid& table, int row, const NumberFormat& numbers) {
  appendField(out, table.cell(col::Reference, row));
  appendField(out, table.cell(col::Footprint, row));
  appendField(out, valueOrNM(table.cell(col::Value, row)));
  appendPosition(out, cellFloat(table, col::X, row, numbers));
  appendPosition(out, cellFloat(table, col::Y, row, numbers));
  appendField(out, std::to_string(low16(cellInteger(table, col::Angle, row, numbers))));
  out += kLineEnd;
}

}  // namespace

std::string output::zirkanBytes(Grid& table, const Controls& controls) {
  const NumberFormat numbers = controls.numbers();
  std::string bytes;
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    if (takeComponentRow(table, row)) appendLine(bytes, table, row, numbers);
  return bytes;
}

Outcome writeZirkan(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  AtomicFile file(controls.Edit9);
  if (!file.isOpen()) return cannotOpen(controls.Edit9);
  file.write(zirkanBytes(workspace.StringGrid1, controls));
  file.commit();
  return succeeded();
}

}  // namespace brisel
