#include "import/reading.h"

#include <algorithm>

#include "core/component_row.h"
#include "core/platform.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"

namespace brisel::importing {

std::string_view takeField(std::string_view& rest) {
  std::size_t space = rest.find(' ');
  if (space == std::string_view::npos) return {};
  std::string_view field = rest.substr(0, space);
  rest.remove_prefix(space + 1);
  return field;
}

void skipSpaces(std::string_view& rest) {
  std::size_t first = rest.find_first_not_of(' ');
  rest.remove_prefix(first == std::string_view::npos ? rest.size() : first);
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t count) {
  if (first >= line.size()) return {};
  return line.substr(first, count);
}

float coordinate(std::string_view text, const Controls& controls) {
  float held = textToFloat(text, controls.numbers());
  if (controls.RB_mils) held = static_cast<float>(static_cast<double>(held) * 0.0254);
  return held;
}

std::uint16_t leadingAngle(std::string_view text) {
  return low16(readLeadingNumber(text));
}

void writePlacement(Grid& table, const Placement& placement, char decimalSeparator) {
  int row = static_cast<int>(placement.row);
  table.growFor(row);
  table.setCell(col::Number, row, std::to_string(row));
  table.setCell(col::Reference, row, placement.reference);
  table.setCell(col::Value, row, placement.value);
  table.setCell(col::X, row, formatReal(placement.x, decimalSeparator));
  table.setCell(col::Y, row, formatReal(placement.y, decimalSeparator));
  table.setCell(col::Angle, row, std::to_string(placement.angle));
  clearBoardCells(table, row);
}

void checkRowNumber(long row, long line, long maxComponents) {
  if (row <= kLastRow) return;
  throw Error(
      Text(BRISEL_TRANSLATE_NOOP("Message",
                                 "Riga %1: il file ha pi\xC3\xB9 di %2 componenti, quanti "
                                 "la tabella ne pu\xC3\xB2 numerare; importazione interrotta"),
           {Text::number(line), Text::number(maxComponents)}));
}

std::string_view originalText(std::string_view line, std::string_view converted) {
  auto alike = [](char a, char b) {
    return a == b || ((a == '.' || a == ',') && (b == '.' || b == ','));
  };
  if (converted.empty()) return converted;
  for (std::size_t at = 0; at + converted.size() <= line.size(); ++at)
    if (std::equal(converted.begin(), converted.end(), line.begin() + static_cast<long>(at), alike))
      return line.substr(at, converted.size());
  return converted;
}

void forEachLine(LineReader& reader, const std::filesystem::path& path, const NumberFormat& format,
                 const std::function<void(std::string& line, long number)>& visit) {
  const std::string name = platform::displayPath(path.filename());
  std::string line;
  while (reader.next(line)) {
    try {
      visit(line, reader.lineNumber());
    } catch (const ConversionError& error) {
      throw error.withSeparatorHint(format).inFile(name, reader.lineNumber(),
                                                   originalText(line, error.text()));
    }
  }
  if (reader.failed())
    throw Error(
        Text(BRISEL_TRANSLATE_NOOP("Message", "Errore di lettura del file %1 dopo la riga %2"),
             {Text::data(platform::displayPath(path)), Text::number(reader.lineNumber())}));
}

}  // namespace brisel::importing
