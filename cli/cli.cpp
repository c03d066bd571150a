#include "cli/cli.h"

#include <charconv>
#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "core/platform.h"
#include "core/text.h"
#include "core/workspace.h"
#include "core/buttons.h"

#include "core/board_svg.h"

namespace brisel {

namespace {

constexpr std::string_view kUsage =
    "usage: brisel-cli [--qpf-template PATH] [--rep PATH] [--cmp PATH] [--qpf PATH] [--mnt PATH] "
    "[--bom PATH] [--rak PATH] [--txt PATH] [--zirkan PATH] [--mils] [--no-comma] [--english] "
    "[--force TEXT] [--decimal-separator C] [--keep-going] OPERATION...";

// A button whose enabled state the operation needs.
enum class Gate { kNone, kButton17, kFootPrint };

struct Button {
  std::string_view word;
  Operation run;
  Gate gate = Gate::kNone;
};

constexpr Button kButtons[] = {
    {"import-rep", importRep},
    {"import-cmp", importCmp},
    {"import-mnt", importMnt},
    {"import-bom", importBom},
    {"import-txt", importTxt},
    {"apply-rak", applyRak, Gate::kButton17},
    {"merge-footprints", mergeFootprints, Gate::kFootPrint},
    {"write-qpf", writeQpf},
    {"view-qpf", viewQpf},
    {"write-zirkan", writeZirkan},
    {"view-zirkan", viewZirkan},
};

struct Press {
  const Button* button;
};
struct Reference {
  long row;
};
struct Sort {
  long col;
};
struct Delete {
  long top;
  long bottom;
};
struct Type {
  long col;
  long row;
  std::string text;
};
struct Print {
  std::string what;
};
// preview=PATH.svg: the picture of the board.
struct Preview {
  std::filesystem::path path;
};
using Step = std::variant<Press, Reference, Sort, Delete, Type, Print, Preview>;

struct UsageError {
  std::string reason;
};

long wholeNumber(std::string_view text, std::string_view word) {
  long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    throw UsageError{"not a row or column number in '" + std::string(word) + "'"};
  return value;
}

Step parseOperation(const std::string& word) {
  for (const Button& button : kButtons)
    if (word == button.word) return Press{&button};
  std::size_t equals = word.find('=');
  std::string_view name = std::string_view(word).substr(0, equals);
  std::string_view value =
      equals == std::string::npos ? std::string_view() : std::string_view(word).substr(equals + 1);
  if (word == "print") return Print{"table"};
  if (name == "print" && (value == "table" || value == "bytes" || value == "rules" ||
                          value == "memo" || value == "buttons"))
    return Print{std::string(value)};
  if (equals != std::string::npos) {
    if (name == "reference") return Reference{wholeNumber(value, word)};
    if (name == "sort") return Sort{wholeNumber(value, word)};
    if (name == "delete") {
      std::size_t dash = value.find('-');
      long top = wholeNumber(value.substr(0, dash), word);
      long bottom =
          dash == std::string_view::npos ? top : wholeNumber(value.substr(dash + 1), word);
      return Delete{top, bottom};
    }
    if (name == "preview" && !value.empty()) return Preview{std::filesystem::path(value)};
    if (name == "set") {
      std::size_t first = value.find(',');
      std::size_t second = first == std::string_view::npos ? first : value.find(',', first + 1);
      if (second == std::string_view::npos)
        throw UsageError{"set wants COL,ROW,TEXT in '" + word + "'"};
      return Type{wholeNumber(value.substr(0, first), word),
                  wholeNumber(value.substr(first + 1, second - first - 1), word),
                  std::string(value.substr(second + 1))};
    }
  }
  throw UsageError{"unknown word '" + word + "'"};
}

struct Run {
  Workspace workspace;
  Controls controls;
  bool keepGoing = false;
  std::vector<Step> steps;
};

void parseWords(const std::vector<std::string>& words, Run& run) {
  std::filesystem::path* paths[] = {&run.controls.Edit1, &run.controls.Edit2, &run.controls.Edit3,
                                    &run.controls.Edit4, &run.controls.Edit5, &run.controls.Edit6,
                                    &run.controls.Edit7, &run.controls.Edit8, &run.controls.Edit9};
  constexpr std::string_view kPathSettings[] = {
      "--qpf-template", "--rep", "--cmp", "--qpf", "--mnt", "--bom", "--rak", "--txt", "--zirkan"};
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= words.size()) throw UsageError{word + " wants a value"};
      return words[++i];
    };
    bool isPath = false;
    for (std::size_t k = 0; k < std::size(kPathSettings); ++k) {
      if (word == kPathSettings[k]) {
        *paths[k] = std::filesystem::path(value());
        isPath = true;
      }
    }
    if (isPath) continue;
    if (word == "--mils") {
      run.controls.RB_mils = true;
    } else if (word == "--no-comma") {
      run.controls.CB_Format = false;
    } else if (word == "--english") {
      run.controls.RB_EN = true;
    } else if (word == "--force") {
      run.controls.ED_Forza = value();
    } else if (word == "--decimal-separator") {
      const std::string& separator = value();
      if (separator != "." && separator != ",")
        throw UsageError{"--decimal-separator wants . or ,"};
      run.controls.decimalSeparator = separator[0];
    } else if (word == "--keep-going") {
      run.keepGoing = true;
    } else if (word.rfind("--", 0) == 0) {
      throw UsageError{"unknown setting '" + word + "'"};
    } else {
      run.steps.push_back(parseOperation(word));
    }
  }
  if (run.steps.empty()) throw UsageError{"no operation given"};
}

