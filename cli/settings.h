#pragma once
// brisel-cli's settings, each listed once: its word, the shape of its
// argument and what it sets. Parsing, --help, the suggestions, the standard
// streams and the bash completion (through --help) all read this table.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/buttons.h"
#include "core/workspace.h"

namespace brisel::cli {

// Bad usage: the run stops before anything runs, exit status 2.
struct UsageError {
  std::string reason;
};

// What the settings set: the window's controls, and the run's own
// conventions.
struct Settings {
  Controls controls;
  bool keepGoing = false;  // run the operations after a failed one too
  bool quiet = false;      // no success message lines
  bool help = false;       // --help or -h: the help and nothing else
  bool version = false;    // --version: the version and nothing else
  // --comma or --no-comma; without either, as the window's "Virgola come
  // separatore decimali" starts: checked where the decimal separator is a comma.
  std::optional<bool> comma;
};

// What follows a setting's word.
enum class Argument {
  none,   // the word alone
  path,   // a path, or `-` for a standard stream: fills Setting::box
  value,  // a value that Setting::set reads
};

// Puts what a setting says into the settings; throws UsageError naming what
// it wants when the value is not such a value.
using SettingWriter = void (*)(std::string_view value, Settings& settings);

struct Setting {
  std::string_view word;  // "--rep"
  Argument argument = Argument::none;
  std::string_view help;  // one line of --help
  PathBox box = nullptr;  // Argument::path: the window's path box it fills
  // Argument::value: the value as --help shows it ("LIST").
  std::string_view shape{};
  SettingWriter set = nullptr;  // Argument::none and Argument::value
  std::string_view alias{};     // a second spelling ("-h")
};

// Every setting, in the order --help lists them.
std::span<const Setting> settings();

// The setting spelled `word` (or its alias), or null.
const Setting* findSetting(std::string_view word);

// Puts the setting with its value (empty for Argument::none) into `settings`.
void apply(const Setting& setting, std::string_view value, Settings& settings);

// The setting that fills `box`, or null.
const Setting* settingOf(PathBox box);

}  // namespace brisel::cli
