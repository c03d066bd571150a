#include "core/atomic_file.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include "core/platform.h"
#include "core/translatable.h"

namespace fs = std::filesystem;

namespace brisel {

namespace {

constexpr std::string_view kPrefix = ".brisel-";
constexpr std::string_view kSuffix = ".tmp";
constexpr int kMaxHops = 40;

// Follows symbolic links to the file they name. Empty when the chain never
// ends (a loop) or ends at nothing (a dangling link): writing there would
// replace the link itself or create a file the operator never named.
fs::path resolveLinks(fs::path path) {
  std::error_code error;
  bool linked = false;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
    if (hops == kMaxHops) return {};
    fs::path next = fs::read_symlink(path, error);
    if (error) return {};
    path = next.is_absolute() ? next : path.parent_path() / next;
    linked = true;
  }
  if (linked && !fs::exists(fs::symlink_status(path, error))) return {};
  return path;
}

std::uint32_t nameHash(const fs::path& name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (auto c : name.native()) {
    hash ^= static_cast<std::uint32_t>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string hex(std::uint64_t value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    text[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 15];
  return text;
}

fs::path temporaryBeside(const fs::path& target) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  fs::path folder = target.parent_path();
  std::string prefix = AtomicFile::temporaryPrefix(target.filename());
  std::error_code error;
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path candidate = folder / (prefix + std::to_string(platform::processId()) + "-" +
                                   hex(random(), 6) + std::string(kSuffix));
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
  return {};
}

// Removes what killed runs writing this target left behind: only regular
// files of this kind and this target, and only when their process is gone.
void removeLeftovers(const fs::path& target) {
  fs::path folder = target.parent_path();
  std::string prefix = AtomicFile::temporaryPrefix(target.filename());
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!AtomicFile::isLeftover(name, prefix, platform::processAlive)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored) && !it->is_symlink(ignored)) fs::remove(it->path(), ignored);
  }
}

}  // namespace

std::string AtomicFile::temporaryPrefix(const fs::path& targetName) {
  return std::string(kPrefix) + hex(nameHash(targetName), 8) + "-";
}

bool AtomicFile::isLeftover(std::string_view name, std::string_view prefix,
                            bool (*alive)(unsigned long)) {
  // After the prefix: PID "-" RRRRRR ".tmp".
  if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) return false;
  std::string_view rest = name.substr(prefix.size());
  rest.remove_suffix(kSuffix.size());
  unsigned long pid = 0;
  auto [end, status] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (status != std::errc() || end == rest.data()) return false;
  std::string_view random = rest.substr(static_cast<std::size_t>(end - rest.data()));
  if (random.size() != 7 || random[0] != '-') return false;
  if (random.substr(1).find_first_not_of("0123456789abcdef") != std::string_view::npos)
    return false;
  return !alive(pid);
}

AtomicFile::AtomicFile(const fs::path& target) : target_(resolveLinks(target)) {
  std::error_code error;
  if (target_.empty() || target_.filename().empty()) return;
  fs::file_status status = fs::status(target_, error);
  if (fs::is_directory(status)) return;
  bool inPlace = fs::exists(status) && !fs::is_regular_file(status);
  if (!inPlace) {
    removeLeftovers(target_);
    temporary_ = temporaryBeside(target_);
    if (temporary_.empty()) return;
    slot_ = platform::registerTemporary(temporary_);
  }
  out_.open(inPlace ? target_ : temporary_, std::ios::binary | std::ios::trunc);
  open_ = out_.is_open();
  if (!open_) {
    platform::unregisterTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
  }
}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

void AtomicFile::discard() {
  if (out_.is_open()) out_.close();
  std::error_code error;
  if (!temporary_.empty()) fs::remove(temporary_, error);
  platform::unregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
  open_ = false;
}

void AtomicFile::fail(const char* what) {
  discard();
  throw WriteError(Text(what, {Text::data(platform::displayPath(target_))}));
}

void AtomicFile::write(std::string_view bytes) {
  if (!open_) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
}

void AtomicFile::commit() {
  if (!open_) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
  out_.flush();
  if (!out_) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
  out_.close();
  if (out_.fail()) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
  if (temporary_.empty()) {  // written in place
    committed_ = true;
    return;
  }
  if (!platform::syncFile(temporary_))
    fail(BRISEL_TRANSLATE_NOOP("Message", "Errore di scrittura del file '%1'"));
  std::error_code error;
  fs::file_status old = fs::status(target_, error);
  if (!error && fs::exists(old)) {
    // The owner first: a change of owner may clear the set-id permission bits.
    platform::copyOwner(target_, temporary_);
    fs::permissions(temporary_, old.permissions(), fs::perm_options::replace, error);
    if (error) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore nei permessi del file '%1'"));
  }
  fs::rename(temporary_, target_, error);
  if (error) fail(BRISEL_TRANSLATE_NOOP("Message", "Errore nel sostituire il file '%1'"));
  platform::unregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
  committed_ = true;
  // The new name is on disk only once its folder is; the file itself is in
  // place, so a failure here is not a failed write.
  platform::syncFolder(target_.parent_path());
}

}  // namespace brisel
