#include "cli/words.h"

#include <algorithm>
#include <array>
#include <deque>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include "core/buttons.h"

namespace brisel::cli {

namespace {

constexpr std::array<Word, 23> kSettings{{
    {"--qpf-template PATH", "the QPF file whose header the output takes"},
    {"--rep PATH", "the REP file of import-rep"},
    {"--cmp PATH", "the CMP file of import-cmp"},
    {"--qpf PATH", "the QPF file write-qpf writes and view-qpf reads"},
    {"--mnt PATH", "the MNT file of import-mnt"},
    {"--bom PATH", "the BOM file of import-bom"},
    {"--rak PATH", "the rotation rules (RAK file)"},
    {"--txt PATH", "the TXT file of import-txt"},
    {"--zirkan PATH", "the ZIRKAN file write-zirkan writes and view-zirkan reads"},
    {"--placements PATH", "the placement file of import-placements (KiCad, Altium, CSV...)"},
    {"--columns LIST",
     "its columns where it cannot tell: ref=NAME,x=NAME,y=NAME,angle=,side=,"
     "value=,footprint= (names, or numbers from 1)"},
    {"--units U", "its unit where it says none: mm, mil or in (default: as --mils says)"},
    {"--mils", "imported coordinates are in mils (default: mm)"},
    {"--comma",
     "turn every point of an imported line into a comma (default where the decimal "
     "separator is the comma)"},
    {"--no-comma",
     "turn every comma of an imported line into a point (default where it is the "
     "point)"},
    {"--english", "read the first comma of a number as a point"},
    {"--force TEXT", "the force of the QPF records (its first character; default 1)"},
    {"--decimal-separator C", ". or , (default: from LC_ALL, LC_NUMERIC, LANG)"},
    {"--keep-going", "run the operations after a failed one too"},
    {"--quiet", "leave out the success messages"},
    {"--help", "show this help (also -h) and exit"},
    {"--version", "show the version and exit"},
    {"-", "as a PATH: standard input, or standard output for the write- operations"},
}};

// The words that are no button of the window.
constexpr Word kOtherOperations[] = {
    {"print=rak-report", "print the rows removed and the rules unused by the last rule run"},
    {"undo", "undo the last step that changed the tables"},
    {"redo", "redo the step undone last"},
    {"paste=COL,ROW,PATH", "paste the tab-separated file at that cell"},
    {"preview=PATH", "write the picture of the board as SVG"},
    {"set=COL,ROW,TEXT", "type TEXT into a cell of the table"},
    {"print", "print the component table (= print=table)"},
    {"print=bytes", "print the byte dump of a viewed QPF file"},
    {"print=rules", "print the loaded rotation rules"},
    {"print=memo", "print the byte list of a viewed QPF file"},
    {"print=buttons", "print the state of the buttons that can be disabled"},
};

// A button's word with the shape of its cursor: "sort=COL".
std::string_view shaped(const Button& button) {
  static std::deque<std::string> shapes;
  switch (button.cursor) {
    case CursorWord::none:
      return button.word;
    case CursorWord::row:
      return shapes.emplace_back(std::string(button.word) + "=ROW");
    case CursorWord::column:
      return shapes.emplace_back(std::string(button.word) + "=COL");
    case CursorWord::rows:
      return shapes.emplace_back(std::string(button.word) + "=TOP[-BOTTOM]");
    case CursorWord::value:
      return shapes.emplace_back(std::string(button.word) + "=" + std::string(button.argument));
    case CursorWord::path:
      return shapes.emplace_back(std::string(button.word) + "=PATH");
  }
  return button.word;
}

// The buttons' words, then the others.
const std::vector<Word>& operations() {
  static const std::vector<Word> words = [] {
    std::vector<Word> all;
    for (const Button& button : kButtons) all.push_back({shaped(button), button.help});
    all.insert(all.end(), std::begin(kOtherOperations), std::end(kOtherOperations));
    return all;
  }();
  return words;
}

// The word without its argument: "--rep" of "--rep PATH" and of "--rep=x",
// "sort" of "sort=COL".
std::string_view bare(std::string_view word) {
  return word.substr(0, std::min(word.find(' '), word.find('=')));
}

std::optional<std::string> nearest(std::string_view typed, std::span<const Word> words) {
  std::string_view word = bare(typed);
  std::string_view best;
  std::size_t bestDistance = std::string_view::npos;
  for (const Word& known : words) {
    for (std::string_view candidate : {known.word, bare(known.word)}) {
      if (candidate.size() < 2) continue;
      std::size_t distance = editDistance(word, candidate);
      if (distance < bestDistance) {
        best = candidate;
        bestDistance = distance;
      }
    }
  }
  // A slip: a third of the word at most, and never the whole of a short one.
  std::size_t allowed = std::max<std::size_t>(1, std::min<std::size_t>(3, word.size() / 3));
  if (bestDistance == 0 || bestDistance > allowed) return std::nullopt;
  return std::string(best);
}

}  // namespace

std::span<const Word> settingWords() {
  return kSettings;
}

std::span<const Word> operationWords() {
  return operations();
}

std::string usageLine() {
  return "usage: brisel-cli [SETTING...] OPERATION...  (brisel-cli --help lists them)";
}

std::string helpText() {
  std::string text =
      "usage: brisel-cli [SETTING...] OPERATION...\n"
      "Runs the operations in order on one table, as the window's buttons do.\n"
      "A setting is --name VALUE or --name=VALUE.\n\nSettings:\n";
  auto list = [&text](std::span<const Word> words) {
    for (const Word& word : words) {
      std::string left = "  " + std::string(word.word);
      left.resize(std::max<std::size_t>(left.size() + 2, 26), ' ');
      text += left + std::string(word.help) + "\n";
    }
  };
  list(kSettings);
  text += "\nOperations:\n";
  list(operations());
  text +=
      "\nExit status: 0 when every operation succeeded, 1 after a failed one, 2 for bad usage.\n";
  return text;
}

std::optional<std::string> nearestSetting(std::string_view word) {
  return nearest(word, kSettings);
}

std::optional<std::string> nearestOperation(std::string_view word) {
  return nearest(word, operations());
}

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace brisel::cli
