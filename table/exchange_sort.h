#pragma once
// The row order of the exchange sort that the rule list and the table sort
// use, found without running it.
//
// The exchange sort: for i from first to last - 1, for j from i + 1 to last,
// exchange items i and j when item j is less than item i. Items of equal keys
// are never exchanged with each other, yet their order changes through the
// exchanges with third items, and operators see that order (the first of
// equal rules wins), so it has to be the exact one. Running the sort costs n²/2
// comparisons: minutes for a 65,535-row table.

#include <string_view>
#include <vector>

namespace brisel {

// Dense ranks of the texts in the byte-wise text order: equal texts get equal
// ranks, the least text 0. With `descending` the greatest text gets 0.
std::vector<int> textRanks(const std::vector<std::string_view>& texts, bool descending);

// Where the exchange sort, ascending by rank, puts the items: element p of the
// result is the index of the item that ends at place p. Ranks run from 0 to
// the number of distinct ranks - 1, as textRanks gives them.
// Time O(n log n) plus at most O(n^1.5) for the order among equal ranks.
std::vector<int> exchangeSortOrder(const std::vector<int>& ranks);

}  // namespace brisel
