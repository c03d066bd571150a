// The panel: one board stepped and repeated on one carrier, and boards of it
// left out. Board 1 stays where the board stood, board 2 to its right; column
// 9 tells a row's board (core/component_row.h). A bottom side's panel is built
// as seen from the top and turned over whole (docs/board-sides.md).
//
// The copies move as the board steps move a part (table/board_parts.h): X + c
// times the pitch along X, computed in double precision, written as the float
// the QPF writer reads back; a copy whose record stays as it is keeps its
// cells' bytes.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"
#include "table/board_parts.h"
#include "table/operations.h"

namespace brisel {

namespace {

// A whole number written with digits only, as a board or a count of boards.
std::optional<int> wholeNumber(std::string_view text) {
  int number = 0;
  if (text.empty() || text.size() > 9) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

struct BoardRange {
  int first;
  int last;
};

// "2,5-6": boards and ranges, each from 1 on, a range not backwards; blanks
// around them allowed, as the window's box may hold them.
std::optional<std::vector<BoardRange>> boardList(std::string_view text) {
  std::vector<BoardRange> ranges;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = trim(text.substr(0, comma));
    const std::size_t dash = item.find('-');
    const std::optional<int> first = wholeNumber(trim(item.substr(0, dash)));
    const std::optional<int> last =
        dash == std::string_view::npos ? first : wholeNumber(trim(item.substr(dash + 1)));
    if (!first || !last || *first < 1 || *last < *first) return std::nullopt;
    ranges.push_back({*first, *last});
    if (comma == std::string_view::npos) return ranges;
    text.remove_prefix(comma + 1);
  }
}

Error unknownBoard(const Grid& table, int row) {
  return cellError(table, col::Board, row,
                   BRISEL_TRANSLATE_NOOP("Message", "'%1' non \xC3\xA8 un numero di scheda"));
}

// A panel is made of a lone board: one of a panel would be stepped twice.
void requireLoneBoard(const Grid& table) {
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!isComponentRow(table, row)) continue;
    const int board = boardOf(table, row);
    if (board == kUnknownBoard) throw unknownBoard(table, row);
    if (board > 0)
      throw Error(
          Text(BRISEL_TRANSLATE_NOOP(
                   "Message", "La tabella \xC3\xA8 gi\xC3\xA0 un pannello: riga %1, scheda %2"),
               {Text::number(row), Text::number(board)}));
  }
}

// A row that is no component but holds text: it follows the panel's rows.
bool holdsText(const Grid& table, int row) {
  for (int column = 0; column < table.ColCount(); ++column)
    if (!table.cell(column, row).empty()) return true;
  return false;
}

// A whole number as a cell takes it, without a string of its own.
class Digits {
 public:
  explicit Digits(long long number) {
    size_ = static_cast<std::size_t>(std::to_chars(bytes_, bytes_ + sizeof bytes_, number).ptr -
                                     bytes_);
  }
  std::string_view view() const { return {bytes_, size_}; }

 private:
  char bytes_[24];
  std::size_t size_ = 0;
};

// The rows of a panel, into a table of its own: a copy whose coordinate is
// out of scale throws before the table changes. Row 0 as it was, then board
// k = r * columns + c + 1 for each r and c, its parts in table order, then the
// rows of text; the growth rule's empty rows below.
Grid panelTable(const Grid& table, const std::vector<Part>& parts, const Controls& controls) {
  std::vector<int> textRows;
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    if (!isComponentRow(table, row) && holdsText(table, row)) textRows.push_back(row);
  const int copies = static_cast<int>(parts.size()) * controls.panelColumns * controls.panelRows;
  Grid panel(table.ColCount(), copies + static_cast<int>(textRows.size()) + 10);
  std::vector<std::string_view> cells(static_cast<std::size_t>(table.ColCount()));
  auto copyRow = [&](int from) {
    for (int column = 0; column < table.ColCount(); ++column)
      cells[static_cast<std::size_t>(column)] = table.cell(column, from);
  };
  copyRow(0);
  panel.setCells(0, 0, cells);
  int row = kFirstDataRow;
  for (int r = 0; r < controls.panelRows; ++r)
    for (int c = 0; c < controls.panelColumns; ++c) {
      const Digits board(r * controls.panelColumns + c + 1);
      for (Part copy : parts) {
        moveTo(copy, copy.x + c * controls.panelPitchX, copy.y + r * controls.panelPitchY,
               copy.angle);
        copyRow(copy.row);
        const Digits number(row), angle(copy.angle);
        cells[col::Number] = number.view();
        cells[col::Board] = board.view();
        std::optional<CoordinateTexts> texts;
        if (copy.changed) {
          texts = textsOf(copy, controls.decimalSeparator);
          cells[col::X] = texts->x.view();
          cells[col::Y] = texts->y.view();
          cells[col::Angle] = angle.view();
        }
        panel.setCells(0, row++, cells);
      }
    }
  for (int from : textRows) {
    copyRow(from);
    panel.setCells(0, row++, cells);
  }
  return panel;
}

// The boards the rows of a panel name, by number; a board cell that names
// none stops here.
std::vector<char> boardsOf(const Grid& table) {
  std::vector<char> present(kMaxBoards + 1, 0);
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!holdsComponent(table, row)) continue;
    const int board = boardOf(table, row);
    if (board == kUnknownBoard) throw unknownBoard(table, row);
    present[static_cast<std::size_t>(board)] = 1;
  }
  return present;
}

