#include "core/placements.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"

namespace brisel {

namespace {

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The whole number right after `prefix` in the text, or 0.
int countAfter(std::string_view text, std::string_view prefix) {
  std::size_t at = text.find(prefix);
  if (at == std::string_view::npos) return 0;
  int count = 0;
  for (at += prefix.size(); at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    count = count * 10 + (text[at] - '0');
    if (count > 1000) return 0;
  }
  return count;
}

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

// The cell a position falls in along one axis.
int cellOf(float at, float origin, float size, int count) {
  float cell = (at - origin) / size;
  if (!(cell >= 0)) return 0;
  return std::min(count - 1, static_cast<int>(cell));
}

}  // namespace

const std::uint32_t kPalette[kPaletteSize] = {
    0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b,
    0xe377c2, 0x17becf, 0xbcbd22, 0x393b79, 0xad494a, 0x637939,
};

int paletteIndexOf(std::string_view text) {
  // FNV-1a: fixed, so colours do not change between runs or builds.
  std::uint32_t hash = 2166136261u;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return static_cast<int>(hash % kPaletteSize);
}

Turn turnOf(std::uint16_t angle) {
  const int degrees = ((signedDegrees(angle) % 360) + 360) % 360;
  switch (degrees) {
    case 0:
      return {1, 0};
    case 90:
      return {0, 1};
    case 180:
      return {-1, 0};
    case 270:
      return {0, -1};
    default: {
      const double radians = degrees * std::numbers::pi / 180;
      return {std::cos(radians), std::sin(radians)};
    }
  }
}

BodySize bodySizeOf(std::string_view footprint) {
  const std::string name = upper(footprint);
  struct Chip {
    std::string_view code;
    BodySize size;
  };
  // Imperial chip codes, largest first so that 1206 is not read inside 12060.
  static constexpr Chip kChips[] = {
      {"2512", {6.4f, 3.2f}}, {"2010", {5.0f, 2.5f}},  {"1210", {3.2f, 2.5f}},
      {"1206", {3.2f, 1.6f}}, {"0805", {2.0f, 1.25f}}, {"0603", {1.6f, 0.8f}},
      {"0402", {1.0f, 0.5f}}, {"0201", {0.6f, 0.3f}},
  };
  if (contains(name, "SOT223")) return {6.5f, 3.5f};
  if (contains(name, "SOT23")) return {2.9f, 1.6f};
  if (contains(name, "SOD123")) return {2.7f, 1.6f};
  if (int pins = countAfter(name, "QFP"); pins >= 8) {
    float side = static_cast<float>(pins) / 4 * 0.5f + 1.0f;
    return {side, side};
  }
  if (int pins = countAfter(name, "SOIC"); pins >= 4) {
    return {static_cast<float>(pins) / 2 * 1.27f, 3.9f};
  }
  if (contains(name, "HC49")) return {11.0f, 4.7f};
  if (contains(name, "USB")) return {12.0f, 11.0f};
  if (int pins = countAfter(name, "HDR1X"); pins >= 1) return {pins * 2.54f, 2.54f};
  if (int pins = countAfter(name, "HDR2X"); pins >= 1) return {pins * 2.54f, 5.08f};
  if (contains(name, "SW") || contains(name, "TACT")) return {6.0f, 6.0f};
  for (const Chip& chip : kChips)
    if (contains(name, chip.code)) return chip.size;
  return {1.6f, 1.0f};
}

Board buildBoard(const Grid& table, const NumberFormat& format) {
  Board board;
  board.parts.reserve(static_cast<std::size_t>(std::max(0, table.RowCount() - kFirstDataRow)));
  // Footprints repeat: their body sizes are looked up once per run of equal names.
  std::string lastFootprint;
  BodySize lastSize = bodySizeOf({});
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!isComponentRow(table, row)) continue;
    std::string_view reference = trim(table.cell(col::Reference, row));

    Placement part;
    part.row = row;
    float* coordinates[] = {&part.x, &part.y};
    const int columns[] = {col::X, col::Y};
    bool placed = true;
    for (int k = 0; k < 2 && placed; ++k) {
      std::string_view text = trim(table.cell(columns[k], row));
      try {
        *coordinates[k] = textToFloat(text, format);
        if (std::fabs(*coordinates[k]) > kMaxBoardCoordinate) {
          board.unplaced.push_back(
              {row, columns[k], std::string(text), Unplaced::Reason::outOfRange});
          placed = false;
        }
      } catch (const ConversionError&) {
        board.unplaced.push_back(
            {row, columns[k], std::string(text), Unplaced::Reason::notANumber});
        placed = false;
      }
    }
    if (!placed) continue;
    std::string_view angle = trim(table.cell(col::Angle, row));
    try {
      part.angle = low16(textToInteger(angle, format));
    } catch (const ConversionError&) {
      board.unplaced.push_back({row, col::Angle, std::string(angle), Unplaced::Reason::notANumber});
      continue;
    }
    part.reference = reference;
    part.value = trim(table.cell(col::Value, row));
    part.footprint = trim(table.cell(col::Footprint, row));
    part.bottom = sideOf(table, row) == Side::bottom;
    part.board = std::max(0, boardOf(table, row));
    if (part.footprint != lastFootprint) {
      lastFootprint = part.footprint;
      lastSize = bodySizeOf(lastFootprint);
    }
    part.length = lastSize.length;
    part.width = lastSize.width;
    board.parts.push_back(std::move(part));
  }
  board.index();
  return board;
}

