// Placement files of CAD tools: the shape the importer finds in a file, the
// rows it would write, and the import itself. The reading is in the
// placement_*.cpp files beside this one.
#include "import/placement_file.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "core/lines.h"
#include "core/platform.h"
#include "core/text.h"
#include "core/translatable.h"
#include "import/operations.h"
#include "import/placement_columns.h"
#include "import/placement_parts.h"
#include "import/placement_row.h"
#include "import/placement_text.h"

namespace brisel {

namespace placements {

namespace {

constexpr std::size_t kShownFirstLine = 60;

using Row = std::array<std::string, 8>;

std::string shownName(std::string_view name) {
  return latin1ToUtf8(escapeControls(toLatin1(name)));
}

Text noHeaderMessage(std::string_view name, const std::string& firstLine) {
  std::string shown = firstLine.substr(0, std::min(firstLine.size(), kShownFirstLine));
  return Text(BRISEL_TRANSLATE_NOOP("Message",
                                    "%1: nessuna intestazione con riferimento, X e Y nelle prime "
                                    "%2 righe (prima riga: '%3')"),
              {Text::data(shownName(name)), Text::number(kHeaderSearch),
               Text::data(escapeControls(shown))});
}

Text noComponent(std::string_view name) {
  return Text(BRISEL_TRANSLATE_NOOP("Message", "%1: nessun componente"),
              {Text::data(shownName(name))});
}

// "12 componenti importati", then what was passed over, each only when there
// is some.
Text importedMessage(long written, const Passed& passed) {
  Text said(written == 1 ? BRISEL_TRANSLATE_NOOP("Message", "%1 componente importato")
                         : BRISEL_TRANSLATE_NOOP("Message", "%1 componenti importati"),
            {Text::number(written)});
  if (passed.noReference > 0)
    said = said.then(
        Text(passed.noReference == 1
                 ? BRISEL_TRANSLATE_NOOP("Message", ", %1 riga senza riferimento saltata")
                 : BRISEL_TRANSLATE_NOOP("Message", ", %1 righe senza riferimento saltate"),
             {Text::number(passed.noReference)}));
  if (passed.notToPlace > 0)
    said =
        said.then(Text(passed.notToPlace == 1
                           ? BRISEL_TRANSLATE_NOOP("Message", ", %1 da non montare lasciato fuori")
                           : BRISEL_TRANSLATE_NOOP("Message", ", %1 da non montare lasciati fuori"),
                       {Text::number(passed.notToPlace)}));
  return said;
}

}  // namespace

FileShape readShape(std::string_view bytes, std::string_view columns, std::string_view unit) {
  Decoded decoded = decode(bytes);
  Given given = parseGiven(columns).value_or(Given{});
  return scan(decoded.text, given, unitOf(unit)).shape;
}

std::vector<std::array<std::string, 8>> previewRows(std::string_view bytes,
                                                    const Controls& controls, std::size_t limit) {
  std::vector<Row> rows;
  if (limit == 0) return rows;
  Decoded decoded = decode(bytes);
  Given given = parseGiven(controls.placementColumns).value_or(Given{});
  Unit givenUnit = unitOf(controls.placementUnits);
  Scan found = scan(decoded.text, given, givenUnit);
  if (!found.layout.complete()) return rows;
  try {
    eachRow(Lines(decoded.text), found.layout, givenUnit, controls, "",
            [&](const Cells& cells, long) {
              Row& row = rows.emplace_back();
              for (std::size_t c = 0; c < row.size(); ++c) row[c] = cells[c];
              return rows.size() < limit;
            });
  } catch (const Error&) {
    // the rows before the failing line are what the import would write
  }
  return rows;
}

bool validColumns(std::string_view columns) {
  return parseGiven(columns).has_value();
}

bool validUnit(std::string_view unit) {
  return unit == "mm" || unit == "mil" || unit == "in";
}

Outcome importPlacementBytes(std::string_view bytes, std::string_view name, Workspace& workspace,
                             const Controls& controls, Progress& /*progress*/, Split split,
                             std::size_t& parts) {
  parts = 0;
  Outcome outcome;
  Decoded decoded = decode(bytes);
  Given given = parseGiven(controls.placementColumns).value_or(Given{});
  Unit givenUnit = unitOf(controls.placementUnits);
  Scan found = scan(decoded.text, given, givenUnit);
  if (!found.anyLine) throw Error(noComponent(name));
  if (!found.layout.complete()) {
    outcome.askColumns = true;
    outcome.messages.push_back({"Errore", noHeaderMessage(name, found.firstLine)});
    return outcome;
  }
  const Reading reading{found.layout, givenUnit, controls, name, lineEndOf(decoded.text)};
  std::vector<Part> read = cutInParts(decoded.text, reading, split);
  parts = read.size();
  readParts(read, reading);
  Part& whole = read[0];
  auto keep = [&] {
    whole.table.setRowCount(static_cast<int>(whole.written) + 10);
    workspace.StringGrid1 = std::move(whole.table);
  };
  // The rows before the first failing line are kept.
  if (whole.failure) {
    try {
      std::rethrow_exception(whole.failure);
    } catch (const Error&) {
      keep();
      throw;
    }
  }
  if (whole.written == 0) throw Error(noComponent(name));
  keep();
  outcome.messages.push_back({"Messaggio", importedMessage(whole.written, whole.passed)});
  workspace.Button17Enabled = true;
  workspace.BU_FootPrintEnabled = true;
  return outcome;
}

Outcome importPlacementBytes(std::string_view bytes, std::string_view name, Workspace& workspace,
                             const Controls& controls, Progress& progress) {
  std::size_t parts = 0;
  return importPlacementBytes(bytes, name, workspace, controls, progress, Split::bySize, parts);
}

}  // namespace placements

Outcome importPlacements(Workspace& workspace, const Controls& controls, Progress& progress) {
  // One byte past the bound tells a file that is too long.
  std::optional<std::string> bytes = readUpTo(controls.Edit10, LineReader::kMaxBytes + 1);
  if (!bytes) {
    Outcome outcome;
    outcome.unopened = controls.Edit10;
    return outcome;
  }
  if (bytes->size() > LineReader::kMaxBytes)
    throw InputTooLong(Text(
        BRISEL_TRANSLATE_NOOP("Message", "File troppo lungo: '%1' supera %2; lettura interrotta"),
        {Text::data(platform::displayPath(controls.Edit10)),
         Text(BRISEL_TRANSLATE_NOOP("Message", "%1 byte"),
              {Text::number(static_cast<long long>(LineReader::kMaxBytes))})}));
  return placements::importPlacementBytes(*bytes, platform::displayPath(controls.Edit10.filename()),
                                          workspace, controls, progress);
}

}  // namespace brisel
