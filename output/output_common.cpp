#include "output/output_common.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "core/component_row.h"
#include "core/platform.h"
#include "core/text.h"
#include "core/translatable.h"

namespace brisel::output {

bool takeComponentRow(Grid& table, int row) {
  if (!hasComponentNumber(table, row)) return false;
  for (int column = 0; column < table.ColCount(); ++column) {
    std::string_view text = table.cell(column, row);
    std::string_view trimmed = trim(text);
    // Most cells are clean already: rewrite only those that change.
    if (trimmed.size() != text.size()) table.setCell(column, row, trimmed);
  }
  return isComponentRow(table, row);
}

std::uint16_t low16Of(std::string_view text, const NumberFormat& format) {
  return low16(textToInteger(text, format));
}

Outcome succeeded() {
  Outcome outcome;
  outcome.messages.push_back(kSuccessMessage);
  return outcome;
}

Outcome cannotOpen(const std::filesystem::path& path) {
  Outcome outcome;
  outcome.messages.push_back(kOpenErrorMessage);
  outcome.unopened = path;
  return outcome;
}

Message tooLongMessage(Text what) {
  return {"Messaggio",
          Text(BRISEL_TRANSLATE_NOOP("Message", "File troppo lungo: mostrati solo i primi %1"),
               {std::move(what)})};
}

}  // namespace brisel::output
