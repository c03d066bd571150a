// REP coordinate file: two header lines, then "REF PART X Y ANGLE ..." a line.
// Line n fills row n - 2, so a skipped line leaves its row as it was.
#include <string>

#include "core/text.h"
#include "import/in_memory.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace {

constexpr long kHeaderLines = 2;

// The trimmed line with every run of spaces cut to one; tabs stay in fields.
void normalize(std::string_view line, std::string& out) {
  out.clear();
  for (char c : trim(line))
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
}

void importLine(std::string_view line, long row, long number, Workspace& workspace,
                const Controls& controls, std::string& text) {
  normalize(line, text);
  swapDecimalSeparators(text, controls.CB_Format);
  std::string_view rest(text);
  std::string_view reference = importing::takeField(rest);
  if (reference.empty()) return;  // blank, or a single word such as a trailer
  importing::checkRowNumber(row, number, importing::kLastRow);
  importing::takeField(rest);  // the part, which the CMP and BOM files give
  float x = importing::coordinate(importing::takeField(rest), controls);
  float y = importing::coordinate(importing::takeField(rest), controls);
  importing::writePlacement(workspace.StringGrid1,
                            {row, reference, "???", x, y, importing::leadingAngle(rest)},
                            controls.decimalSeparator);
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  Outcome outcome;
  if (reader.isOpen()) {
    std::string text;
    importing::forEachLine(
        reader, controls.Edit2, controls.numbers(), [&](std::string& line, long number) {
          if (number > kHeaderLines)
            importLine(line, number - kHeaderLines, number, workspace, controls, text);
        });
  } else {
    outcome.unopened = controls.Edit2;
  }
  workspace.Button17Enabled = true;
  workspace.BU_FootPrintEnabled = true;
  return outcome;
}

}  // namespace

Outcome importRep(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit2);
  return readLines(reader, workspace, controls);
}

Outcome importing::importRepBytes(std::string_view bytes, Workspace& workspace,
                                  const Controls& controls, Progress& /*progress*/) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit2);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
