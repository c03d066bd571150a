#include "fuzz/targets.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/buttons.h"
#include "app/settings.h"
#include "core/numbers.h"
#include "core/platform.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "import/in_memory.h"
#include "import/placement_file.h"
#include "import/placement_parts.h"
#include "output/in_memory.h"
#include "output/qpf_bytes.h"
#include "table/in_memory.h"

namespace fs = std::filesystem;

namespace brisel::fuzz {

namespace {

// A small board that CMP, BOM and RAK inputs are applied to.
constexpr std::string_view kBoard =
    "BOARD\nREF PART X Y ROT\n"
    "U1 STM32 40.640 30.480 0 TOP\nR1 10K 30.480 40.640 90 TOP\n"
    "C1 100nF 12.5 -3.25 270 TOP\nR2 10K 1e3 0.001 -90 BOT\n\nD1 LED 0 0 45.5 TOP\n";
constexpr std::string_view kRules = "; rules\n10K:90\n100nF:0\nSTM32:-90\nLED:360\n???:1\n";
constexpr std::string_view kTemplate = "FUZZ TEMPLATE\0\0\0";

// A folder of this process for the settings files, the only target that
// still goes through files. The path is never destroyed: the exit handler
// that removes the folder runs after the function-local statics are gone.
const fs::path& scratch() {
  static const fs::path* folder = [] {
    auto* f = new fs::path(fs::temp_directory_path() /
                           ("brisel-fuzz-" + std::to_string(platform::processId())));
    fs::create_directories(*f);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(scratch(), ignored);
    });
    return f;
  }();
  return *folder;
}

