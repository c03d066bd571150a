#include "table/exchange_sort.h"

#include <algorithm>
#include <numeric>

#include "core/text.h"

namespace brisel {

// Why the order can be found group by group.
//
// Pass i puts the least rank of items i..n at place i. Its exchanges follow the
// chain of strict records (each item less than every item before it, starting
// at item i): every record moves to the place of the next record and the last
// one, the first item of the least rank, goes to place i. A chain holds at most
// one item of each rank.
//
// Take a rank v, call the items of lesser rank "small". Items of greater rank
// never decide where an item of rank v or a small item goes, so the v items
// only see the small ones. While small items remain, each pass takes one of
// them away; the v items before the first small item (the leading run) lose
// their first one to the end of the run, as it is the chain's v record and
// moves into that small item's place. Once no small item is left, the passes
// take the v items in the order they then stand. So: walk the v and small
// items in their first order; append each v item to a queue, and for each
// small item move the queue's front to its back. The queue is the v items'
// final order.
//
// A run of c small items between two v items, with d items in the queue, turns
// it c mod d times: per rank no more than min(n, m²) moves for m items of that
// rank, in all at most O(n^1.5).

namespace {

// Counts marked places before a place.
class PlaceCounter {
 public:
  explicit PlaceCounter(std::size_t places) : tree_(places + 1, 0) {}
  void mark(std::size_t place) {
    for (std::size_t i = place + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  int before(std::size_t place) const {
    int count = 0;
    for (std::size_t i = place; i > 0; i -= i & (~i + 1)) count += tree_[i];
    return count;
  }

 private:
  std::vector<int> tree_;
};

// The final order of the items at `places` (one rank, increasing places);
// `counter` marks the places of the smaller ranks, `smaller` counts them.
void orderOfRank(const int* places, std::size_t count, const PlaceCounter& counter, int smaller,
                 std::vector<int>& queue, std::vector<int>& order) {
  if (count == 1) {
    order.push_back(places[0]);
    return;
  }
  queue.clear();
  std::size_t front = 0;
  int smallSoFar = counter.before(static_cast<std::size_t>(places[0]));
  for (std::size_t t = 0; t < count; ++t) {
    queue.push_back(places[t]);
    int smallNext =
        t + 1 < count ? counter.before(static_cast<std::size_t>(places[t + 1])) : smaller;
    std::size_t turns = static_cast<std::size_t>(smallNext - smallSoFar) % (t + 1);
    smallSoFar = smallNext;
    for (std::size_t k = 0; k < turns; ++k) queue.push_back(queue[front++]);
  }
  order.insert(order.end(), queue.begin() + static_cast<std::ptrdiff_t>(front), queue.end());
}

}  // namespace

std::vector<int> textRanks(const std::vector<std::string_view>& texts, bool descending) {
  std::vector<int> byText(texts.size());
  std::iota(byText.begin(), byText.end(), 0);
  std::sort(byText.begin(), byText.end(),
            [&](int a, int b) { return textLess(texts[a], texts[b]); });
  std::vector<int> ranks(texts.size());
  int rank = 0;
  for (std::size_t k = 0; k < byText.size(); ++k) {
    if (k > 0 && textLess(texts[byText[k - 1]], texts[byText[k]])) ++rank;
    ranks[byText[k]] = rank;
  }
  if (descending)
    for (int& r : ranks) r = rank - r;
  return ranks;
}

std::vector<int> exchangeSortOrder(const std::vector<int>& ranks) {
  // The places of each rank, increasing, grouped by rank (a counting sort).
  int distinct = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end()) + 1;
  std::vector<int> start(static_cast<std::size_t>(distinct) + 1, 0);
  for (int r : ranks) ++start[static_cast<std::size_t>(r) + 1];
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<int> places(ranks.size());
  std::vector<int> next(start.begin(), start.end() - 1);
  for (std::size_t p = 0; p < ranks.size(); ++p)
    places[static_cast<std::size_t>(next[static_cast<std::size_t>(ranks[p])]++)] =
        static_cast<int>(p);

  std::vector<int> order, queue;
  order.reserve(ranks.size());
  PlaceCounter counter(ranks.size());
  for (int r = 0; r < distinct; ++r) {
    const int* first = places.data() + start[static_cast<std::size_t>(r)];
    std::size_t count = static_cast<std::size_t>(start[static_cast<std::size_t>(r) + 1] -
                                                 start[static_cast<std::size_t>(r)]);
    if (count == 0) continue;
    orderOfRank(first, count, counter, start[static_cast<std::size_t>(r)], queue, order);
    for (std::size_t k = 0; k < count; ++k) counter.mark(static_cast<std::size_t>(first[k]));
  }
  return order;
}

}  // namespace brisel
