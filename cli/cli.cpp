#include "cli/cli.h"

#include "table/check.h"

#include <charconv>
#include <exception>
#include <fstream>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <string_view>
#include <variant>
#include <vector>

#include "app/buttons.h"
#include "app/history.h"
#include "app/sheet_text.h"
#include "cli/printouts.h"
#include "cli/settings.h"
#include "cli/standard_streams.h"
#include "cli/words.h"
#include "core/platform.h"
#include "core/text.h"
#include "core/workspace.h"
#include "import/placement_file.h"

#include "output/board_svg.h"

namespace brisel {

namespace {

#ifndef BRISEL_VERSION
#define BRISEL_VERSION "unknown"
#endif

struct Press {
  const Button* button;
};
// A button pressed with the cursor its word names (0 when it names none).
struct Cursor {
  const Button* button;
  long top;
  long bottom;
};
struct Type {
  long col;
  long row;
  std::string text;
};
struct Print {
  const cli::Printout* printout;
};
struct Recall {
  bool forward;  // redo; otherwise undo
};
struct Paste {
  long col;
  long row;
  std::string path;
};

// preview=PATH.svg: the picture of the board.
struct Preview {
  std::filesystem::path path;
};
// A board step with its parameter: keep-side=B, rotate=-90...
struct Valued {
  const Button* button;
  std::string value;
};
// A writer whose word names its file: write-placements=PATH.
struct WriteTo {
  const Button* button;
  std::filesystem::path path;
};
using Step = std::variant<Press, Cursor, Type, Print, Recall, Paste, Preview, Valued, WriteTo>;

using cli::UsageError;

long wholeNumber(std::string_view text, std::string_view word) {
  long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    throw UsageError{"not a row or column number in '" + std::string(word) + "'"};
  return value;
}

// COL,ROW,REST after the '=' of `word`: a cell of the table and what goes
// there; `shape` names the three as the help does.
struct AtCell {
  long col;
  long row;
  std::string rest;
};
AtCell atCell(std::string_view value, const std::string& word, std::string_view shape) {
  std::size_t first = value.find(',');
  std::size_t second = first == std::string_view::npos ? first : value.find(',', first + 1);
  if (second == std::string_view::npos)
    throw UsageError{word.substr(0, word.find('=')) + " wants " + std::string(shape) + " in '" +
                     word + "'"};
  return {wholeNumber(value.substr(0, first), word),
          wholeNumber(value.substr(first + 1, second - first - 1), word),
          std::string(value.substr(second + 1))};
}

// The operations that are no button of the window: the word as the help
// lists it, and how it reads what follows its '=' (nothing for a bare word),
// given the shape the help shows there.
struct OtherOperation {
  cli::Word word;
  Step (*read)(std::string_view value, const std::string& word, std::string_view shape);
};

constexpr OtherOperation kOtherOperations[] = {
    {{"undo", "undo the last step that changed the tables"},
     [](std::string_view, const std::string&, std::string_view) -> Step { return Recall{false}; }},
    {{"redo", "redo the step undone last"},
     [](std::string_view, const std::string&, std::string_view) -> Step { return Recall{true}; }},
    {{"paste=COL,ROW,PATH", "paste the tab-separated file at that cell"},
     [](std::string_view value, const std::string& word, std::string_view shape) -> Step {
       AtCell at = atCell(value, word, shape);
       return Paste{at.col, at.row, std::move(at.rest)};
     }},
    {{"preview=PATH", "write the picture of the board as SVG"},
     [](std::string_view value, const std::string&, std::string_view) -> Step {
       if (value.empty()) throw UsageError{"preview wants the file it writes: preview=PATH"};
       return Preview{platform::pathFromText(std::string(value))};
     }},
    {{"set=COL,ROW,TEXT", "type TEXT into a cell of the table"},
     [](std::string_view value, const std::string& word, std::string_view shape) -> Step {
       AtCell at = atCell(value, word, shape);
       return Type{at.col, at.row, std::move(at.rest)};
     }},
};

// The cursor a word names after '=', as its button reads it.
Cursor cursorWord(const Button& button, std::string_view value, const std::string& word) {
  if (button.cursor != CursorWord::rows) {
    long position = wholeNumber(value, word);
    return {&button, position, position};
  }
  std::size_t dash = value.find('-');
  long top = wholeNumber(value.substr(0, dash), word);
  long bottom = dash == std::string_view::npos ? top : wholeNumber(value.substr(dash + 1), word);
  return {&button, top, bottom};
}

Step parseOperation(const std::string& word) {
  std::size_t equals = word.find('=');
  std::string_view name = std::string_view(word).substr(0, equals);
  std::string_view value =
      equals == std::string::npos ? std::string_view() : std::string_view(word).substr(equals + 1);
  for (const Button& button : kButtons) {
    if (button.word != name) continue;
    if (button.cursor == CursorWord::none && equals == std::string::npos) return Press{&button};
    if (button.cursor == CursorWord::value && equals != std::string::npos) {
      // Read once here so that a bad value is a usage error before anything runs.
      Controls scratch;
      try {
        button.parameter(value, scratch);
      } catch (const Error& error) {
        throw UsageError{std::string(error.what()) + " in '" + word + "'"};
      }
      return Valued{&button, std::string(value)};
    }
    if (button.cursor == CursorWord::value) continue;
    if (button.cursor == CursorWord::path && equals != std::string::npos && !value.empty())
      return WriteTo{&button, platform::pathFromText(std::string(value))};
    if (button.cursor == CursorWord::path)
      throw UsageError{std::string(name) + " wants the file it writes: " + std::string(name) +
                       "=PATH"};
    if (button.cursor != CursorWord::none && equals != std::string::npos)
      return cursorWord(button, value, word);
  }
  for (const OtherOperation& other : kOtherOperations) {
    const std::string_view shape = other.word.word;
    const std::size_t otherEquals = shape.find('=');
    if (shape.substr(0, otherEquals) == name &&
        (otherEquals == std::string_view::npos) == (equals == std::string::npos))
      return other.read(value, word,
                        otherEquals == std::string_view::npos ? "" : shape.substr(otherEquals + 1));
  }
  if (word == "print") return Print{&cli::printouts().front()};
  if (name == "print" && equals != std::string::npos)
    if (const cli::Printout* printout = cli::findPrintout(value)) return Print{printout};
  std::string reason = "unknown operation '" + word + "'";
  if (auto nearest = cli::nearestOperation(word)) reason += "; did you mean '" + *nearest + "'?";
  throw UsageError{reason};
}

// The settings, then the operations as they run.
struct Run : cli::Settings {
  Workspace workspace;
  std::vector<Step> steps;
  cli::StandardStreams* streams = nullptr;
  std::unique_ptr<History> history;  // every step that changes the tables is one
};

void parseWords(const std::vector<std::string>& words, Run& run) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    // --setting=VALUE stands for --setting VALUE.
    std::size_t equals = words[i].find('=');
    bool joined = words[i].rfind("--", 0) == 0 && equals != std::string::npos;
    const std::string word = joined ? words[i].substr(0, equals) : words[i];
    const std::string joinedValue = joined ? words[i].substr(equals + 1) : std::string();
    auto value = [&]() -> const std::string& {
      if (joined) return joinedValue;
      if (i + 1 >= words.size()) throw UsageError{word + " wants a value"};
      return words[++i];
    };
    const cli::Setting* setting = cli::findSetting(word);
    if (setting == nullptr && word.rfind("--", 0) == 0) {
      std::string reason = "unknown setting '" + word + "'";
      if (auto nearest = cli::nearestSetting(word)) reason += "; did you mean '" + *nearest + "'?";
      throw UsageError{reason};
    }
    if (setting == nullptr) {
      run.steps.push_back(parseOperation(word));
      continue;
    }
    const bool takesValue = setting->argument != cli::Argument::none;
    cli::apply(*setting, takesValue ? value() : std::string(), run);
    if (run.help || run.version) return;
    if (joined && !takesValue) throw UsageError{word + " takes no value"};
  }
  run.controls.CB_Format = run.comma.value_or(run.controls.decimalSeparator == ',');
  if (run.steps.empty()) throw UsageError{"no operation given"};
  for (const Step& step : run.steps)
    if (auto* p = std::get_if<Press>(&step))
      if (auto missing = cli::missingPath(p->button->word, run.controls))
        throw UsageError{*missing};
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
bool report(const Outcome& outcome, Run& run, std::ostream& err, std::string_view word) {
  for (const Message& message : outcome.messages)
    if (!run.quiet || message != kSuccessMessage)
      err << message.caption << ": " << message.text << '\n';
  if (outcome.cursorCol) run.controls.Col = *outcome.cursorCol;
  if (outcome.cursorRow) run.controls.Row = *outcome.cursorRow;
  if (outcome.summary && !run.quiet) err << *outcome.summary << '\n';
  if (outcome.askColumns) return false;  // the message says what was found
  if (outcome.unopened) {
    err << "error: cannot open " << platform::displayPath(*outcome.unopened) << ": "
        << cli::openFailureReason(*outcome.unopened,
                                  cli::writesTo(word, *outcome.unopened, run.controls))
        << '\n';
    return false;
  }
  return true;
}

bool press(Run& run, const Button& button, std::ostream& err) {
  Progress silent;
  return report(runButton(button, button.operation, run.workspace, run.controls, silent), run, err,
                button.word);
}

// Puts the cursor where the word says, as the window's grid would hold it.
void placeCursor(Run& run, const Cursor& cursor) {
  Controls& controls = run.controls;
  switch (cursor.button->cursor) {
    case CursorWord::row:
      checkRow(run, cursor.top);
      controls.Row = static_cast<int>(cursor.top);
      break;
    case CursorWord::column:
      checkColumn(run, cursor.top);
      controls.Col = static_cast<int>(cursor.top);
      break;
    case CursorWord::rows:
      checkRow(run, cursor.top);
      checkRow(run, cursor.bottom);
      if (cursor.bottom < cursor.top)
        throw UsageError{"delete wants TOP-BOTTOM with TOP <= BOTTOM"};
      controls.Selection = {1, static_cast<int>(cursor.top), 1, static_cast<int>(cursor.bottom)};
      controls.Col = 1;
      controls.Row = static_cast<int>(cursor.top);
      break;
    case CursorWord::none:
    case CursorWord::value:
    case CursorWord::path:
      break;
  }
}

// What the checks before the machine leave, as scripts read it: the table
// check's findings (it always succeeds), or the compare's differences (it
// fails when there is one).
bool printCheckResults(const Run& run, const Button& button, std::ostream& out) {
  const Workspace& w = run.workspace;
  if (button.operation == checkComponents) {
    for (const Finding& finding : w.findings)
      out << finding.row << '\t' << findingCodeName(finding.code) << '\t' << finding.text << '\n';
    out << w.findings.size() << " findings\n";
  }
  if (button.operation == verifyQpf) {
    for (const QpfDifference& d : w.qpfCompare.differences)
      out << d.record << '\t' << d.row << '\t' << d.field << '\t' << d.file << '\t' << d.table
          << '\n';
    out << w.qpfCompare.differences.size() << " differences\n";
    return w.qpfCompare.differences.empty();
  }
  return true;
}

// Every operation word runs here, so each one reads and writes `-` alike.
bool pressButton(Run& run, const Button& button, std::ostream& out, std::ostream& err) {
  if (!isEnabled(button, run.workspace)) {
    err << "error: " << button.word << ": button disabled\n";
    return false;
  }
  bool ok = false;
  {
    cli::BoundStreams bound(button.word, run.controls, *run.streams);
    ok = press(run, button, err);
    run.streams->flushOutput();
  }
  return ok && printCheckResults(run, button, out);
}

// ---- Undo, redo and paste: the steps ------------------------------------
bool recall(Run& run, const Recall& recall, std::ostream& err) {
  if (recall.forward ? run.history->redo(run.workspace) : run.history->undo(run.workspace))
    return true;
  err << (recall.forward ? "error: niente da ripetere\n" : "error: niente da annullare\n");
  return false;
}

bool paste(Run& run, const Paste& paste, std::ostream& err) {
  checkColumn(run, paste.col);
  checkRow(run, paste.row);
  const std::filesystem::path path = platform::pathFromText(paste.path);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "error: cannot open " << platform::displayPath(path) << ": "
        << cli::openFailureReason(path, false) << '\n';
    return false;
  }
  // One byte past the limit tells a file that is too long.
  std::string bytes(kMaxPasteBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  checkPasteSize(bytes.size());
  const auto rows = parseCells(toLatin1(bytes));
  return report(
      pasteCells(run.workspace, static_cast<int>(paste.col), static_cast<int>(paste.row), rows),
      run, err, "paste");
}
// ---- end of undo, redo and paste: the steps -----------------------------
// Runs one step; false when it failed.
bool perform(Run& run, const Step& step, std::ostream& out, std::ostream& err) {
  if (auto* p = std::get_if<Press>(&step)) return pressButton(run, *p->button, out, err);
  if (auto* c = std::get_if<Cursor>(&step)) {
    placeCursor(run, *c);
    return pressButton(run, *c->button, out, err);
  }
  if (auto* t = std::get_if<Type>(&step)) {
    checkColumn(run, t->col);
    checkRow(run, t->row);
    run.workspace.StringGrid1.setCell(static_cast<int>(t->col), static_cast<int>(t->row), t->text);
    return true;
  }
  if (auto* v = std::get_if<Valued>(&step)) {
    v->button->parameter(v->value, run.controls);
    return pressButton(run, *v->button, out, err);
  }
  if (auto* r = std::get_if<Recall>(&step)) return recall(run, *r, err);
  if (auto* p = std::get_if<Paste>(&step)) return paste(run, *p, err);
  if (auto* w = std::get_if<WriteTo>(&step)) {
    run.controls.*w->button->writes = w->path;
    return pressButton(run, *w->button, out, err);
  }
  if (auto* p = std::get_if<Preview>(&step)) {
    writeBoardSvg(p->path, buildBoard(run.workspace.StringGrid1, run.controls.numbers()));
    return true;
  }
  std::get<Print>(step).printout->print(run.workspace, out);
  return true;
}

}  // namespace

int runCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           char localeSeparator) {
  std::istringstream nothing;
  return runCli(words, nothing, out, err, localeSeparator);
}

int runCli(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
           std::ostream& err, char localeSeparator) {
  Run run;
  run.controls.decimalSeparator = localeSeparator;
  cli::StandardStreams streams(in, out);
  run.streams = &streams;
  try {
    parseWords(words, run);
  } catch (const UsageError& usage) {
    err << "brisel-cli: " << usage.reason << '\n' << cli::usageLine() << '\n';
    return 2;
  }
  if (run.help || run.version) {
    out << (run.help ? cli::helpText() : std::string("brisel-cli " BRISEL_VERSION "\n"));
    out.flush();
    return 0;
  }
  bool failed = false;
  run.history = std::make_unique<History>(run.workspace);
  for (const Step& step : run.steps) {
    bool ok = false;
    try {
      ok = perform(run, step, out, err);
    } catch (const UsageError& usage) {
      out.flush();
      err << "brisel-cli: " << usage.reason << '\n' << cli::usageLine() << '\n';
      return 2;
    } catch (const std::exception& error) {
      err << "error: " << error.what() << '\n';
    }
    try {
      // A step that failed part-way is recorded too: what it wrote can be undone.
      run.history->record(run.workspace);
    } catch (const std::exception& error) {
      err << "error: " << error.what() << '\n';
      ok = false;
    }
    if (!ok) {
      failed = true;
      if (!run.keepGoing) break;
    }
  }
  out.flush();
  return failed ? 1 : 0;
}

std::span<const cli::Word> cli::otherOperationWords() {
  static const std::vector<Word> words = [] {
    std::vector<Word> all;
    for (const OtherOperation& other : kOtherOperations) all.push_back(other.word);
    return all;
  }();
  return words;
}

}  // namespace brisel
