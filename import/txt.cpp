// TXT component list in fixed columns, no header: the k-th component fills
// row k + 1, so row 1 keeps what it held and blank lines leave no gap.
#include <string>

#include "core/table_shape.h"
#include "core/text.h"
#include "import/in_memory.h"
#include "import/operations.h"
#include "import/reading.h"

namespace brisel {

namespace {

// The first component goes to row 2.
constexpr long kFirstTxtRow = kFirstDataRow + 1;
// Row 1 is never written, so one component fewer than rows fits.
constexpr long kMaxTxtComponents = importing::kLastRow - kFirstTxtRow + 1;

// Positions from 0 on the trimmed line.
constexpr std::size_t kReference = 0, kReferenceWidth = 10;
constexpr std::size_t kValue = 10, kValueWidth = 17;
constexpr std::size_t kX = 59, kXWidth = 13;
constexpr std::size_t kY = 72, kYWidth = 12;
constexpr std::size_t kAngle = 84, kAngleWidth = 10;

// The coordinate columns may carry a unit letter: the first "m" goes.
float txtCoordinate(std::string_view field, const Controls& controls, std::string& scratch) {
  scratch.assign(field);
  std::size_t unit = scratch.find('m');
  if (unit != std::string::npos) scratch.erase(unit, 1);
  try {
    return importing::coordinate(scratch, controls);
  } catch (const ConversionError&) {
    // Said of the column as the line holds it, unit letter and all.
    if (unit == std::string::npos) throw;
    throw ConversionError(field);
  }
}

struct Scratch {
  std::string text;
  std::string number;
};

void importLine(std::string_view line, long& row, long number, Workspace& workspace,
                const Controls& controls, Scratch& scratch) {
  scratch.text.assign(trim(line));
  swapDecimalSeparators(scratch.text, controls.CB_Format);
  std::string_view text(scratch.text);
  std::string_view reference = importing::columns(text, kReference, kReferenceWidth);
  if (reference.empty()) return;
  importing::checkRowNumber(row + 1, number, kMaxTxtComponents);
  float x = txtCoordinate(importing::columns(text, kX, kXWidth), controls, scratch.number);
  float y = txtCoordinate(importing::columns(text, kY, kYWidth), controls, scratch.number);
  std::uint16_t angle = importing::leadingAngle(importing::columns(text, kAngle, kAngleWidth));
  ++row;
  importing::writePlacement(
      workspace.StringGrid1,
      {row, reference, importing::columns(text, kValue, kValueWidth), x, y, angle},
      controls.decimalSeparator);
}

Outcome readLines(LineReader& reader, Workspace& workspace, const Controls& controls) {
  Outcome outcome;
  if (reader.isOpen()) {
    long row = kFirstTxtRow - 1;
    Scratch scratch;
    importing::forEachLine(reader, controls.Edit8, controls.numbers(),
                           [&](std::string& line, long number) {
                             importLine(line, row, number, workspace, controls, scratch);
                           });
  } else {
    outcome.unopened = controls.Edit8;
  }
  workspace.Button17Enabled = true;
  return outcome;
}

}  // namespace

Outcome importTxt(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  LineReader reader(controls.Edit8);
  return readLines(reader, workspace, controls);
}

Outcome importing::importTxtBytes(std::string_view bytes, Workspace& workspace,
                                  const Controls& controls, Progress& /*progress*/) {
  LineReader reader = LineReader::ofBytes(bytes, controls.Edit8);
  return readLines(reader, workspace, controls);
}

}  // namespace brisel