// The boards the list names, each of them in the panel, or the least that is
// not. Counted over the panel's boards once rather than range by range, so a
// list of many long ranges costs no more than a short one.
std::vector<char> boardsToSkip(const std::vector<BoardRange>& ranges,
                               const std::vector<char>& present) {
  std::vector<int> starts(kMaxBoards + 2, 0);  // +1 where a range starts, -1 past its end
  int beyond = 0;                              // the least listed board past the last one
  for (const BoardRange& range : ranges) {
    if (range.last > kMaxBoards) {
      const int least = std::max(range.first, kMaxBoards + 1);
      beyond = beyond == 0 ? least : std::min(beyond, least);
    }
    if (range.first > kMaxBoards) continue;
    ++starts[static_cast<std::size_t>(range.first)];
    --starts[static_cast<std::size_t>(std::min(range.last, kMaxBoards)) + 1];
  }
  auto missing = [](int board) {
    return Error(Text(BRISEL_TRANSLATE_NOOP("Message", "La scheda %1 non \xC3\xA8 nel pannello"),
                      {Text::number(board)}));
  };
  std::vector<char> skipped(kMaxBoards + 1, 0);
  int open = 0;  // ranges that hold the board
  for (int board = 1; board <= kMaxBoards; ++board) {
    open += starts[static_cast<std::size_t>(board)];
    if (open == 0) continue;
    if (!present[static_cast<std::size_t>(board)]) throw missing(board);
    skipped[static_cast<std::size_t>(board)] = 1;
  }
  if (beyond != 0) throw missing(beyond);
  return skipped;
}

}  // namespace

Outcome buildPanel(Workspace& workspace, const Controls& controls, Progress&) {
  const int columns = controls.panelColumns, rows = controls.panelRows;
  if (columns < 1 || columns > kMaxPanelSide || rows < 1 || rows > kMaxPanelSide)
    throw Error(
        Text(BRISEL_TRANSLATE_NOOP("Message", "Colonne e righe del pannello da 1 a %1, non %2x%3"),
             {Text::number(kMaxPanelSide), Text::number(columns), Text::number(rows)}));
  Grid& table = workspace.StringGrid1;
  requireLoneBoard(table);
  const std::vector<Part> parts = readParts(table, controls.numbers());
  if (parts.empty())
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "La tabella non ha componenti da ripetere"));
  const long long total = static_cast<long long>(parts.size()) * columns * rows;
  if (total > kMaxComponents)
    throw Error(
        Text(BRISEL_TRANSLATE_NOOP("Message", "Il pannello darebbe %1 componenti: al massimo %2"),
             {Text::number(total), Text::number(kMaxComponents)}));
  table = panelTable(table, parts, controls);
  Outcome outcome;
  outcome.summary =
      Text(columns * rows == 1
               ? BRISEL_TRANSLATE_NOOP("Message", "Pannello di %1 scheda: %2 componenti")
               : BRISEL_TRANSLATE_NOOP("Message", "Pannello di %1 schede: %2 componenti"),
           {Text::number(columns * rows), Text::number(total)});
  return outcome;
}

Outcome skipPanelBoards(Workspace& workspace, const Controls& controls, Progress&) {
  const std::optional<std::vector<BoardRange>> ranges = boardList(controls.skipBoards);
  if (!ranges)
    throw Error(Text(BRISEL_TRANSLATE_NOOP(
                         "Message", "Schede da saltare: '%1' non \xC3\xA8 un elenco come 2,5-6"),
                     {Text::data(escapeControls(controls.skipBoards))}));
  Grid& table = workspace.StringGrid1;
  if (!isPanel(table))
    throw Error(BRISEL_TRANSLATE_NOOP("Message", "La tabella non \xC3\xA8 un pannello"));
  const std::vector<char> skipped = boardsToSkip(*ranges, boardsOf(table));
  std::vector<char> goes(static_cast<std::size_t>(table.RowCount()), 0);
  for (int row = kFirstDataRow; row < table.RowCount(); ++row)
    goes[static_cast<std::size_t>(row)] =
        holdsComponent(table, row) && skipped[static_cast<std::size_t>(boardOf(table, row))];
  const int gone = removeRows(table, goes);
  Outcome outcome;
  outcome.summary =
      Text(gone == 1 ? BRISEL_TRANSLATE_NOOP("Message", "Salta schede: %1 riga tolta")
                     : BRISEL_TRANSLATE_NOOP("Message", "Salta schede: %1 righe tolte"),
           {Text::number(gone)});
  return outcome;
}

void readPanelWord(std::string_view text, Controls& controls) {
  const std::size_t comma = text.find(',');
  const std::string_view shape = text.substr(0, comma);
  const std::size_t times = shape.find('x');
  std::optional<int> columns, rows;
  std::optional<Millimetres> pitch;
  if (comma != std::string_view::npos && times != std::string_view::npos) {
    columns = wholeNumber(shape.substr(0, times));
    rows = wholeNumber(shape.substr(times + 1));
    pitch = readMillimetres(text.substr(comma + 1));
  }
  if (!columns || !rows || !pitch)
    throw Error(
        "panel wants CxR,PX,PY: whole numbers of columns and rows, the pitches in millimetres "
        "with a point as separator");
  controls.panelColumns = *columns;
  controls.panelRows = *rows;
  controls.panelPitchX = pitch->x;
  controls.panelPitchY = pitch->y;
}

void readSkipWord(std::string_view text, Controls& controls) {
  if (!boardList(text)) throw Error("skip-boards wants boards and ranges of boards such as 2,5-6");
  controls.skipBoards = text;
}

}  // namespace brisel
