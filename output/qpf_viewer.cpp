// "Apri QPF generato": a QPF file shown three ways. Memo1 lists the bytes of
// the first two blocks, StringGrid2 holds every byte after the first block,
// and each complete block is decoded into the component table. Nothing is
// checked: any file is shown by the same block rule.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/component_row.h"
#include "core/text.h"
#include "core/translatable.h"
#include "output/in_memory.h"
#include "output/operations.h"
#include "output/qpf_format.h"

namespace brisel {

namespace {

using namespace output;

unsigned byteAt(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// Bytes that draw a glyph of their own in ISO 8859-1 stand for themselves; a
// zero byte adds nothing, and every other byte (control codes, the
// no-break space, the soft hyphen) shows as a full stop.
void appendShownByte(std::string& line, unsigned byte) {
  if (byte == 0) return;
  bool glyph = (byte >= 0x20 && byte < 0x7F) || (byte >= 0xA1 && byte != 0xAD);
  line += glyph ? static_cast<char>(byte) : '.';
}

void listInMemo(std::vector<std::string>& memo, std::string_view bytes) {
  std::size_t listed = std::min(bytes.size(), kQpfMemoBytes);
  memo.reserve(memo.size() + listed);
  for (std::size_t offset = 0; offset < listed; ++offset) {
    unsigned byte = byteAt(bytes, offset);
    std::string line = std::to_string(offset);
    line += '\t';
    line += ByteGrid::byteText(static_cast<std::uint8_t>(byte));
    line += '\t';
    appendShownByte(line, byte);
    memo.push_back(std::move(line));
  }
}

// Block k (from 1) in row k, its j-th byte in column j; a last, incomplete
// block keeps the cells it has.
void dumpBlocks(ByteGrid& dump, std::string_view bytes) {
  if (bytes.size() <= kQpfFirstBlockBytes) return;
  std::string_view blocks = bytes.substr(kQpfFirstBlockBytes);
  int lastBlock = static_cast<int>((blocks.size() + kQpfBlockBytes - 1) / kQpfBlockBytes);
  // Grown once for the last block, which ends as growing before each block
  // would, without the copies of a grid that doubles.
  dump.growFor(lastBlock);
  for (int block = 1; !blocks.empty(); ++block) {
    std::size_t count = std::min(blocks.size(), kQpfBlockBytes);
    dump.setBytes(block, 1, blocks.substr(0, count));
    blocks.remove_prefix(count);
  }
}

std::string decimal(std::uint32_t value) {
  char text[16];
  auto* end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

// At most `size` bytes, ending before the first zero byte.
std::string_view textUpToZero(std::string_view block, std::size_t at, std::size_t size) {
  std::string_view text = block.substr(at, size);
  return text.substr(0, text.find('\0'));
}

std::string real(std::string_view block, std::size_t at, char separator) {
  float value = std::bit_cast<float>(littleEndianAt(block, at, 4));
  return formatReal(static_cast<double>(value), separator);
}

// The first block ends one byte short of the records, so every later block
// starts one byte before its record: block offsets are record offsets plus one.
constexpr std::size_t kBlockShift = kQpfHeaderBytes + kQpfLengthBytes - kQpfFirstBlockBytes;

void decodeBlock(Grid& table, int row, std::string_view block, char separator) {
  auto at = [](QpfField field) { return field.at + kBlockShift; };
  auto number = [&](QpfField field) {
    return decimal(littleEndianAt(block, at(field), field.size));
  };
  table.setCell(col::Number, row, number(kQpfNumber));
  table.setCell(col::Reference, row,
                textUpToZero(block, at(kQpfReference), kQpfShownReferenceBytes));
  table.setCell(col::Value, row, textUpToZero(block, at(kQpfValue), kQpfShownValueBytes));
  table.setCell(col::X, row, real(block, at(kQpfX), separator));
  table.setCell(col::Y, row, real(block, at(kQpfY), separator));
  table.setCell(col::Angle, row, number(kQpfAngle));
  clearBoardCells(table, row);
}

// Decoded from the dump, which holds every block of a file of `size` bytes.
void decodeBlocks(Grid& table, const ByteGrid& dump, std::size_t size, char separator) {
  if (size <= kQpfFirstBlockBytes) return;
  int complete = static_cast<int>((size - kQpfFirstBlockBytes) / kQpfBlockBytes);
  if (complete == 0) return;
  table.growFor(complete);
  for (int block = 1; block <= complete; ++block)
    decodeBlock(table, block, dump.rowBytes(block, 1, kQpfBlockBytes), separator);
}

}  // namespace

Outcome output::viewQpfBytes(std::string bytes, Workspace& workspace, const Controls& controls) {
  workspace.Memo1.clear();
  Outcome outcome;
  if (bytes.size() > kQpfLongestFile) {
    bytes.resize(kQpfLongestFile);
    outcome.messages.push_back(tooLongMessage(Text(
        BRISEL_TRANSLATE_NOOP("Message", "%1 byte (%2 record)"),
        {Text::number(static_cast<long long>(kQpfLongestFile)), Text::number(kMaxComponents)})));
  }
  listInMemo(workspace.Memo1, bytes);
  dumpBlocks(workspace.StringGrid2, bytes);
  // The dump now holds every byte the table is decoded from: the file's copy
  // goes before the table grows, so that the two never take memory at once.
  const std::size_t size = bytes.size();
  std::string().swap(bytes);
  decodeBlocks(workspace.StringGrid1, workspace.StringGrid2, size, controls.decimalSeparator);

  outcome.messages.push_back(kSuccessMessage);
  workspace.Button17Enabled = true;
  workspace.BU_FootPrintEnabled = true;
  return outcome;
}

Outcome viewQpf(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  workspace.Memo1.clear();
  // One byte past the longest file tells a longer one.
  std::optional<std::string> bytes = readUpTo(controls.Edit4, kQpfLongestFile + 1);
  if (!bytes) return cannotOpen(controls.Edit4);
  return viewQpfBytes(std::move(*bytes), workspace, controls);
}

}  // namespace brisel
