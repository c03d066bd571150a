#include "import/placement_parts.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>

#include "import/placement_row.h"
#include "import/reading.h"

namespace brisel::placements {

namespace {

// A file of this size or more is read in parts, two at a time.
constexpr std::size_t kPartBytes = 64 * 1024;
constexpr std::size_t kParts = 8;

// Lines are long enough for a search to beat a byte by byte count.
long countOf(std::string_view text, char c) {
  long count = 0;
  for (std::size_t at = text.find(c); at != std::string_view::npos; at = text.find(c, at + 1))
    ++count;
  return count;
}

// Where the parts after the first start: at the line end after each eighth
// of the text.
std::vector<std::size_t> startsBySize(std::string_view text, char lineEnd) {
  std::vector<std::size_t> starts;
  std::size_t start = 0;
  for (std::size_t i = 1; i < kParts; ++i) {
    const std::size_t at = text.find(lineEnd, std::max(start, text.size() / kParts * i));
    if (at == std::string_view::npos || at + 1 >= text.size()) break;
    start = at + 1;
    starts.push_back(start);
  }
  return starts;
}

// Where the parts after the first start: the data lines after the header
// shared out between as many parts as there are lines, at most eight.
std::vector<std::size_t> startsByLines(std::string_view text, char lineEnd, long headerLine) {
  std::size_t data = 0;
  for (long line = 0; line < headerLine; ++line) {
    const std::size_t at = text.find(lineEnd, data);
    if (at == std::string_view::npos) return {};
    data = at + 1;
  }
  const std::string_view rest = text.substr(data);
  const long lines = countOf(rest, lineEnd) + (rest.empty() || rest.ends_with(lineEnd) ? 0 : 1);
  const long count = std::min(static_cast<long>(kParts), lines);
  std::vector<std::size_t> starts;
  std::size_t at = data;
  for (long part = 1, line = 0; part < count; ++part) {
    for (; line < lines * part / count; ++line) at = text.find(lineEnd, at) + 1;
    starts.push_back(at);
  }
  return starts;
}

std::vector<std::size_t> startsOf(std::string_view text, const Reading& reading, Split split) {
  if (!reading.layout.header) return {};
  if (split == Split::always)
    return startsByLines(text, reading.lineEnd, reading.layout.headerLine);
  if (split == Split::bySize && text.size() >= kPartBytes &&
      std::thread::hardware_concurrency() >= 2)
    return startsBySize(text, reading.lineEnd);
  return {};
}

// A row a line at most, and never more than the table can number: the table
// takes its rows at once, and the import gives back those left empty below
// the growth rule's nine at the end, as if it had grown row by row.
void readPart(Part& part, const Reading& reading) {
  try {
    part.table.setRowCount(static_cast<int>(std::min(part.room, importing::kLastRow) + 10));
    Lines lines(part.text, reading.lineEnd, part.linesBefore);
    part.passed = eachRow(
        lines, reading.layout, reading.givenUnit, reading.controls, reading.name,
        [&part](const Cells& cells, long k) {
          const int r = static_cast<int>(k);
          part.table.growFor(r);
          part.table.setCells(1, r, cells);
          part.written = k;
          return true;
        },
        part.numberedAfter);
  } catch (...) {
    part.failure = std::current_exception();
  }
}

// The rows of a later part after those before it, numbered on from them.
void join(Part& first, Part& later) {
  first.passed.noReference += later.passed.noReference;
  first.passed.notToPlace += later.passed.notToPlace;
  first.failure = later.failure;
  if (later.written == 0) return;
  const long total = first.written + later.written;
  first.table.growFor(static_cast<int>(total));
  first.table.takeRows(std::move(later.table), 1, static_cast<int>(later.written),
                       static_cast<int>(first.written) + 1);
  if (first.written != later.numberedAfter) {  // a line before the part was skipped
    std::array<char, 32> number;
    for (long k = first.written + 1; k <= total; ++k)
      first.table.setCell(1, static_cast<int>(k), decimal(k, number));
  }
  first.written = total;
}

}  // namespace

std::vector<Part> cutInParts(std::string_view text, const Reading& reading, Split split) {
  const Layout& layout = reading.layout;
  const std::vector<std::size_t> starts = startsOf(text, reading, split);
  std::vector<Part> parts(starts.size() + 1);
  long lines = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::size_t start = i == 0 ? 0 : starts[i - 1];
    const std::size_t end = i < starts.size() ? starts[i] : text.size();
    Part& part = parts[i];
    part.text = text.substr(start, end - start);
    part.linesBefore = lines;
    part.numberedAfter = lines - layout.headerLine;
    const long own = countOf(part.text, reading.lineEnd);
    part.room = own + 1;
    lines += own;
  }
  if (!text.ends_with(reading.lineEnd)) ++lines;
  parts[0].numberedAfter = 0;
  parts[0].room = lines;
  const bool apart = parts.size() > 1 && parts[1].linesBefore >= layout.headerLine &&
                     lines - layout.headerLine <= importing::kLastRow;
  if (!apart) {
    parts.resize(1);
    parts[0].text = text;
  }
  return parts;
}

// Two threads take the parts in turn, the next free one the next part: a
// core slowed by other work reads fewer of them. The calling thread also
// joins each part read to those before it as soon as they are all read, in
// the file's order, so that little is left to join at the end. The first
// failing line in the file's order stops the joins.
void readParts(std::vector<Part>& parts, const Reading& reading) {
  std::vector<std::atomic<bool>> read(parts.size());
  std::atomic<std::size_t> next{0};
  std::size_t joined = 1;
  auto joinRead = [&] {
    if (!read[0].load(std::memory_order_acquire)) return;
    for (; joined < parts.size() && read[joined].load(std::memory_order_acquire); ++joined)
      if (!parts[0].failure) join(parts[0], parts[joined]);
  };
  auto take = [&](bool joining) {
    for (std::size_t i = next++; i < parts.size(); i = next++) {
      readPart(parts[i], reading);
      read[i].store(true, std::memory_order_release);
      if (joining) joinRead();
    }
  };
  {
    std::thread helper;
    if (parts.size() > 1) {
      try {
        helper = std::thread(take, false);
      } catch (const std::system_error&) {
        // no thread to be had: this one reads every part
      }
    }
    // waited for however this thread leaves (a join may fail for memory)
    struct Waited {
      std::thread& thread;
      ~Waited() {
        if (thread.joinable()) thread.join();
      }
    } waited{helper};
    take(true);
  }
  joinRead();
}

}  // namespace brisel::placements
