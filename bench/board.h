#pragma once
// Synthetic boards for benchmarks and large tests: N components (up to
// 65,535) with unique references, values from a few dozen parts, footprints,
// positions and angles, written in every input format. The same seed gives the
// same bytes on every platform.

#include <cstdint>
#include <string>
#include <vector>

namespace brisel::bench {

struct Component {
  std::string reference;  // R1, C12, U3 ...
  std::string value;      // 10K, 100nF ...
  std::string footprint;  // R0603, SOIC8 ...
  double x;               // millimetres, three decimals
  double y;
  int angle;  // -90, 0, 90, 180, 270
};

struct Board {
  std::vector<Component> components;
};

Board makeBoard(std::size_t count, std::uint32_t seed = 1);

// The values a board draws from, for rule files.
const std::vector<std::string>& partValues();

// Input files, with a point as decimal separator and LF line ends.
std::string repFile(const Board& board);  // two header lines, then REF PART X Y ANGLE SIDE
std::string cmpFile(const Board& board);  // .REM value lines, then REF FOOTPRINT lines
std::string mntFile(const Board& board);  // REF X Y ANGLE VALUE FOOTPRINT
std::string bomFile(const Board& board);  // REF VALUE QUANTITY
std::string txtFile(const Board& board);  // fixed columns
std::string rakFile(std::size_t rules, std::uint32_t seed = 1);  // VALUE:ANGLE

}  // namespace brisel::bench
