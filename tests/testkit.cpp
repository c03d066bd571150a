#include "tests/testkit.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace brisel::testing {

TempDir::TempDir() {
  std::random_device seed;
  auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("brisel-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

std::filesystem::path TempDir::write(std::string_view name, std::string_view bytes) const {
  auto file = path_ / name;
  writeFile(file, bytes);
  return file;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string rowText(const Grid& grid, int row) {
  std::string out;
  for (int c = 0; c < grid.ColCount(); ++c) {
    if (c > 0) out += '|';
    out += grid.cell(c, row);
  }
  return out;
}

}  // namespace brisel::testing

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace brisel::testing {

int runCommand(const std::string& commandLine, const std::filesystem::path& out,
               const std::filesystem::path& err) {
  std::string full = commandLine + " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
#ifdef _WIN32
  // cmd.exe drops the first and the last quote of the line: quote it whole.
  full = "\"" + full + "\"";
#endif
  int status = std::system(full.c_str());
#ifdef _WIN32
  return status;
#else
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace brisel::testing