void printGrid(const Grid& grid, std::ostream& out) {
  out << "rows " << grid.RowCount() << " cols " << grid.ColCount() << '\n';
  for (int r = 0; r < grid.RowCount(); ++r) {
    out << r;
    for (int c = 0; c < grid.ColCount(); ++c) out << '\t' << escapeControls(grid.cell(c, r));
    out << '\n';
  }
}

void print(const Run& run, const std::string& what, std::ostream& out) {
  const Workspace& w = run.workspace;
  if (what == "table") printGrid(w.StringGrid1, out);
  if (what == "bytes") printGrid(w.StringGrid2, out);
  if (what == "rules") printGrid(w.StringGrid3, out);
  if (what == "memo") {
    out << "lines " << w.Memo1.size() << '\n';
    for (const std::string& line : w.Memo1) out << escapeControls(line) << '\n';
  }
  if (what == "buttons") {
    out << "Button17 " << (w.Button17Enabled ? "enabled" : "disabled") << '\n';
    out << "BU_FootPrint " << (w.BU_FootPrintEnabled ? "enabled" : "disabled") << '\n';
  }
}

// Cursor positions must lie in the table's editable cells: columns 1 to 9 and
// rows 1 to RowCount - 1.
void checkColumn(const Run& run, long col) {
  if (col < 1 || col >= run.workspace.StringGrid1.ColCount())
    throw UsageError{"column " + std::to_string(col) + " is outside the table"};
}

void checkRow(const Run& run, long row) {
  if (row < 1 || row >= run.workspace.StringGrid1.RowCount())
    throw UsageError{"row " + std::to_string(row) + " is outside the table"};
}

// The outcome of a button: its messages, then whether it failed.
bool report(const Outcome& outcome, Run& run, std::ostream& err) {
  for (const Message& message : outcome.messages)
    err << message.caption << ": " << message.text << '\n';
  if (outcome.cursorCol) run.controls.Col = *outcome.cursorCol;
  if (outcome.cursorRow) run.controls.Row = *outcome.cursorRow;
  if (outcome.unopened) {
    err << "error: cannot open " << platform::displayPath(*outcome.unopened) << '\n';
    return false;
  }
  return true;
}

bool press(Run& run, Operation operation, std::ostream& err) {
  Progress silent;
  return report(operation(run.workspace, run.controls, silent), run, err);
}

// Runs one step; false when it failed.
bool perform(Run& run, const Step& step, std::ostream& out, std::ostream& err) {
  Controls& controls = run.controls;
  if (auto* p = std::get_if<Press>(&step)) {
    bool enabled = p->button->gate == Gate::kNone ||
                   (p->button->gate == Gate::kButton17 && run.workspace.Button17Enabled) ||
                   (p->button->gate == Gate::kFootPrint && run.workspace.BU_FootPrintEnabled);
    if (!enabled) {
      err << "error: " << p->button->word << ": button disabled\n";
      return false;
    }
    return press(run, p->button->run, err);
  }
  if (auto* r = std::get_if<Reference>(&step)) {
    checkRow(run, r->row);
    controls.Row = static_cast<int>(r->row);
    return press(run, setReference, err);
  }
  if (auto* s = std::get_if<Sort>(&step)) {
    checkColumn(run, s->col);
    controls.Col = static_cast<int>(s->col);
    return press(run, sortByCursorColumn, err);
  }
  if (auto* d = std::get_if<Delete>(&step)) {
    checkRow(run, d->top);
    checkRow(run, d->bottom);
    if (d->bottom < d->top) throw UsageError{"delete wants TOP-BOTTOM with TOP <= BOTTOM"};
    controls.Selection = {1, static_cast<int>(d->top), 1, static_cast<int>(d->bottom)};
    controls.Col = 1;
    controls.Row = static_cast<int>(d->top);
    return press(run, deleteSelectedRows, err);
  }
  if (auto* t = std::get_if<Type>(&step)) {
    checkColumn(run, t->col);
    checkRow(run, t->row);
    run.workspace.StringGrid1.setCell(static_cast<int>(t->col), static_cast<int>(t->row), t->text);
    return true;
  }
  if (auto* p = std::get_if<Preview>(&step)) {
    writeBoardSvg(p->path, buildBoard(run.workspace.StringGrid1, controls.numbers()));
    return true;
  }
  print(run, std::get<Print>(step).what, out);
  return true;
}

}  // namespace

int runCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           char localeSeparator) {
  Run run;
  run.controls.decimalSeparator = localeSeparator;
  try {
    parseWords(words, run);
  } catch (const UsageError& usage) {
    err << "brisel-cli: " << usage.reason << '\n' << kUsage << '\n';
    return 2;
  }
  bool failed = false;
  for (const Step& step : run.steps) {
    bool ok = false;
    try {
      ok = perform(run, step, out, err);
    } catch (const UsageError& usage) {
      out.flush();
      err << "brisel-cli: " << usage.reason << '\n' << kUsage << '\n';
      return 2;
    } catch (const std::exception& error) {
      err << "error: " << error.what() << '\n';
    }
    if (!ok) {
      failed = true;
      if (!run.keepGoing) break;
    }
  }
  out.flush();
  return failed ? 1 : 0;
}

}  // namespace brisel
