#include "table/board_parts.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/error.h"
#include "core/said.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"

namespace brisel {

Part readPart(const Grid& table, int row, const NumberFormat& format) {
  Part part{row,
            cellFloat(table, col::X, row, format),
            cellFloat(table, col::Y, row, format),
            cellInteger(table, col::Angle, row, format),
            0,
            false};
  part.angle = static_cast<std::int16_t>(low16(part.angleCell));
  return part;
}

std::vector<Part> readParts(const Grid& table, const NumberFormat& format) {
  std::vector<Part> parts;
  parts.reserve(static_cast<std::size_t>(table.RowCount()));
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    if (isComponentRow(table, row)) parts.push_back(readPart(table, row, format));
  return parts;
}

int wrapAngle(std::int64_t angle) {
  return static_cast<int>(((angle % 360) + 360) % 360);
}

Turn::Turn(std::int64_t degrees) : degrees_(wrapAngle(degrees)) {
  if (degrees_ % 90 == 0) return;
  const double radians = degrees_ * std::numbers::pi / 180.0;
  cosine_ = std::cos(radians);
  sine_ = std::sin(radians);
}

void Turn::apply(double x, double y, double& turnedX, double& turnedY) const {
  switch (degrees_) {
    case 0:
      turnedX = x;
      turnedY = y;
      break;
    case 90:
      turnedX = -y;
      turnedY = x;
      break;
    case 180:
      turnedX = -x;
      turnedY = -y;
      break;
    case 270:
      turnedX = y;
      turnedY = -x;
      break;
    default:
      turnedX = x * cosine_ - y * sine_;
      turnedY = x * sine_ + y * cosine_;
  }
}

namespace {

// A coordinate computed in double precision, as the float the table keeps.
float toCoordinate(double value, int row) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    throw Error(Text(BRISEL_TRANSLATE_NOOP("Message", "Riga %1: coordinata fuori scala"),
                     {Text::number(row)}));
  return static_cast<float>(value);
}

}  // namespace

void moveTo(Part& part, double x, double y, std::int64_t angle) {
  const float newX = toCoordinate(x, part.row), newY = toCoordinate(y, part.row);
  const int newAngle = wrapAngle(angle);
  part.changed = newX != part.x || newY != part.y || newAngle != part.angleCell;
  part.x = newX;
  part.y = newY;
  part.angle = newAngle;
}

CoordinateTexts textsOf(const Part& part, char decimalSeparator) {
  return {formatRealText(part.x, decimalSeparator), formatRealText(part.y, decimalSeparator)};
}

void writeParts(Grid& table, const std::vector<Part>& parts, char decimalSeparator) {
  for (const Part& part : parts) {
    if (!part.changed) continue;
    const CoordinateTexts texts = textsOf(part, decimalSeparator);
    table.setCell(col::X, part.row, texts.x.view());
    table.setCell(col::Y, part.row, texts.y.view());
    table.setCell(col::Angle, part.row, std::to_string(part.angle));
  }
}

int removeRows(Grid& table, const std::vector<char>& goes) {
  const int rows = table.RowCount();
  const int lastColumn = table.ColCount() - 1;
  int to = kFirstDataRow;
  for (int from = kFirstDataRow; from < rows; ++from) {
    if (goes[static_cast<std::size_t>(from)]) continue;
    if (from != to) table.moveCells(from, to, 0, lastColumn);
    ++to;
  }
  for (int row = to; row < rows; ++row)
    for (int column = 0; column <= lastColumn; ++column)
      if (!table.cell(column, row).empty()) table.clearCell(column, row);
  return rows - to;
}

std::optional<Millimetres> readMillimetres(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<double> x = tryTextToReal(text.substr(0, comma), {'.', false});
  const std::optional<double> y = tryTextToReal(text.substr(comma + 1), {'.', false});
  if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) return std::nullopt;
  return Millimetres{*x, *y};
}

Error cellError(const Grid& table, int column, int row, const char* what) {
  return Error(
      Text(BRISEL_TRANSLATE_NOOP("Message", "Riga %1, colonna %2: "),
           {Text::number(row), Text::number(column)})
          .then(Text(what,
                     {Text::data(latin1ToUtf8(escapeControls(trim(table.cell(column, row)))))})));
}

}  // namespace brisel
