#pragma once
// The words brisel-cli knows, as its help lists them, and the nearest of
// them to a word it does not know.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brisel::cli {

struct Word {
  std::string_view word;  // as typed, with its argument's shape
  std::string_view help;  // one line
};

// The operations that are no button of the window and print nothing, as
// the help lists them; defined beside their reading in cli.cpp.
std::span<const Word> otherOperationWords();

// Every setting and every operation, in the order the help lists them.
std::span<const Word> settingWords();
std::span<const Word> operationWords();

// The usage line, then one line a setting and one an operation.
std::string helpText();

// The one-line usage that follows a usage error.
std::string usageLine();

// The known setting or operation closest to `word` by edit distance, when it
// is close enough to be a slip of the fingers.
std::optional<std::string> nearestSetting(std::string_view word);
std::optional<std::string> nearestOperation(std::string_view word);

// Levenshtein distance: insertions, deletions and substitutions, one each.
std::size_t editDistance(std::string_view a, std::string_view b);

}  // namespace brisel::cli
