#include "app/sheet_text.h"

#include <algorithm>
#include <optional>

#include "core/table_shape.h"
#include "core/translatable.h"

namespace brisel {

namespace {

bool needsQuotes(std::string_view text) {
  return (!text.empty() && text.front() == '"') ||
         text.find_first_of("\t\n\r") != std::string_view::npos;
}

bool isControl(unsigned char byte) {
  return (byte < 32 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

// Text that is no sheet's: a NUL byte, or control characters in more than a
// tenth of it.
void refuseBinary(std::string_view text) {
  std::size_t controls = 0;
  for (char ch : text) {
    if (ch == '\0')
      throw PasteRefused(
          BRISEL_TRANSLATE_NOOP("Message", "Il testo da incollare contiene dati binari"));
    if (isControl(static_cast<unsigned char>(ch))) ++controls;
  }
  if (controls * 10 > text.size())
    throw PasteRefused(
        BRISEL_TRANSLATE_NOOP("Message", "Il testo da incollare contiene dati binari"));
}

struct QuotedCell {
  std::string cell;
  std::size_t after;  // the tab or line end after its closing quote, or the text's end
};

// A quoted cell runs from the quote at `start` to the quote that a tab, a line
// end or the end follows (carriage returns between them skipped). Without
// one, `searched` tells where the search stopped.
std::optional<QuotedCell> quotedCell(std::string_view text, std::size_t start,
                                     std::size_t& searched) {
  std::string quoted;
  std::size_t k = start + 1;
  while (k < text.size()) {
    if (text[k] == '"') {
      if (k + 1 < text.size() && text[k + 1] == '"') {
        quoted += '"';
        k += 2;
        continue;
      }
      std::size_t after = k + 1;
      while (after < text.size() && text[after] == '\r') ++after;
      if (after == text.size() || text[after] == '\t' || text[after] == '\n')
        return QuotedCell{std::move(quoted), after};
      break;
    }
    quoted += text[k++];
  }
  searched = k;
  return std::nullopt;
}

}  // namespace

std::string copyCells(const Grid& grid, const GridRect& rect) {
  const int left = std::max(rect.Left, 0);
  const int top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, grid.ColCount() - 1);
  const int bottom = std::min(rect.Bottom, grid.RowCount() - 1);
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += '\t';
      std::string_view text = grid.cell(c, r);
      if (!needsQuotes(text)) {
        out += text;
        continue;
      }
      out += '"';
      for (char ch : text) {
        if (ch == '"') out += '"';
        out += ch;
      }
      out += '"';
    }
    out += '\n';
  }
  return out;
}

void checkPasteSize(std::size_t bytes) {
  if (bytes > kMaxPasteBytes)
    throw PasteRefused("Testo troppo grande da incollare: al massimo " +
                       std::to_string(kMaxPasteBytes) + " byte");
}

std::vector<std::vector<std::string>> parseCells(std::string_view text) {
  checkPasteSize(text.size());
  refuseBinary(text);

  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string cell;
  std::size_t i = 0;
  bool lineOpen = false;
  // Where the last quote that found no end stopped looking: a quote before
  // that finds none either, and is not looked at again (no quadratic scan).
  std::size_t unclosedUntil = 0;
  auto endCell = [&] {
    row.push_back(std::move(cell));
    cell.clear();
  };
  auto endLine = [&] {
    endCell();
    rows.push_back(std::move(row));
    row.clear();
    lineOpen = false;
  };
  while (i < text.size()) {
    lineOpen = true;
    // Without its closing quote, a quote is an ordinary character.
    if (cell.empty() && text[i] == '"' && i >= unclosedUntil) {
      if (std::optional<QuotedCell> quoted = quotedCell(text, i, unclosedUntil)) {
        cell = std::move(quoted->cell);
        i = quoted->after;
        if (i == text.size()) break;
        if (text[i] == '\t')
          endCell();
        else
          endLine();
        ++i;
        continue;
      }
    }
    const char ch = text[i++];
    if (ch == '\t')
      endCell();
    else if (ch == '\n')
      endLine();
    else if (ch != '\r')
      cell += ch;
  }
  if (lineOpen) endLine();
  return rows;
}

Outcome pasteCells(Workspace& workspace, int column, int row,
                   const std::vector<std::vector<std::string>>& rows) {
  Grid& table = workspace.StringGrid1;
  Outcome outcome;
  std::size_t left = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const long target = static_cast<long>(row) + static_cast<long>(i);
    if (target > kMaxComponents) {
      left = rows.size() - i;
      break;
    }
    const int r = static_cast<int>(target);
    if (r >= table.RowCount()) table.growFor(r);
    for (std::size_t j = 0; j < rows[i].size(); ++j) {
      const long c = static_cast<long>(column) + static_cast<long>(j);
      if (c < 1 || c >= table.ColCount()) continue;
      table.setCell(static_cast<int>(c), r, rows[i][j]);
    }
  }
  if (left > 0)
    outcome.messages.push_back(
        {"Messaggio",
         Text(BRISEL_TRANSLATE_NOOP(
                  "Message", "Incollate solo le righe fino alla %1: tralasciate le altre %2"),
              {Text::number(kMaxComponents), Text::number(static_cast<long long>(left))})});
  return outcome;
}

void clearCells(Grid& grid, const GridRect& rect) {
  const int left = std::max(rect.Left, 1);
  const int top = std::max(rect.Top, kFirstDataRow);
  const int right = std::min(rect.Right, grid.ColCount() - 1);
  const int bottom = std::min(rect.Bottom, grid.RowCount() - 1);
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) grid.clearCell(c, r);
}

}  // namespace brisel
