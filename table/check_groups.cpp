// The codes that group written rows by what the machine would take them for:
// the same reference on one board, the same record fields for different
// texts, the same record number.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/table_shape.h"
#include "core/translatable.h"
#include "table/check_rows.h"

namespace brisel::checking {

namespace {

// What rows are grouped by: a text, within a tag (a board, or a number).
struct Key {
  std::int64_t tag;
  std::string_view text;
  friend bool operator==(const Key&, const Key&) = default;
};

// The rows of each key, gathered in one pass: an open addressing table of the
// groups, probed linearly, with no allocation per row.
class Groups {
 public:
  struct Group {
    int count = 0;
    const CheckedRow* first = nullptr;
    // The first row whose own text differs from the first row's, if any.
    const CheckedRow* otherText = nullptr;
    bool anyCut = false;  // a row's own text is longer than the record keeps
  };
  struct Member {
    const CheckedRow* row;
    std::string_view own;  // the row's own text, as compared
    int group;
  };

  explicit Groups(std::size_t rows)
      : slots_(std::bit_ceil(std::max<std::size_t>(16, rows * 2)), -1) {
    members_.reserve(rows);
  }

  // Puts the row in the group of `key`; `own` is the text that tells rows of
  // a group apart, `cut` whether it is longer than the record keeps.
  void add(const Key& key, const CheckedRow& row, std::string_view own = {}, bool cut = false) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = (std::hash<std::string_view>{}(key.text) ^
                      std::hash<std::int64_t>{}(key.tag) * 0x9E3779B97F4A7C15ull) &
                     mask;
    while (slots_[at] >= 0 && keys_[static_cast<std::size_t>(slots_[at])] != key)
      at = (at + 1) & mask;
    if (slots_[at] < 0) {
      slots_[at] = static_cast<int>(groups_.size());
      groups_.push_back({0, &row, nullptr, false});
      keys_.push_back(key);
      firstOwn_.push_back(own);
    }
    const auto g = static_cast<std::size_t>(slots_[at]);
    Group& group = groups_[g];
    ++group.count;
    group.anyCut = group.anyCut || cut;
    if (group.otherText == nullptr && own != firstOwn_[g]) group.otherText = &row;
    members_.push_back({&row, own, static_cast<int>(g)});
  }

  const std::vector<Member>& members() const { return members_; }
  const Group& group(const Member& m) const { return groups_[static_cast<std::size_t>(m.group)]; }
  // A row of the member's group whose text differs from the member's own.
  const CheckedRow& otherThan(const Member& m) const {
    const Group& g = group(m);
    return m.own != firstOwn_[static_cast<std::size_t>(m.group)] ? *g.first : *g.otherText;
  }

 private:
  std::vector<int> slots_;
  std::vector<Group> groups_;
  std::vector<Key> keys_;
  std::vector<std::string_view> firstOwn_;
  std::vector<Member> members_;
};

// Rows whose texts differ but whose record fields are the same, at least one
// text longer than the record keeps: the machine takes them for one.
template <class Finding>
void findCutAlike(const CheckedTable& table, std::string_view CheckedRow::*text,
                  std::string CheckedRow::*field, std::size_t width, bool byBoard,
                  Finding&& finding) {
  // Without a text longer than the record keeps, no two record fields can
  // meet: most boards need no grouping at all.
  if (std::none_of(table.rows.begin(), table.rows.end(), [&](const CheckedRow& row) {
        return row.written && (row.*text).size() > width;
      }))
    return;
  Groups groups(table.rows.size());
  for (const CheckedRow& row : table.rows)
    if (row.written)
      groups.add({byBoard ? row.board : 0, row.*field}, row, row.*text, (row.*text).size() > width);
  for (const Groups::Member& m : groups.members()) {
    const Groups::Group& group = groups.group(m);
    if (group.otherText != nullptr && group.anyCut) finding(*m.row, groups.otherThan(m));
  }
}

}  // namespace

void findDuplicateReferences(const CheckedTable& table, Findings& findings) {
  // On a panel each board holds the same parts: a reference repeats only
  // within its own board.
  Groups groups(table.rows.size());
  for (const CheckedRow& row : table.rows)
    if (row.written) groups.add({row.board, row.reference}, row);
  for (const Groups::Member& m : groups.members()) {
    const Groups::Group& group = groups.group(m);
    if (group.count > 1)
      findings.add(
          m.row->row, FindingCode::duplicateReference, m.row->reference,
          said(
              BRISEL_TRANSLATE_NOOP(
                  "Message", "%1: riferimento ripetuto su %2 righe (la prima \xC3\xA8 la riga %3)"),
              m.row->reference, {Text::number(group.count), Text::number(group.first->row)}));
  }
}

void findReferencesCutAlike(const CheckedTable& table, Findings& findings) {
  findCutAlike(table, &CheckedRow::reference, &CheckedRow::recordReference, kRecordReferenceChars,
               true, [&](const CheckedRow& row, const CheckedRow& other) {
                 findings.add(row.row, FindingCode::referenceCutSame, row.reference,
                              said(BRISEL_TRANSLATE_NOOP(
                                       "Message",
                                       "%1: il record tiene '%2', come per %3 (riga %4): la "
                                       "macchina non li distingue"),
                                   row.reference,
                                   {Text::data(shown(row.recordReference)),
                                    Text::data(shown(other.reference)), Text::number(other.row)}));
               });
}

void findValuesCutAlike(const CheckedTable& table, Findings& findings) {
  findCutAlike(
      table, &CheckedRow::value, &CheckedRow::recordValue, kRecordValueChars, false,
      [&](const CheckedRow& row, const CheckedRow& other) {
        findings.add(
            row.row, FindingCode::valueCutSame, row.reference,
            said(BRISEL_TRANSLATE_NOOP("Message",
                                       "%1: il valore '%2' nel record \xC3\xA8 '%3', come '%4' di "
                                       "%5 (riga %6): per la macchina sono lo stesso componente"),
                 row.reference,
                 {Text::data(shown(row.value)), Text::data(shown(row.recordValue)),
                  Text::data(shown(other.value)), Text::data(shown(other.reference)),
                  Text::number(other.row)}));
      });
}

void findDuplicateNumbers(const CheckedTable& table, Findings& findings) {
  Groups groups(table.rows.size());
  for (const CheckedRow& row : table.rows)
    if (row.written && row.numberValue) groups.add({low16(*row.numberValue), {}}, row);
  for (const Groups::Member& m : groups.members()) {
    const Groups::Group& group = groups.group(m);
    if (group.count > 1)
      findings.add(m.row->row, FindingCode::duplicateNumber, m.row->reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: numero %2 nel record ripetuto su %3 righe (la "
                                              "prima \xC3\xA8 la riga %4)"),
                        m.row->reference,
                        {Text::number(low16(*m.row->numberValue)), Text::number(group.count),
                         Text::number(group.first->row)}));
  }
}

}  // namespace brisel::checking
