#pragma once
// Fixtures shared by the tests: a temporary folder per test, files written
// and read back byte for byte.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/workspace.h"

namespace brisel::testing {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes `bytes` to a file of the folder and returns its path.
  std::filesystem::path write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

// The cells of one row of a grid, joined by '|': a compact form to compare.
std::string rowText(const Grid& grid, int row);

// A progress bar that records what it was asked to do.
class RecordingProgress : public Progress {
 public:
  void show() override { events += "show "; }
  void setPosition(int percent) override {
    events += std::to_string(percent) + " ";
    ++positions;
  }
  void hide() override { events += "hide "; }
  std::string events;
  int positions = 0;
};

}  // namespace brisel::testing

namespace brisel::testing {

// Runs a command line through the shell, its output and errors into files;
// returns its exit status.
int runCommand(const std::string& commandLine, const std::filesystem::path& out,
               const std::filesystem::path& err);

}  // namespace brisel::testing
