#pragma once
// The layout of a QPF file: the template's header, a 32-bit length field, then
// one 104-byte record a component. The viewer cuts a file into a first block
// of 130 bytes and blocks of 104 after it, whatever the header's length.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output/output_common.h"

namespace brisel::output {

inline constexpr std::size_t kQpfHeaderBytes = 127;
inline constexpr std::size_t kQpfLengthBytes = 4;
inline constexpr std::size_t kQpfRecordBytes = 104;

// A field of a record: its first byte within the record and its length.
struct QpfField {
  std::size_t at;
  std::size_t size;
  constexpr std::size_t end() const { return at + size; }
  constexpr bool holds(std::size_t offset) const { return offset >= at && offset < end(); }
};

// The record, field by field, in the order the writer appends them. Numbers
// are little-endian; a text is its characters, cut or padded with spaces,
// then one 0x00.
inline constexpr QpfField kQpfNumber{0, 2};     // column 1 as an integer, its low 16 bits
inline constexpr QpfField kQpfReference{2, 9};  // 8 characters, 0x00
inline constexpr QpfField kQpfValue{11, 15};    // 14 characters (an empty value is NM), 0x00
inline constexpr QpfField kQpfX{26, 4};         // float32
inline constexpr QpfField kQpfY{30, 4};         // float32
inline constexpr QpfField kQpfAngle{34, 2};     // column 7 as an integer, its low 16 bits
inline constexpr QpfField kQpfMarks{36, 8};     // "1A", four 0x00, "XY"
inline constexpr QpfField kQpfForce{44, 1};     // the first character of "Forza di default"
inline constexpr QpfField kQpfTail{45, 59};     // 00 00 00 20 00 01 00 00 00, 41 spaces, nine 0x00
static_assert(kQpfNumber.end() == kQpfReference.at && kQpfReference.end() == kQpfValue.at &&
              kQpfValue.end() == kQpfX.at && kQpfX.end() == kQpfY.at &&
              kQpfY.end() == kQpfAngle.at && kQpfAngle.end() == kQpfMarks.at &&
              kQpfMarks.end() == kQpfForce.at && kQpfForce.end() == kQpfTail.at &&
              kQpfTail.end() == kQpfRecordBytes);

// The characters of a text field, without its closing 0x00.
constexpr std::size_t textWidth(QpfField field) {
  return field.size - 1;
}

// Every record's bytes from the marks to its end, the same in each record but
// for the force byte (0x00 here).
inline constexpr auto kQpfConstantBytes = [] {
  std::array<char, kQpfRecordBytes - kQpfMarks.at> bytes{};
  auto put = [&](std::size_t at, char c) { bytes[at - kQpfMarks.at] = c; };
  put(kQpfMarks.at, '1');
  put(kQpfMarks.at + 1, 'A');
  put(kQpfMarks.at + 6, 'X');
  put(kQpfMarks.at + 7, 'Y');
  put(kQpfTail.at + 3, ' ');
  put(kQpfTail.at + 5, '\x01');
  for (std::size_t at = kQpfTail.at + 9; at < kQpfTail.at + 9 + 41; ++at) put(at, ' ');
  return bytes;
}();

// The viewer shows a text up to its first 0x00, reading at most these many
// bytes from the field's start (one past the reference's own field, two short
// of the value's), as it always has.
inline constexpr std::size_t kQpfShownReferenceBytes = 10;
inline constexpr std::size_t kQpfShownValueBytes = 13;

// A number of `count` bytes (at most 4), least significant first.
inline void appendLittleEndian(std::string& out, std::uint32_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline std::uint32_t littleEndianAt(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

inline constexpr std::size_t kQpfFirstBlockBytes = 130;
inline constexpr std::size_t kQpfBlockBytes = 104;
// Blocks 0 and 1 are listed byte by byte in the memo.
inline constexpr std::size_t kQpfMemoBytes = kQpfFirstBlockBytes + kQpfBlockBytes;

// The longest file the writer makes from a full table: what the viewer reads
// at most.
inline constexpr std::size_t kQpfLongestFile =
    kQpfHeaderBytes + kQpfLengthBytes + kQpfRecordBytes * kMaxComponents;

}  // namespace brisel::output
