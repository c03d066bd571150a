#include "cli/standard_streams.h"

#include <cerrno>
#include <fstream>
#include <istream>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/settings.h"

namespace brisel::cli {

namespace fs = std::filesystem;

StandardStreams::~StandardStreams() {
  if (!folder_) return;
  std::error_code ignored;
  fs::remove_all(*folder_, ignored);
}

const fs::path& StandardStreams::folder() {
  if (folder_) return *folder_;
  std::error_code error;
  fs::path base = fs::temp_directory_path(error);
  if (error) throw std::runtime_error("no temporary folder for standard input or output");
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = base / ("brisel-cli-" + std::to_string(random()));
    if (fs::create_directory(candidate, error)) {
      folder_ = candidate;
      return *folder_;
    }
  }
  throw std::runtime_error("no temporary folder for standard input or output");
}

fs::path StandardStreams::input() {
  if (input_) return *input_;
  fs::path file = folder() / "stdin";
  std::ofstream copy(file, std::ios::binary);
  copy << in_.rdbuf();
  copy.close();
  if (!copy) throw std::runtime_error("cannot copy standard input to " + file.string());
  input_ = file;
  return file;
}

fs::path StandardStreams::output() {
  pending_ = folder() / ("stdout-" + std::to_string(++outputs_));
  return *pending_;
}

void StandardStreams::flushOutput() {
  if (!pending_) return;
  fs::path file = *pending_;
  pending_.reset();
  std::ifstream written(file, std::ios::binary);
  if (!written) return;  // the writer failed and said so: nothing goes out
  out_ << written.rdbuf();
  out_.flush();
  written.close();
  std::error_code ignored;
  fs::remove(file, ignored);
}

std::string openFailureReason(const fs::path& path, bool forWriting) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory).message();
  if (forWriting) {
    fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    fs::file_status folder = fs::status(parent, error);
    if (error) return error.message();
    if (!fs::is_directory(folder))
      return std::make_error_code(std::errc::not_a_directory).message();
    return std::make_error_code(std::errc::permission_denied).message();
  }
  if (!fs::exists(status)) {
    if (error) return error.message();
    return std::make_error_code(std::errc::no_such_file_or_directory).message();
  }
  errno = 0;
  std::ifstream probe(path, std::ios::binary);
  if (probe) return "it could not be opened then";
  if (errno != 0) return std::generic_category().message(errno);
  return std::make_error_code(std::errc::permission_denied).message();
}

namespace {

// A path box that the operation of a word reads or writes.
struct PathUse {
  PathBox box;
  bool writes;
};

std::vector<PathUse> pathUses(std::string_view word) {
  std::vector<PathUse> uses;
  for (const Button& button : kButtons) {
    if (button.word != word) continue;
    for (PathBox box : button.reads)
      if (box != nullptr) uses.push_back({box, false});
    if (button.writes != nullptr) uses.push_back({button.writes, true});
  }
  return uses;
}

}  // namespace

std::optional<std::string> missingPath(std::string_view word, const Controls& controls) {
  for (const PathUse& use : pathUses(word)) {
    // A box no setting fills is one the word itself names (write-placements=PATH).
    const Setting* setting = settingOf(use.box);
    if (setting != nullptr && (controls.*use.box).empty())
      return std::string(word) + " needs " + std::string(setting->word) + " PATH";
  }
  return std::nullopt;
}

bool writesTo(std::string_view word, const std::filesystem::path& path, const Controls& controls) {
  for (const PathUse& use : pathUses(word))
    if (use.writes && controls.*use.box == path) return true;
  return false;
}

BoundStreams::BoundStreams(std::string_view word, Controls& controls, StandardStreams& streams)
    : controls_(controls), saved_(controls) {
  for (const PathUse& use : pathUses(word)) {
    std::filesystem::path& path = controls.*use.box;
    if (path != kStandardStream) continue;
    path = use.writes ? streams.output() : streams.input();
  }
}

BoundStreams::~BoundStreams() {
  for (const Setting& setting : settings())
    if (setting.box != nullptr) controls_.*setting.box = saved_.*setting.box;
}

}  // namespace brisel::cli