fs::path put(std::string_view name, std::string_view bytes) {
  fs::path file = scratch() / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

// Every file is read from memory: the paths only name the files in the
// messages, and none of them exists.
Controls controls() {
  Controls c;
  c.CB_Format = false;
  c.RB_EN = true;
  c.decimalSeparator = '.';
  c.Edit1 = "template.QPF";
  c.Edit2 = "board.REP";
  c.Edit4 = "out.QPF";
  c.Edit7 = "rules.RAK";
  c.Edit9 = "out.ZIR";
  return c;
}

// An operation on the bytes of its file.
using BytesOperation = Outcome (*)(std::string_view, Workspace&, const Controls&, Progress&);

template <class Run>
void attempt(Run run) {
  try {
    run();
  } catch (const Error&) {
    // reported to the operator: a fine answer to a hostile input
  }
}

void attempt(Operation operation, Workspace& w, const Controls& c) {
  Progress progress;
  attempt([&] { operation(w, c, progress); });
}

void attempt(BytesOperation operation, std::string_view bytes, Workspace& w, const Controls& c) {
  Progress progress;
  attempt([&] { operation(bytes, w, c, progress); });
}

Outcome viewQpf(std::string_view bytes, Workspace& w, const Controls& c, Progress&) {
  return output::viewQpfBytes(std::string(bytes), w, c);
}
Outcome viewZirkan(std::string_view bytes, Workspace& w, const Controls& c, Progress&) {
  return output::viewZirkanBytes(bytes, w, c);
}

// The writers: what each would write into its file, then viewed as the
// viewers read that file back.
void writeAndView(Workspace& w, const Controls& c) {
  attempt([&] {
    std::string qpf =
        output::qpfBytes(std::string(kTemplate.data(), kTemplate.size()), w.StringGrid1, c);
    attempt(viewQpf, qpf, w, c);
  });
  attempt([&] {
    std::string zirkan = output::zirkanBytes(w.StringGrid1, c);
    attempt(viewZirkan, zirkan, w, c);
  });
}

// Every table operation, writer and viewer on the table as the reader left it.
void afterwards(Workspace& w, Controls c) {
  const int rows = w.StringGrid1.RowCount();
  c.Row = rows > 2 ? 2 : 1;
  attempt(setReference, w, c);
  c.Col = col::X;
  attempt(sortByCursorColumn, w, c);
  attempt(mergeFootprints, w, c);
  writeAndView(w, c);
  c.Selection = {1, 1, kTableColumns - 1, std::min(2, w.StringGrid1.RowCount() - 1)};
  if (c.Selection.Bottom >= 1) attempt(deleteSelectedRows, w, c);
  attempt(applyRakBytes, kRules, w, c);
  attempt([&] {
    (void)output::qpfBytes(std::string(kTemplate.data(), kTemplate.size()), w.StringGrid1, c);
  });
  attempt([&] { (void)output::zirkanBytes(w.StringGrid1, c); });
}

// A reader of the input, on a table `prepared` or fresh.
void reader(std::string_view input, BytesOperation operation, bool prepared) {
  Workspace w;
  Controls c = controls();
  if (prepared) attempt(importing::importRepBytes, kBoard, w, c);
  attempt(operation, input, w, c);
  // The same input the other way of reading numbers.
  Controls other = c;
  other.CB_Format = true;
  other.RB_EN = false;
  other.decimalSeparator = ',';
  attempt(operation, input, w, other);
  afterwards(w, c);
}

void rep(std::string_view in) {
  reader(in, importing::importRepBytes, false);
}
void mnt(std::string_view in) {
  reader(in, importing::importMntBytes, false);
}
void txt(std::string_view in) {
  reader(in, importing::importTxtBytes, false);
}
void cmp(std::string_view in) {
  reader(in, importing::importCmpBytes, true);
}
void bom(std::string_view in) {
  reader(in, importing::importBomBytes, true);
}
void rak(std::string_view in) {
  reader(in, applyRakBytes, true);
}
void qpf(std::string_view in) {
  reader(in, viewQpf, false);
}
void zirkan(std::string_view in) {
  reader(in, viewZirkan, false);
}

void settings(std::string_view in) {
  fs::path file = put("KSR.ini", in);
  auto loaded = loadSettings(file);
  SettingsPaths paths;
  for (std::size_t i = 0; i < kSettingsLines; ++i) paths[i] = loaded[i].value_or("");
  if (!saveSettings(scratch() / "saved.ini", paths)) __builtin_trap();
  // What was saved loads back as it was, but for the cut of the longest lines.
  auto again = loadSettings(scratch() / "saved.ini");
  for (std::size_t i = 0; i < kSettingsLines; ++i)
    if (again[i] != trim(std::string_view(paths[i]).substr(0, kSettingsPathLength)))
      __builtin_trap();
}

// The number readers on the input as one text, with either separator.
void numbers(std::string_view in) {
  for (NumberFormat format : {NumberFormat{'.', false}, NumberFormat{',', false},
                              NumberFormat{'.', true}, NumberFormat{',', true}}) {
    try {
      double value = textToReal(in, format);
      (void)formatReal(value, format.decimalSeparator);
    } catch (const ConversionError&) {
    }
    try {
      (void)formatReal(textToFloat(in, format), format.decimalSeparator);
    } catch (const ConversionError&) {
    }
    try {
      (void)textToInteger(in, format);
    } catch (const ConversionError&) {
    }
  }
  (void)formatReal(readLeadingNumber(in), ',');
}

// What a placement import said: its messages, or its failure.
struct Said {
  bool failed = false;
  bool askColumns = false;
  std::vector<Message> messages;
  std::string failure;
  friend bool operator==(const Said&, const Said&) = default;
};

Said importSplit(std::string_view in, Workspace& w, const Controls& c, placements::Split split) {
  Said said;
  Progress progress;
  std::size_t parts = 0;
  try {
    Outcome outcome = placements::importPlacementBytes(in, "in.csv", w, c, progress, split, parts);
    said.askColumns = outcome.askColumns;
    said.messages = std::move(outcome.messages);
  } catch (const Error& error) {
    said.failed = true;
    said.failure = error.what();
  }
  return said;
}

bool sameCells(const Grid& a, const Grid& b) {
  if (a.RowCount() != b.RowCount() || a.ColCount() != b.ColCount()) return false;
  for (int r = 0; r < a.RowCount(); ++r)
    for (int k = 0; k < a.ColCount(); ++k)
      if (a.cell(k, r) != b.cell(k, r)) return false;
  return true;
}

// The import into `w` read whole, and into a copy of `w` in as many parts as
// the file has data lines (up to eight) on two threads: the two must leave
// the same table and say the same. True when the import wrote its rows.
bool importBothWays(std::string_view in, Workspace& w, const Controls& c) {
  Workspace inParts = w;
  const Said whole = importSplit(in, w, c, placements::Split::never);
  const Said split = importSplit(in, inParts, c, placements::Split::always);
  if (whole != split || !sameCells(w.StringGrid1, inParts.StringGrid1) ||
      w.Button17Enabled != inParts.Button17Enabled ||
      w.BU_FootPrintEnabled != inParts.BU_FootPrintEnabled)
    __builtin_trap();
  return !whole.failed && !whole.askColumns;
}

// A CAD tool's placement file, read from memory with and without the columns
// and unit given, whole and in parts; the dialog's preview must show what the
// import writes.
void placementFile(std::string_view in) {
  (void)placements::readShape(in, "", "");
  (void)placements::readShape(in, "ref=1,x=Mid X,y=3,side=Layer", "mil");
  Workspace w;
  Controls c = controls();
  for (const char* columns : {"", "ref=1,x=2,y=3,angle=4,side=5,value=6,footprint=7"}) {
    c.placementColumns = columns;
    if (!importBothWays(in, w, c)) continue;
    auto preview = placements::previewRows(in, c, 5);
    for (std::size_t i = 0; i < preview.size(); ++i)
      for (std::size_t k = 0; k < preview[i].size(); ++k)
        if (preview[i][k] != w.StringGrid1.cell(static_cast<int>(k) + 1, static_cast<int>(i) + 1))
          __builtin_trap();
  }
  attempt([&] {
    // "Salva posizioni", read back as the file it writes.
    std::string written = output::placementBytes(w.StringGrid1, c);
    Workspace again;
    Progress progress;
    (void)placements::importPlacementBytes(written, "out.csv", again, controls(), progress);
  });
  afterwards(w, c);
}

// A package rules file on the small board with footprints typed in, twice
// (the second time on the parts the first moved), then everything else on
// what it leaves.
void packageRules(std::string_view in) {
  Workspace w;
  Controls c = controls();
  c.ED_Regole = "rules.csv";
  attempt(importing::importRepBytes, kBoard, w, c);
  constexpr std::string_view kFootprints[] = {"SOT-23-5", "R0603", "", "QFN-16 [EP]"};
  for (int row = 1; row < w.StringGrid1.RowCount(); ++row)
    if (!w.StringGrid1.cell(col::Reference, row).empty())
      w.StringGrid1.setCell(col::Footprint, row, kFootprints[row % 4]);
  attempt(applyPackageRulesBytes, in, w, c);
  attempt(applyPackageRulesBytes, in, w, c);
  afterwards(w, c);
}

}  // namespace

const std::array<Target, 12> kTargets{{
    {"rep", rep},
    {"mnt", mnt},
    {"txt", txt},
    {"cmp", cmp},
    {"bom", bom},
    {"rak", rak},
    {"settings", settings},
    {"qpf", qpf},
    {"zirkan", zirkan},
    {"numbers", numbers},
    {"placements", placementFile},
    {"rules", packageRules},
}};

const Target* findTarget(std::string_view name) {
  for (const Target& target : kTargets)
    if (target.name == name) return &target;
  return nullptr;
}

}  // namespace brisel::fuzz
