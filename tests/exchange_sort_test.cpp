// The fast row order against the exchange sort itself, run step by step.
#include "table/exchange_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/text.h"
#include "table/operations.h"
#include "tests/table_kit.h"

namespace brisel {
namespace {

using testing::dataRows;
using testing::putRow;

// The exchange sort as the rule list runs it, on item indices.
std::vector<int> exchangeSortByHand(const std::vector<int>& ranks) {
  std::vector<int> items(ranks.size());
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = static_cast<int>(i);
  for (std::size_t i = 0; i + 1 < items.size(); ++i)
    for (std::size_t j = i + 1; j < items.size(); ++j)
      if (ranks[items[j]] < ranks[items[i]]) std::swap(items[i], items[j]);
  return items;
}

// The table sort as the button runs it: descending, exchanging whole rows.
void sortTableByHand(Grid& table, int column) {
  for (int i = 1; i < table.RowCount(); ++i)
    for (int j = i + 1; j < table.RowCount(); ++j)
      if (textLess(table.cell(column, i), table.cell(column, j))) table.swapRows(i, j);
}

// The ranks renumbered 0, 1 ... without gaps, order kept.
std::vector<int> dense(std::vector<int> ranks) {
  std::vector<int> values(ranks);
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  for (int& r : ranks)
    r = static_cast<int>(std::lower_bound(values.begin(), values.end(), r) - values.begin());
  return ranks;
}

TEST(ExchangeSortOrder, MatchesTheExchangeSortOnRandomRanksWithManyTies) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::size_t size = random() % 60;
    int distinct = 1 + static_cast<int>(random() % (round % 3 == 0 ? 3 : 12));
    std::vector<int> ranks(size);
    for (int& r : ranks) r = static_cast<int>(random() % static_cast<unsigned>(distinct));
    ranks = dense(ranks);
    ASSERT_EQ(exchangeSortOrder(ranks), exchangeSortByHand(ranks)) << "round " << round;
  }
}

TEST(ExchangeSortOrder, MatchesOnLongRunsOfFewValues) {
  // Long runs of equal ranks with many smaller items between them turn the
  // queue of equal items many times over.
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    std::vector<int> ranks;
    while (ranks.size() < 700) {
      int rank = static_cast<int>(random() % 4);
      std::size_t run = 1 + random() % 40;
      ranks.insert(ranks.end(), run, rank);
    }
    ranks = dense(ranks);
    ASSERT_EQ(exchangeSortOrder(ranks), exchangeSortByHand(ranks)) << "round " << round;
  }
}

TEST(ExchangeSortOrder, EdgeShapes) {
  for (const std::vector<int>& ranks : std::vector<std::vector<int>>{
           {}, {0}, {0, 0}, {1, 0}, {1, 1, 0}, {2, 1, 0, 2, 1, 0}, {0, 0, 0, 0}, {3, 2, 1, 0}})
    EXPECT_EQ(exchangeSortOrder(ranks), exchangeSortByHand(ranks)) << ranks.size();
}

TEST(TextRanks, FollowTheByteOrderBothWays) {
  std::vector<std::string_view> texts{"10", "9", "", "100", "9", "\xE8", "A", "a"};
  EXPECT_EQ(textRanks(texts, false), (std::vector<int>{1, 3, 0, 2, 3, 6, 4, 5}));
  EXPECT_EQ(textRanks(texts, true), (std::vector<int>{5, 3, 6, 4, 3, 0, 2, 1}));
}

TEST(SortByCursorColumn, GivesTheRowsOfTheExchangeSortOnTablesWithManyEqualKeys) {
  std::mt19937 random(3);
  const char* keys[] = {"", "10K", "10K ", "1K", "4K7", "100nF", "9", "C"};
  for (int round = 0; round < 60; ++round) {
    int rows = 2 + static_cast<int>(random() % 250);
    Grid table(10, rows);
    for (int row = 1; row < rows; ++row) {
      // Every row tells itself apart in column 0 and 9, so a wrong order shows.
      putRow(table, row,
             std::to_string(row) + "|" + std::to_string(row % 7) + "|" + "R" + std::to_string(row) +
                 "|" + keys[random() % 8] + "|||" + keys[random() % 3] + "|||" +
                 std::to_string(row));
    }
    int column = round % 2 == 0 ? 3 : 7;
    Workspace workspace;
    workspace.StringGrid1 = table;
    Controls controls;
    controls.Col = column;
    Progress quiet;
    sortByCursorColumn(workspace, controls, quiet);
    sortTableByHand(table, column);
    ASSERT_EQ(dataRows(workspace.StringGrid1), dataRows(table)) << "round " << round;
  }
}

}  // namespace
}  // namespace brisel