void Board::index() {
  extent_ = {};
  reach_ = 0;
  for (const Placement& part : parts) {
    float half = 0.5f * std::hypot(part.length, part.width);
    reach_ = std::max(reach_, half);
    extent_.left = std::min(extent_.left, part.x - half);
    extent_.right = std::max(extent_.right, part.x + half);
    extent_.bottom = std::min(extent_.bottom, part.y - half);
    extent_.top = std::max(extent_.top, part.y + half);
  }

  indexBoards();

  // About two parts a cell, on square cells over the extent.
  cells_ = {};
  if (parts.empty()) return;
  const float area = std::max(extent_.width() * extent_.height(), 1e-6f);
  cells_.size = std::max(std::sqrt(area * 2 / static_cast<float>(parts.size())), 0.05f);
  cells_.columns = std::clamp(static_cast<int>(extent_.width() / cells_.size) + 1, 1, 4096);
  cells_.rows = std::clamp(static_cast<int>(extent_.height() / cells_.size) + 1, 1, 4096);
  cells_.size = std::max({cells_.size, extent_.width() / static_cast<float>(cells_.columns),
                          extent_.height() / static_cast<float>(cells_.rows)});
  cells_.left = extent_.left;
  cells_.bottom = extent_.bottom;

  // A counting sort by cell keeps the parts of a cell in row order.
  const std::size_t count = static_cast<std::size_t>(cells_.columns) * cells_.rows;
  std::vector<std::uint32_t> cellOfPart(parts.size());
  cells_.start.assign(count + 1, 0);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    int c = cellOf(parts[i].x, cells_.left, cells_.size, cells_.columns);
    int r = cellOf(parts[i].y, cells_.bottom, cells_.size, cells_.rows);
    cellOfPart[i] = static_cast<std::uint32_t>(static_cast<std::size_t>(r) * cells_.columns + c);
    ++cells_.start[cellOfPart[i] + 1];
  }
  for (std::size_t k = 0; k < count; ++k) cells_.start[k + 1] += cells_.start[k];
  cells_.order.resize(parts.size());
  std::vector<std::uint32_t> next(cells_.start.begin(), cells_.start.end() - 1);
  for (std::size_t i = 0; i < parts.size(); ++i)
    cells_.order[next[cellOfPart[i]]++] = static_cast<std::uint32_t>(i);
}

void Board::indexBoards() {
  panelBoards_.clear();
  std::vector<int> slot;  // by board number: its index in panelBoards_, or -1
  for (const Placement& part : parts) {
    if (part.board <= 0) continue;
    if (slot.empty()) slot.assign(kMaxBoards + 1, -1);
    const float half = 0.5f * std::hypot(part.length, part.width);
    const BoardBox box{part.x - half, part.y - half, part.x + half, part.y + half};
    int& at = slot[static_cast<std::size_t>(part.board)];
    if (at < 0) {
      at = static_cast<int>(panelBoards_.size());
      panelBoards_.push_back({part.board, box});
      continue;
    }
    BoardBox& extent = panelBoards_[static_cast<std::size_t>(at)].extent;
    extent = {std::min(extent.left, box.left), std::min(extent.bottom, box.bottom),
              std::max(extent.right, box.right), std::max(extent.top, box.top)};
  }
  std::sort(panelBoards_.begin(), panelBoards_.end(),
            [](const PanelBoard& a, const PanelBoard& b) { return a.number < b.number; });
}

int Board::partAt(float x, float y) const {
  int found = -1;
  visit({x, y, x, y}, [&](int i) {
    const Placement& part = parts[static_cast<std::size_t>(i)];
    // The point in the part's own axes.
    const Turn turn = turnOf(part.angle);
    const double dx = x - part.x, dy = y - part.y;
    const double u = dx * turn.cos + dy * turn.sin;
    const double v = -dx * turn.sin + dy * turn.cos;
    if (std::fabs(u) <= part.length / 2 && std::fabs(v) <= part.width / 2 && i > found) found = i;
  });
  return found;
}

}  // namespace brisel
