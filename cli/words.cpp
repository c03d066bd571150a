#include "cli/words.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "app/buttons.h"
#include "cli/printouts.h"
#include "cli/settings.h"

namespace brisel::cli {

namespace {

// Not a setting: what a PATH of `-` stands for, listed with them.
constexpr Word kStandardStreamNote{
    "-", "as a PATH: standard input, or standard output for the write- operations"};

// Words built at run time, kept for the life of the program.
std::string_view keep(std::string word) {
  static std::deque<std::string> kept;
  return kept.emplace_back(std::move(word));
}

// The settings with the shape of their argument: "--rep PATH".
const std::vector<Word>& settingList() {
  static const std::vector<Word> words = [] {
    std::vector<Word> all;
    for (const Setting& setting : settings()) {
      std::string_view shape = setting.argument == Argument::path ? "PATH" : setting.shape;
      all.push_back({shape.empty() ? setting.word
                                   : keep(std::string(setting.word) + " " + std::string(shape)),
                     setting.help});
    }
    all.push_back(kStandardStreamNote);
    return all;
  }();
  return words;
}

// A button's word with the shape of its cursor: "sort=COL".
std::string_view shaped(const Button& button) {
  std::string word(button.word);
  switch (button.cursor) {
    case CursorWord::none:
      return button.word;
    case CursorWord::row:
      return keep(word + "=ROW");
    case CursorWord::column:
      return keep(word + "=COL");
    case CursorWord::rows:
      return keep(word + "=TOP[-BOTTOM]");
    case CursorWord::value:
      return keep(word + "=" + std::string(button.argument));
    case CursorWord::path:
      return keep(word + "=PATH");
  }
  return button.word;
}

// The buttons' words, the others, then the printouts: "print" alone for the
// first, "print=WHAT" for the rest.
const std::vector<Word>& operations() {
  static const std::vector<Word> words = [] {
    std::vector<Word> all;
    for (const Button& button : kButtons) all.push_back({shaped(button), button.help});
    const std::span<const Word> others = otherOperationWords();
    all.insert(all.end(), others.begin(), others.end());
    bool first = true;
    for (const Printout& printout : printouts()) {
      all.push_back(
          {first ? std::string_view("print") : keep("print=" + std::string(printout.what)),
           printout.help});
      first = false;
    }
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
  return settingList();
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
  list(settingList());
  text += "\nOperations:\n";
  list(operations());
  text +=
      "\nExit status: 0 when every operation succeeded, 1 after a failed one, 2 for bad usage.\n";
  return text;
}

std::optional<std::string> nearestSetting(std::string_view word) {
  return nearest(word, settingList());
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
