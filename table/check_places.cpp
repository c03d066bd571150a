// The same place: written rows closer than kSamePlace in both X and Y, found
// without comparing pairs.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/translatable.h"
#include "table/check.h"
#include "table/check_rows.h"

namespace brisel::checking {

namespace {

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

bool keyLess(const CellKey& a, const CellKey& b) {
  if (a.x.exact != b.x.exact) return a.x.exact < b.x.exact;
  if (a.x.index != b.x.index) return a.x.index < b.x.index;
  if (a.y.exact != b.y.exact) return a.y.exact < b.y.exact;
  return a.y.index < b.y.index;
}

// The places sorted by square, then by X within a square; for every position
// the place of lowest and of highest Y from the start of its square up to it
// (prefix) and from it to the end of its square (suffix). Within a square both
// coordinates already lie closer than the distance sought; between squares
// side by side a query asks only for a place at most that far on the near
// side, which those extremes answer without comparing pairs.
class Squares {
 public:
  explicit Squares(const std::vector<Place>& places) : places_(places) {
    keys_.reserve(places.size());
    for (const Place& p : places) keys_.push_back({squareOf(p.x), squareOf(p.y)});
    sortBySquare();
    const std::size_t n = places.size();
    prefixLow_.resize(n);
    prefixHigh_.resize(n);
    suffixLow_.resize(n);
    suffixHigh_.resize(n);
    runs_.reserve(n);
    for (std::size_t start = 0, end = 0; start < n; start = end) {
      const CellKey& key = keys_[static_cast<std::size_t>(order_[start])];
      for (end = start + 1; end < n && keys_[static_cast<std::size_t>(order_[end])] == key;) ++end;
      markExtremes(start, end);
      addRun(start, end, key);
    }
  }

  // For each place, another place within the distance in both X and Y, or -1.
  std::vector<int> samePlaces() const {
    std::vector<int> other(places_.size(), -1);
    for (const Run& run : runs_) {
      if (run.end - run.start > 1) {  // a square shared: they all lie close enough
        for (std::size_t i = run.start; i < run.end; ++i)
          other[static_cast<std::size_t>(order_[i])] =
              order_[i == run.start ? run.start + 1 : run.start];
      } else {
        other[static_cast<std::size_t>(order_[run.start])] = nextDoor(run);
      }
    }
    return other;
  }

 private:
  struct Run {
    std::size_t start;
    std::size_t end;
    std::size_t column;
  };
  // The runs of one X square, in order of their Y square.
  struct Column {
    Square x;
    std::size_t startRun;
    std::size_t endRun;
  };

  // The run of the column whose Y square is `y`, or -1.
  int findRun(const Column& column, const Square& y) const {
    auto yLess = [](const Square& a, const Square& b) {
      return a.exact != b.exact ? a.exact < b.exact : a.index < b.index;
    };
    std::size_t low = column.startRun, high = column.endRun;
    while (low < high) {
      std::size_t mid = (low + high) / 2;
      const Square& at = keys_[static_cast<std::size_t>(order_[runs_[mid].start])].y;
      if (yLess(at, y))
        low = mid + 1;
      else
        high = mid;
    }
    if (low == column.endRun) return -1;
    return keys_[static_cast<std::size_t>(order_[runs_[low].start])].y == y ? static_cast<int>(low)
                                                                            : -1;
  }

  double x(int place) const { return places_[static_cast<std::size_t>(place)].x; }
  double y(int place) const { return places_[static_cast<std::size_t>(place)].y; }

