#include "core/check.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/buttons.h"
#include "core/cell_numbers.h"
#include "core/table_shape.h"
#include "core/text.h"

namespace brisel {

namespace {

std::string shown(std::string_view bytes) {
  return latin1ToUtf8(escapeControls(bytes));
}

std::string quoted(std::string_view bytes) {
  return "'" + shown(bytes) + "'";
}

bool holdsBlank(std::string_view text) {
  return std::any_of(text.begin(), text.end(), isBlank);
}

// A written row's place, once both coordinates convert.
struct Place {
  int row;
  double x;
  double y;
};

// The 0.01 mm square a coordinate falls in. Beyond a million kilometres a
// float's own step is far wider than the distance sought: there only equal
// values can meet, so the square is the value itself and has no neighbours.
struct Square {
  std::int64_t index;
  bool exact;
  friend bool operator==(const Square&, const Square&) = default;
};

Square squareOf(double value) {
  if (std::fabs(value) < 1e12)
    return {static_cast<std::int64_t>(std::floor(value / kSamePlace)), false};
  return {std::bit_cast<std::int32_t>(static_cast<float>(value)), true};
}

struct CellKey {
  Square x;
  Square y;
  friend bool operator==(const CellKey&, const CellKey&) = default;
};

struct CellKeyHash {
  std::size_t operator()(const CellKey& key) const noexcept {
    std::uint64_t h = static_cast<std::uint64_t>(key.x.index) * 0x9E3779B97F4A7C15ULL;
    h ^= static_cast<std::uint64_t>(key.y.index) + 0x7F4A7C159E3779B9ULL + (h << 6) + (h >> 2);
    h ^= (key.x.exact ? 1U : 0U) | (key.y.exact ? 2U : 0U);
    return static_cast<std::size_t>(h);
  }
};

// The places of one square, sorted by X, with the lowest and highest Y of
// every prefix and suffix and where each is found. Within a square both
// coordinates already lie closer than the distance sought; between squares
// side by side a query asks only for a place at most that far on the far
// side, which the prefix or suffix extremes answer without comparing pairs.
class SquarePlaces {
 public:
  void add(int place) { members_.push_back(place); }

  void prepare(const std::vector<Place>& places) {
    std::sort(members_.begin(), members_.end(), [&](int a, int b) {
      return places[static_cast<std::size_t>(a)].x < places[static_cast<std::size_t>(b)].x;
    });
    const std::size_t n = members_.size();
    prefixLow_.resize(n);
    prefixHigh_.resize(n);
    suffixLow_.resize(n);
    suffixHigh_.resize(n);
    auto y = [&](int place) { return places[static_cast<std::size_t>(place)].y; };
    for (std::size_t i = 0; i < n; ++i) {
      int m = members_[i];
      prefixLow_[i] = i > 0 && y(prefixLow_[i - 1]) <= y(m) ? prefixLow_[i - 1] : m;
      prefixHigh_[i] = i > 0 && y(prefixHigh_[i - 1]) >= y(m) ? prefixHigh_[i - 1] : m;
    }
    for (std::size_t i = n; i-- > 0;) {
      int m = members_[i];
      suffixLow_[i] = i + 1 < n && y(suffixLow_[i + 1]) <= y(m) ? suffixLow_[i + 1] : m;
      suffixHigh_[i] = i + 1 < n && y(suffixHigh_[i + 1]) >= y(m) ? suffixHigh_[i + 1] : m;
    }
  }

  const std::vector<int>& members() const { return members_; }

  // A place of this square within the distance of `p`, which lies in the
  // square (dx, dy) steps away from this one; -1 when none is.
  int near(const std::vector<Place>& places, const Place& p, int dx, int dy) const {
    const std::size_t n = members_.size();
    auto x = [&](int place) { return places[static_cast<std::size_t>(place)].x; };
    auto y = [&](int place) { return places[static_cast<std::size_t>(place)].y; };
    // The places on the right side in X: all of them when the squares share
    // their column.
    bool fromStart = true;
    std::size_t bound = n;
    if (dx > 0) {  // this square lies to the right of p
      bound = static_cast<std::size_t>(std::upper_bound(members_.begin(), members_.end(),
                                                        p.x + kSamePlace,
                                                        [&](double v, int m) { return v < x(m); }) -
                                       members_.begin());
      if (bound == 0) return -1;
    } else if (dx < 0) {  // this square lies to the left of p
      fromStart = false;
      bound = static_cast<std::size_t>(std::lower_bound(members_.begin(), members_.end(),
                                                        p.x - kSamePlace,
                                                        [&](int m, double v) { return x(m) < v; }) -
                                       members_.begin());
      if (bound == n) return -1;
    }
    int low = fromStart ? prefixLow_[bound - 1] : suffixLow_[bound];
    int high = fromStart ? prefixHigh_[bound - 1] : suffixHigh_[bound];
    if (dy > 0) return y(low) <= p.y + kSamePlace ? low : -1;    // higher Y than p
    if (dy < 0) return y(high) >= p.y - kSamePlace ? high : -1;  // lower Y than p
    return low;
  }

