#include "table/check.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"
#include "table/operations.h"

namespace brisel {

namespace {

std::string shown(std::string_view bytes) {
  return latin1ToUtf8(escapeControls(bytes));
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

// The written rows grouped by their trimmed reference in one pass: an open
// addressing table of the groups, probed linearly, with no allocation per row.
class References {
 public:
  struct Written {
    std::string_view reference;
    int row;
    int group;
  };
  struct Group {
    int count;
    int first;
  };

  explicit References(std::size_t rows)
      : slots_(std::bit_ceil(std::max<std::size_t>(16, rows * 2)), -1) {
    written_.reserve(rows);
  }

  void add(std::string_view reference, int row) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = std::hash<std::string_view>{}(reference)&mask;
    while (slots_[at] >= 0 && groupReference_[static_cast<std::size_t>(slots_[at])] != reference)
      at = (at + 1) & mask;
    if (slots_[at] < 0) {
      slots_[at] = static_cast<int>(groups_.size());
      groups_.push_back({0, row});
      groupReference_.push_back(reference);
    }
    const int group = slots_[at];
    ++groups_[static_cast<std::size_t>(group)].count;
    written_.push_back({reference, row, group});
  }

  const std::vector<Written>& written() const { return written_; }
  const Group& group(const Written& w) const { return groups_[static_cast<std::size_t>(w.group)]; }

 private:
  std::vector<int> slots_;
  std::vector<Group> groups_;
  std::vector<std::string_view> groupReference_;
  std::vector<Written> written_;
};

// The findings of one table, a row at a time, then those between rows.
class Checker {
 public:
  Checker(const Grid& table, const NumberFormat& format)
      : table_(table), format_(format), references_(static_cast<std::size_t>(table.RowCount())) {}

  std::vector<Finding> run() {
    if (table_.ColCount() < kTableColumns) return {};
    for (int row = kFirstDataRow; row < table_.RowCount(); ++row)
      if (hasComponentNumber(table_, row)) checkRow(row);  // the writers pass the others over
    addDuplicateReferences();
    addSamePlaces();
    // Within a row and a kind, findings keep the order they were made in: by column.
    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
      if (a.row != b.row) return a.row < b.row;
      return static_cast<int>(a.code) < static_cast<int>(b.code);
    });
    return std::move(findings_);
  }

 private:
  void add(int row, FindingCode code, std::string_view reference, Text text) {
    findings_.push_back({row, code, std::string(reference), std::move(text)});
  }

  std::string_view cell(int column, int row) const { return trim(table_.cell(column, row)); }

  // A text of a finding: the key, the reference first, then the rest.
  static Text said(const char* key, std::string_view reference, std::vector<Text> rest = {}) {
    rest.insert(rest.begin(), Text::data(shown(reference)));
    return Text(key, std::move(rest));
  }
  static Text column(int column) { return Text(std::string(columnName(column))); }

  void checkRow(int row) {
    const std::string_view reference = cell(col::Reference, row);
    if (reference.empty()) {
      add(row, FindingCode::noReference, reference,
          Text(BRISEL_TRANSLATE_NOOP(
                   "Message", "riga con numero '%1' ma senza riferimento: non viene scritta"),
               {Text::data(shown(cell(col::Number, row)))}));
      return;
    }
    references_.add(reference, row);
    const std::string_view value = cell(col::Value, row);
    if (value.empty())
      add(row, FindingCode::noValue, reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: valore mancante"), reference));
    if (value == "???")
      add(row, FindingCode::noValue, reference,
          said(BRISEL_TRANSLATE_NOOP("Message",
                                     "%1: valore '??"
                                     "?', non trovato nel file CMP"),
               reference));
    checkNumbers(row, reference);
    for (int c : {col::Reference, col::Value, col::Footprint}) {
      const std::string_view text = cell(c, row);
      if (holdsBlank(text))
        add(row, FindingCode::blankInField, reference,
            said(BRISEL_TRANSLATE_NOOP("Message",
                                       "%1: colonna %2 '%3' contiene uno spazio: la riga ZIRKAN "
                                       "avrebbe pi\xC3\xB9 di sei campi"),
                 reference, {column(c), Text::data(shown(text))}));
    }
    if (sideOf(table_, row) == Side::unknown)
      add(row, FindingCode::unknownSide, reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: lato '%2' n\xC3\xA9 T n\xC3\xA9 B"), reference,
               {Text::data(shown(cell(col::Side, row)))}));
  }

