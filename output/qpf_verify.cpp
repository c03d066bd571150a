// "Verifica QPF": the QPF file of Edit4 read back and compared, field by
// field, with what "Crea Output File" would write now. Nothing is written and
// the table is left as it is: the writer's bytes are built from a copy.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/text.h"
#include "output/operations.h"
#include "output/qpf_bytes.h"
#include "output/qpf_format.h"

namespace brisel {

namespace {

const char* const kMissing = BRISEL_TRANSLATE_NOOP("Message", "mancante");

using namespace output;

// The characters of the two texts, without their closing 0x00 (a difference
// there shows among the other bytes).
constexpr QpfField kReferenceChars{kQpfReference.at, textWidth(kQpfReference)};
constexpr QpfField kValueChars{kQpfValue.at, textWidth(kQpfValue)};

std::string byteText(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string floatText(std::string_view bytes, std::size_t at, char separator) {
  return formatReal(std::bit_cast<float>(littleEndianAt(bytes, at, 4)), separator);
}

std::string characters(std::string_view bytes, std::size_t at, std::size_t count) {
  return latin1ToUtf8(escapeControls(bytes.substr(at, count)));
}

// The first offset in [from, to) where the two differ, skipping `skip`.
std::optional<std::size_t> firstDifference(std::string_view a, std::string_view b, std::size_t from,
                                           std::size_t to) {
  for (std::size_t at = from; at < to; ++at) {
    bool field = kQpfNumber.holds(at) || kReferenceChars.holds(at) || kValueChars.holds(at) ||
                 kQpfX.holds(at) || kQpfY.holds(at) || kQpfAngle.holds(at) || kQpfForce.holds(at);
    if (!field && a[at] != b[at]) return at;
  }
  return std::nullopt;
}

class Comparison {
 public:
  Comparison(std::string_view file, std::string_view table, std::size_t header,
             const std::vector<int>& rows, char separator)
      : file_(file), table_(table), header_(header), rows_(rows), separator_(separator) {}

  std::vector<QpfDifference> run(bool fileCut) {
    compareHeader();
    compareLength();
    compareRecords(fileCut);
    return std::move(differences_);
  }

 private:
  void add(long record, std::string field, Text file, Text table) {
    int row = record >= 1 && static_cast<std::size_t>(record) <= rows_.size()
                  ? rows_[static_cast<std::size_t>(record - 1)]
                  : 0;
    differences_.push_back({record, row, std::move(field), std::move(file), std::move(table)});
  }

  void compareHeader() {
    for (std::size_t at = 0; at < header_; ++at) {
      if (at >= file_.size()) {
        add(0, "header",
            Text(BRISEL_TRANSLATE_NOOP("Message", "byte %1: fine del file"),
                 {Text::number(static_cast<long long>(at))}),
            Text::data("byte " + std::to_string(at) + ": " +
                       byteText(static_cast<unsigned char>(table_[at]))));
        return;
      }
      if (file_[at] != table_[at]) {
        add(0, "header",
            Text::data("byte " + std::to_string(at) + ": " +
                       byteText(static_cast<unsigned char>(file_[at]))),
            Text::data("byte " + std::to_string(at) + ": " +
                       byteText(static_cast<unsigned char>(table_[at]))));
        return;
      }
    }
  }

  void compareLength() {
    const std::string expected = std::to_string(littleEndianAt(table_, header_, kQpfLengthBytes));
    if (file_.size() < header_ + kQpfLengthBytes) {
      add(0, "length", Text(kMissing), Text::data(expected));
      return;
    }
    const std::string found = std::to_string(littleEndianAt(file_, header_, kQpfLengthBytes));
    if (found != expected) add(0, "length", Text::data(found), Text::data(expected));
  }

  void compareRecords(bool fileCut) {
    const std::size_t start = header_ + kQpfLengthBytes;
    const std::size_t fileBytes = file_.size() > start ? file_.size() - start : 0;
    const std::size_t fileRecords = fileBytes / kQpfRecordBytes;
    const std::size_t partial = fileBytes % kQpfRecordBytes;
    const std::size_t tableRecords = rows_.size();
    for (std::size_t k = 0; k < std::min(fileRecords, tableRecords); ++k)
      compareRecord(static_cast<long>(k + 1), start + k * kQpfRecordBytes);
    for (std::size_t k = fileRecords; k < tableRecords; ++k) {
      if (k == fileRecords && partial > 0)
        add(static_cast<long>(k + 1), "record",
            Text(BRISEL_TRANSLATE_NOOP("Message", "troncato: %1 byte su %2"),
                 {Text::number(static_cast<long long>(partial)),
                  Text::number(static_cast<long long>(kQpfRecordBytes))}),
            Text(BRISEL_TRANSLATE_NOOP("Message", "completo")));
      else
        add(static_cast<long>(k + 1), "record", Text(kMissing),
            Text(BRISEL_TRANSLATE_NOOP("Message", "presente")));
    }
    if (fileRecords > tableRecords || (fileRecords == tableRecords && partial > 0)) {
      Text extra(
          BRISEL_TRANSLATE_NOOP("Message", "%1 byte in pi\xC3\xB9 dopo l'ultimo record"),
          {Text::number(static_cast<long long>(fileBytes - tableRecords * kQpfRecordBytes))});
      if (fileCut)
        extra = extra.then(Text(BRISEL_TRANSLATE_NOOP("Message", " (file oltre %1 byte)"),
                                {Text::number(static_cast<long long>(kQpfLongestFile))}));
      add(static_cast<long>(tableRecords + 1), "record", extra,
          Text(BRISEL_TRANSLATE_NOOP("Message", "nessuno")));
    }
  }

  void compareRecord(long record, std::size_t at) {
    std::string_view f = file_.substr(at, kQpfRecordBytes);
    std::string_view t = table_.substr(at, kQpfRecordBytes);
    if (f == t) return;
    auto differs = [&](QpfField field) {
      return f.substr(field.at, field.size) != t.substr(field.at, field.size);
    };
    auto number = [](std::string_view bytes, QpfField field) {
      return std::to_string(littleEndianAt(bytes, field.at, field.size));
    };
    if (differs(kQpfNumber))
      add(record, "number", Text::data(number(f, kQpfNumber)), Text::data(number(t, kQpfNumber)));
    if (differs(kReferenceChars))
      add(record, "reference", Text::data(characters(f, kReferenceChars.at, kReferenceChars.size)),
          Text::data(characters(t, kReferenceChars.at, kReferenceChars.size)));
    if (differs(kValueChars))
      add(record, "value", Text::data(characters(f, kValueChars.at, kValueChars.size)),
          Text::data(characters(t, kValueChars.at, kValueChars.size)));
    for (auto [name, field] : {std::pair{"X", kQpfX}, std::pair{"Y", kQpfY}}) {
      if (!differs(field)) continue;
      std::string inFile = floatText(f, field.at, separator_);
      std::string inTable = floatText(t, field.at, separator_);
      if (inFile == inTable) {  // two NaNs, say: show the bits
        inFile += " (" + number(f, field) + ")";
        inTable += " (" + number(t, field) + ")";
      }
      add(record, name, Text::data(inFile), Text::data(inTable));
    }
    if (differs(kQpfAngle))
      add(record, "angle", Text::data(number(f, kQpfAngle)), Text::data(number(t, kQpfAngle)));
    if (differs(kQpfForce))
      add(record, "force", Text::data(byteText(static_cast<unsigned char>(f[kQpfForce.at]))),
          Text::data(byteText(static_cast<unsigned char>(t[kQpfForce.at]))));
    if (auto other = firstDifference(f, t, 0, kQpfRecordBytes))
      add(record, "other bytes",
          Text::data("byte " + std::to_string(*other) + ": " +
                     byteText(static_cast<unsigned char>(f[*other]))),
          Text::data("byte " + std::to_string(*other) + ": " +
                     byteText(static_cast<unsigned char>(t[*other]))));
  }

  std::string_view file_;
  std::string_view table_;
  std::size_t header_;
  const std::vector<int>& rows_;
  char separator_;
  std::vector<QpfDifference> differences_;
};

}  // namespace

Outcome verifyQpf(Workspace& workspace, const Controls& controls, Progress& /*progress*/) {
  workspace.qpfCompare = {};
  std::optional<std::string> header = readUpTo(controls.Edit1, kQpfHeaderBytes);
  if (!header) return cannotOpen(controls.Edit1);
  const std::size_t headerBytes = header->size();
  Grid table = workspace.StringGrid1;
  std::vector<int> rows;
  const std::string expected = qpfBytes(std::move(*header), table, controls, &rows);

  std::optional<std::string> file = readUpTo(controls.Edit4, kQpfLongestFile + 1);
  if (!file) return cannotOpen(controls.Edit4);
  const bool cut = file->size() > kQpfLongestFile;
  if (cut) file->resize(kQpfLongestFile);

  workspace.qpfCompare.differences =
      Comparison(*file, expected, headerBytes, rows, controls.decimalSeparator).run(cut);
  workspace.qpfCompare.ran = true;
  workspace.qpfCompare.file = platform::displayPath(controls.Edit4.filename());
  Outcome outcome;
  if (workspace.qpfCompare.differences.empty())
    outcome.messages.push_back(
        {"Messaggio", BRISEL_TRANSLATE_NOOP("Message", "Il file QPF corrisponde alla tabella")});
  return outcome;
}

}  // namespace brisel
