#include "core/atomic_file.h"

#include <random>
#include <string>
#include <system_error>

#include "core/platform.h"

namespace fs = std::filesystem;

namespace brisel {

namespace {

// Follows symbolic links to the file they name, as far as it exists.
fs::path resolveLinks(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
    fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

fs::path temporaryBeside(const fs::path& target) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  fs::path folder = target.parent_path();
  std::error_code error;
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path candidate = folder / ("." + target.filename().string() + ".tmp" +
                                   std::to_string(random() % 1000000000));
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
  return {};
}

std::string describe(const fs::path& path) {
  return "'" + platform::displayPath(path) + "'";
}

}  // namespace

AtomicFile::AtomicFile(const fs::path& target) : target_(resolveLinks(target)) {
  std::error_code error;
  if (target_.empty() || target_.filename().empty()) return;
  fs::file_status status = fs::status(target_, error);
  if (fs::is_directory(status)) return;
  bool inPlace = fs::exists(status) && !fs::is_regular_file(status);
  if (!inPlace) {
    temporary_ = temporaryBeside(target_);
    if (temporary_.empty()) return;
  }
  out_.open(inPlace ? target_ : temporary_, std::ios::binary | std::ios::trunc);
  open_ = out_.is_open();
  if (!open_) temporary_.clear();
}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

void AtomicFile::discard() {
  if (out_.is_open()) out_.close();
  std::error_code error;
  if (!temporary_.empty()) fs::remove(temporary_, error);
  temporary_.clear();
  open_ = false;
}

void AtomicFile::fail(const char* what) {
  discard();
  throw WriteError(std::string(what) + " " + describe(target_));
}

void AtomicFile::write(std::string_view bytes) {
  if (!open_) fail("Errore di scrittura del file");
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) fail("Errore di scrittura del file");
}

void AtomicFile::commit() {
  if (!open_) fail("Errore di scrittura del file");
  out_.flush();
  if (!out_) fail("Errore di scrittura del file");
  out_.close();
  if (out_.fail()) fail("Errore di scrittura del file");
  if (temporary_.empty()) {  // written in place
    committed_ = true;
    return;
  }
  if (!platform::syncFile(temporary_)) fail("Errore di scrittura del file");
  std::error_code error;
  fs::file_status old = fs::status(target_, error);
  if (!error && fs::exists(old)) {
    fs::permissions(temporary_, old.permissions(), fs::perm_options::replace, error);
    if (error) fail("Errore nei permessi del file");
  }
  fs::rename(temporary_, target_, error);
  if (error) fail("Errore nel sostituire il file");
  temporary_.clear();
  committed_ = true;
}

}  // namespace brisel
