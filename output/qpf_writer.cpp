// "Crea Output File": the template's header, the length field and one record
// a component. The bytes are put together one by one, little-endian, so the
// file is the same on every platform.
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "core/atomic_file.h"
#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "output/operations.h"
#include "output/qpf_bytes.h"
#include "output/qpf_format.h"

namespace brisel {

namespace {

using namespace output;

// X and Y are stored as IEEE 754 single precision, the machine's own form.
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4);

static_assert(textWidth(kQpfReference) == kRecordReferenceChars &&
              textWidth(kQpfValue) == kRecordValueChars);

// A text field as the record holds it, then a zero byte.
void appendText(std::string& out, const std::string& field) {
  out += field;
  out += '\0';
}

void appendRecord(std::string& out, const Grid& table, int row, const Controls& controls) {
  const NumberFormat numbers = controls.numbers();
  const std::size_t record = out.size();
  appendLittleEndian(out, low16(cellInteger(table, col::Number, row, numbers)), kQpfNumber.size);
  appendText(out, recordReference(table, row));
  appendText(out, recordValue(table, row));
  for (int column : {col::X, col::Y}) {
    float coordinate = cellFloat(table, column, row, numbers);
    appendLittleEndian(out, std::bit_cast<std::uint32_t>(coordinate), kQpfX.size);
  }
  appendLittleEndian(out, low16(cellInteger(table, col::Angle, row, numbers)), kQpfAngle.size);
  out.append(kQpfConstantBytes.data(), kQpfConstantBytes.size());
  out[record + kQpfForce.at] = controls.ED_Forza.empty() ? '\0' : controls.ED_Forza[0];
}

// The length field is a signed 32-bit count of the file's bytes.
void checkLength(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "Troppi componenti per un file QPF"));
}

}  // namespace

std::string output::qpfBytes(std::string header, Grid& table, const Controls& controls,
                             std::vector<int>* rows) {
  std::string bytes = std::move(header);
  const std::size_t lengthField = bytes.size();
  bytes.reserve(lengthField + kQpfLengthBytes +
                kQpfRecordBytes * static_cast<std::size_t>(table.RowCount()));
  bytes.append(kQpfLengthBytes, '\0');
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!takeComponentRow(table, row)) continue;
    checkLength(bytes.size() + kQpfRecordBytes);
    appendRecord(bytes, table, row, controls);
    if (rows) rows->push_back(row);
  }
  std::string length;
  appendLittleEndian(length, static_cast<std::uint32_t>(bytes.size()), kQpfLengthBytes);
  bytes.replace(lengthField, kQpfLengthBytes, length);
  return bytes;
}

Outcome writeQpf(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  // The template is read before the output is touched: a missing template
  // leaves an earlier output file as it was.
  std::optional<std::string> header = readUpTo(controls.Edit1, kQpfHeaderBytes);
  if (!header) return cannotOpen(controls.Edit1);
  AtomicFile file(controls.Edit4);
  if (!file.isOpen()) return cannotOpen(controls.Edit4);

  file.write(qpfBytes(std::move(*header), workspace.StringGrid1, controls));
  file.commit();
  return succeeded();
}

}  // namespace brisel