  // N., X, Y and the angle as the writers read them; the place of the row,
  // once both coordinates convert, for the pairs.
  void checkNumbers(int row, std::string_view reference) {
    auto notANumber = [&](int c) {
      add(row, FindingCode::notANumber, reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: colonna %2: %3"), reference,
               {column(c), ConversionError(cell(c, row)).said()}));
    };
    if (!tryTextToInteger(table_.cell(col::Number, row), format_)) notANumber(col::Number);
    const std::optional<float> x = tryTextToFloat(cell(col::X, row), format_);
    if (!x) notANumber(col::X);
    const std::optional<float> y = tryTextToFloat(cell(col::Y, row), format_);
    if (!y) notANumber(col::Y);
    const std::optional<std::int32_t> angle =
        tryTextToInteger(table_.cell(col::Angle, row), format_);
    if (!angle) notANumber(col::Angle);
    if (x && y) places_.push_back({row, *x, *y});
    if ((x && *x < 0) || (y && *y < 0))
      add(row, FindingCode::negativePosition, reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: posizione negativa (X %2, Y %3)"), reference,
               {Text::data(shown(cell(col::X, row))), Text::data(shown(cell(col::Y, row)))}));
    if (angle) {
      const int turn = static_cast<std::int16_t>(low16(*angle));
      if (turn % 90 != 0)
        add(row, FindingCode::oddAngle, reference,
            said(BRISEL_TRANSLATE_NOOP("Message", "%1: angolo %2 non multiplo di 90"), reference,
                 {Text::number(turn)}));
    }
  }

  void addDuplicateReferences() {
    for (const References::Written& written : references_.written()) {
      const References::Group& group = references_.group(written);
      if (group.count > 1)
        add(written.row, FindingCode::duplicateReference, written.reference,
            said(BRISEL_TRANSLATE_NOOP(
                     "Message",
                     "%1: riferimento ripetuto su %2 righe (la prima \xC3\xA8 la riga %3)"),
                 written.reference, {Text::number(group.count), Text::number(group.first)}));
    }
  }

  void addSamePlaces() {
    const std::vector<int> near = Squares(places_).samePlaces();
    for (std::size_t i = 0; i < places_.size(); ++i) {
      if (near[i] < 0) continue;
      const Place& other = places_[static_cast<std::size_t>(near[i])];
      const std::string_view reference = cell(col::Reference, places_[i].row);
      add(places_[i].row, FindingCode::samePlace, reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: nella stessa posizione di %2 (riga %3)"),
               reference,
               {Text::data(shown(cell(col::Reference, other.row))), Text::number(other.row)}));
    }
  }

  const Grid& table_;
  const NumberFormat& format_;
  std::vector<Finding> findings_;
  std::vector<Place> places_;
  References references_;
};

}  // namespace

std::vector<Finding> checkTable(const Grid& table, const NumberFormat& format) {
  return Checker(table, format).run();
}

std::vector<int> rowsWithFindings(const std::vector<Finding>& findings) {
  std::vector<int> rows;
  for (const Finding& finding : findings)
    if (finding.row > 0 && !isInformation(finding.code)) rows.push_back(finding.row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

Outcome checkComponents(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  workspace.findings = checkTable(workspace.StringGrid1, controls.numbers());
  return {};
}

}  // namespace brisel
