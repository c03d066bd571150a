#pragma once
// The layout of a QPF file: the template's header, a 32-bit length field, then
// one 104-byte record a component. The viewer cuts a file into a first block
// of 130 bytes and blocks of 104 after it, whatever the header's length.

#include <cstddef>
#include <cstdint>

#include "output/output_common.h"

namespace brisel::output {

inline constexpr std::size_t kQpfHeaderBytes = 127;
inline constexpr std::size_t kQpfLengthBytes = 4;
inline constexpr std::size_t kQpfRecordBytes = 104;

inline constexpr std::size_t kQpfFirstBlockBytes = 130;
inline constexpr std::size_t kQpfBlockBytes = 104;
// Blocks 0 and 1 are listed byte by byte in the memo.
inline constexpr std::size_t kQpfMemoBytes = kQpfFirstBlockBytes + kQpfBlockBytes;

// The longest file the writer makes from a full table: what the viewer reads
// at most.
inline constexpr std::size_t kQpfLongestFile =
    kQpfHeaderBytes + kQpfLengthBytes + kQpfRecordBytes * kMaxComponents;

}  // namespace brisel::output