  void sortBySquare() {
    order_.resize(places_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    std::sort(order_.begin(), order_.end(), [&](int a, int b) {
      const CellKey& ka = keys_[static_cast<std::size_t>(a)];
      const CellKey& kb = keys_[static_cast<std::size_t>(b)];
      if (keyLess(ka, kb)) return true;
      if (keyLess(kb, ka)) return false;
      return x(a) < x(b);
    });
  }

  // The lowest and highest Y of the square [start, end) up to each place and
  // from it on.
  void markExtremes(std::size_t start, std::size_t end) {
    for (std::size_t i = start; i < end; ++i) {
      const int m = order_[i];
      const bool first = i == start;
      prefixLow_[i] = !first && y(prefixLow_[i - 1]) <= y(m) ? prefixLow_[i - 1] : m;
      prefixHigh_[i] = !first && y(prefixHigh_[i - 1]) >= y(m) ? prefixHigh_[i - 1] : m;
    }
    for (std::size_t i = end; i-- > start;) {
      const int m = order_[i];
      const bool last = i + 1 == end;
      suffixLow_[i] = !last && y(suffixLow_[i + 1]) <= y(m) ? suffixLow_[i + 1] : m;
      suffixHigh_[i] = !last && y(suffixHigh_[i + 1]) >= y(m) ? suffixHigh_[i + 1] : m;
    }
  }

  void addRun(std::size_t start, std::size_t end, const CellKey& key) {
    if (columns_.empty() || !(columns_.back().x == key.x))
      columns_.push_back({key.x, runs_.size(), runs_.size()});
    ++columns_.back().endRun;
    runs_.push_back({start, end, columns_.size() - 1});
  }

  // A place in one of the eight squares around the lone place of `run`, or -1.
  int nextDoor(const Run& run) const {
    const int place = order_[run.start];
    const CellKey& key = keys_[static_cast<std::size_t>(place)];
    for (int dx = -1; dx <= 1; ++dx) {
      if (dx != 0 && key.x.exact) continue;
      // The columns of squares lie in order: a neighbouring one is next door.
      const long c = static_cast<long>(run.column) + dx;
      if (c < 0 || c >= static_cast<long>(columns_.size())) continue;
      const Column& column = columns_[static_cast<std::size_t>(c)];
      if (!(column.x == Square{key.x.index + dx, key.x.exact})) continue;
      for (int dy = -1; dy <= 1; ++dy) {
        if ((dx == 0 && dy == 0) || (dy != 0 && key.y.exact)) continue;
        const int next = findRun(column, Square{key.y.index + dy, key.y.exact});
        const int found =
            next >= 0 ? near(runs_[static_cast<std::size_t>(next)], place, dx, dy) : -1;
        if (found >= 0) return found;
      }
    }
    return -1;
  }

  // A place of `run` within the distance of `place`, whose square lies
  // (dx, dy) steps away from the run's; -1 when none is.
  int near(const Run& run, int place, int dx, int dy) const {
    const double px = x(place), py = y(place);
    auto first = order_.begin() + static_cast<long>(run.start);
    auto last = order_.begin() + static_cast<long>(run.end);
    // The run's places near enough in X: all of them in the same column.
    bool prefix = true;
    std::size_t bound = run.end;  // prefix: [start, bound); suffix: [bound, end)
    if (dx > 0) {                 // the run lies at higher X
      bound = static_cast<std::size_t>(std::upper_bound(first, last, px + kSamePlace,
                                                        [&](double v, int m) { return v < x(m); }) -
                                       order_.begin());
      if (bound == run.start) return -1;
    } else if (dx < 0) {  // the run lies at lower X
      prefix = false;
      bound = static_cast<std::size_t>(std::lower_bound(first, last, px - kSamePlace,
                                                        [&](int m, double v) { return x(m) < v; }) -
                                       order_.begin());
      if (bound == run.end) return -1;
    }
    int low = prefix ? prefixLow_[bound - 1] : suffixLow_[bound];
    int high = prefix ? prefixHigh_[bound - 1] : suffixHigh_[bound];
    if (dy > 0) return y(low) <= py + kSamePlace ? low : -1;    // at higher Y
    if (dy < 0) return y(high) >= py - kSamePlace ? high : -1;  // at lower Y
    return low;
  }

  const std::vector<Place>& places_;
  std::vector<CellKey> keys_;
  std::vector<int> order_;
  std::vector<int> prefixLow_, prefixHigh_, suffixLow_, suffixHigh_;
  std::vector<Run> runs_;
  std::vector<Column> columns_;
};

}  // namespace

void findSamePlaces(const CheckedTable& table, Findings& findings) {
  std::vector<Place> places;
  std::vector<const CheckedRow*> of;
  for (const CheckedRow& row : table.rows) {
    if (!row.written || !row.x || !row.y) continue;
    places.push_back({row.row, *row.x, *row.y});
    of.push_back(&row);
  }
  const std::vector<int> near = Squares(places).samePlaces();
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (near[i] < 0) continue;
    const CheckedRow& other = *of[static_cast<std::size_t>(near[i])];
    findings.add(
        of[i]->row, FindingCode::samePlace, of[i]->reference,
        said(BRISEL_TRANSLATE_NOOP("Message", "%1: nella stessa posizione di %2 (riga %3)"),
             of[i]->reference, {Text::data(shown(other.reference)), Text::number(other.row)}));
  }
}

}  // namespace brisel::checking