 private:
  std::vector<int> members_;
  std::vector<int> prefixLow_, prefixHigh_, suffixLow_, suffixHigh_;
};

// For each place, another place within the distance in both X and Y, or -1.
std::vector<int> samePlaces(const std::vector<Place>& places) {
  std::unordered_map<CellKey, SquarePlaces, CellKeyHash> squares;
  squares.reserve(places.size());
  std::vector<CellKey> keys;
  keys.reserve(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    keys.push_back({squareOf(places[i].x), squareOf(places[i].y)});
    squares[keys.back()].add(static_cast<int>(i));
  }
  for (auto& [key, square] : squares) square.prepare(places);

  std::vector<int> other(places.size(), -1);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const CellKey& key = keys[i];
    const SquarePlaces& own = squares.find(key)->second;
    if (own.members().size() > 1) {
      other[i] = own.members()[0] == static_cast<int>(i) ? own.members()[1] : own.members()[0];
      continue;
    }
    for (int dx = -1; dx <= 1 && other[i] < 0; ++dx) {
      if (dx != 0 && key.x.exact) continue;
      for (int dy = -1; dy <= 1 && other[i] < 0; ++dy) {
        if ((dx == 0 && dy == 0) || (dy != 0 && key.y.exact)) continue;
        CellKey next{{key.x.index + dx, key.x.exact}, {key.y.index + dy, key.y.exact}};
        auto found = squares.find(next);
        if (found != squares.end()) other[i] = found->second.near(places, places[i], dx, dy);
      }
    }
  }
  return other;
}

struct RowCheck {
  std::string_view reference;
  bool written = false;
};

}  // namespace

std::vector<Finding> checkTable(const Grid& table, const NumberFormat& format) {
  std::vector<Finding> findings;
  if (table.ColCount() < kTableColumns) return findings;
  const int rows = table.RowCount();
  auto add = [&](int row, FindingCode code, std::string_view reference, std::string text) {
    findings.push_back({row, code, std::string(reference), std::move(text)});
  };

  std::vector<Place> places;
  // How many written rows carry each reference, and the first of them.
  struct Use {
    int count = 0;
    int first = 0;
  };
  std::unordered_map<std::string_view, Use> uses;
  uses.reserve(static_cast<std::size_t>(rows));

  for (int row = kFirstDataRow; row < rows; ++row) {
    if (table.cell(col::Number, row).empty()) continue;  // the writers pass it over
    const std::string_view reference = trim(table.cell(col::Reference, row));
    if (reference.empty()) {
      add(row, FindingCode::noReference, reference,
          "riga con numero " + quoted(trim(table.cell(col::Number, row))) +
              " ma senza riferimento: non viene scritta");
      continue;
    }
    const std::string who = shown(reference) + ": ";
    Use& use = uses[reference];
    if (use.count++ == 0) use.first = row;

    const std::string_view value = trim(table.cell(col::Value, row));
    if (value.empty()) add(row, FindingCode::noValue, reference, who + "valore mancante");
    if (value == "???")
      add(row, FindingCode::noValue, reference,
          who +
              "valore '??"
              "?', non trovato nel file CMP");

    auto notANumber = [&](int column) {
      add(row, FindingCode::notANumber, reference,
          who + "colonna " + std::string(columnName(column)) + ": " +
              ConversionError(trim(table.cell(column, row))).what());
    };
    if (!tryTextToInteger(table.cell(col::Number, row), format)) notANumber(col::Number);
    std::optional<float> x = tryTextToFloat(trim(table.cell(col::X, row)), format);
    if (!x) notANumber(col::X);
    std::optional<float> y = tryTextToFloat(trim(table.cell(col::Y, row)), format);
    if (!y) notANumber(col::Y);
    std::optional<std::int32_t> angle = tryTextToInteger(table.cell(col::Angle, row), format);
    if (!angle) notANumber(col::Angle);
    if (x && y) places.push_back({row, *x, *y});

    for (int column : {col::Reference, col::Value, col::Footprint}) {
      std::string_view text = trim(table.cell(column, row));
      if (holdsBlank(text))
        add(row, FindingCode::blankInField, reference,
            who + "colonna " + std::string(columnName(column)) + " " + quoted(text) +
                " contiene uno spazio: la riga ZIRKAN avrebbe pi\xC3\xB9 di sei campi");
    }
    if (angle) {
      const int turn = static_cast<std::int16_t>(low16(*angle));
      if (turn % 90 != 0)
        add(row, FindingCode::oddAngle, reference,
            who + "angolo " + std::to_string(turn) + " non multiplo di 90");
    }
  }

  for (int row = kFirstDataRow; row < rows; ++row) {
    if (table.cell(col::Number, row).empty()) continue;
    const std::string_view reference = trim(table.cell(col::Reference, row));
    if (reference.empty()) continue;
    const Use& use = uses.find(reference)->second;
    if (use.count > 1)
      add(row, FindingCode::duplicateReference, reference,
          shown(reference) + ": riferimento ripetuto su " + std::to_string(use.count) +
              " righe (la prima \xC3\xA8 la riga " + std::to_string(use.first) + ")");
  }

  const std::vector<int> near = samePlaces(places);
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (near[i] < 0) continue;
    const Place& other = places[static_cast<std::size_t>(near[i])];
    const std::string_view reference = trim(table.cell(col::Reference, places[i].row));
    add(places[i].row, FindingCode::samePlace, reference,
        shown(reference) + ": nella stessa posizione di " +
            shown(trim(table.cell(col::Reference, other.row))) + " (riga " +
            std::to_string(other.row) + ")");
  }

  // Within a row and a kind, findings keep the order they were made in: by column.
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    if (a.row != b.row) return a.row < b.row;
    return static_cast<int>(a.code) < static_cast<int>(b.code);
  });
  return findings;
}

std::vector<int> rowsWithFindings(const std::vector<Finding>& findings) {
  std::vector<int> rows;
  for (const Finding& finding : findings)
    if (finding.row > 0) rows.push_back(finding.row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

Outcome checkComponents(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  workspace.findings = checkTable(workspace.StringGrid1, controls.numbers());
  return {};
}

}  // namespace brisel
