#include "core/platform.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <system_error>

#ifdef _WIN32
// windows.h first: shellapi.h needs its definitions.
#include <windows.h>
// (kept apart so that include sorting leaves the order)
#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#endif

namespace brisel::platform {

namespace {

using Native = std::filesystem::path::value_type;

// The registry the signal handler reads: fixed slots, no allocation, each
// path complete before its slot is marked live.
constexpr std::size_t kSlots = 16;
constexpr std::size_t kSlotLength = 4096;
struct Slot {
  std::atomic<bool> live{false};
  std::atomic<bool> taken{false};
  Native path[kSlotLength];
};
std::array<Slot, kSlots> slots;

void removeAndReraise(int signal) {
  for (Slot& slot : slots) {
    if (!slot.live.load()) continue;
#ifdef _WIN32
    ::_wunlink(slot.path);
#else
    ::unlink(slot.path);
#endif
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

int registerTemporary(const std::filesystem::path& file) {
  const auto& text = file.native();
  if (text.size() >= kSlotLength) return -1;
  for (std::size_t i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!slots[i].taken.compare_exchange_strong(expected, true)) continue;
    std::memcpy(slots[i].path, text.c_str(), (text.size() + 1) * sizeof(Native));
    slots[i].live.store(true);
    return static_cast<int>(i);
  }
  return -1;
}

void unregisterTemporary(int slot) {
  if (slot < 0 || slot >= static_cast<int>(kSlots)) return;
  slots[static_cast<std::size_t>(slot)].live.store(false);
  slots[static_cast<std::size_t>(slot)].taken.store(false);
}

void removeTemporariesOnSignals() {
  std::signal(SIGINT, removeAndReraise);
  std::signal(SIGTERM, removeAndReraise);
}

std::string displayPath(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string openFailureReason(const std::filesystem::path& path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory).message();
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    return std::make_error_code(std::errc::is_a_directory).message();
#ifdef _WIN32
  errno = 0;
  if (_waccess(path.c_str(), 4) != 0 || _waccess(path.c_str(), 2) != 0)
    return std::error_code(errno, std::generic_category()).message();
#else
  errno = 0;
  if (::access(path.c_str(), R_OK) != 0 || ::access(path.c_str(), W_OK) != 0)
    return std::error_code(errno, std::generic_category()).message();
#endif
  return {};
}

#ifdef _WIN32

bool syncFile(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool ok = FlushFileBuffers(handle) != 0;
  CloseHandle(handle);
  return ok;
}

std::optional<char> localeDecimalSeparator(const std::string&) {
  return std::nullopt;
}

bool syncFolder(const std::filesystem::path&) {
  return true;  // NTFS commits a rename with its journal
}

bool copyOwner(const std::filesystem::path&, const std::filesystem::path&) {
  return true;  // the new file inherits the folder's security
}

unsigned long processId() {
  return GetCurrentProcessId();
}

bool processAlive(unsigned long id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  bool alive = GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
  CloseHandle(process);
  return alive;
}

std::filesystem::path pathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::vector<std::string> commandLineWords(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> words;
  for (int i = 1; i < count; ++i) {
    int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string word(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), size, nullptr, nullptr);
    word.resize(word.size() - 1);
    words.push_back(std::move(word));
  }
  LocalFree(wide);
  return words;
}

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::optional<std::size_t> residentBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) == 0)
    return std::nullopt;
  return counters.WorkingSetSize;
}

#else

bool syncFile(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

bool syncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot sync a folder (EINVAL): nothing more to do there.
  bool ok = ::fsync(fd) == 0 || errno == EINVAL;
  return ::close(fd) == 0 && ok;
}

bool copyOwner(const std::filesystem::path& model, const std::filesystem::path& file) {
  struct stat status;
  if (::stat(model.c_str(), &status) != 0) return false;
  if (::chown(file.c_str(), status.st_uid, status.st_gid) == 0) return true;
  // Not the administrator: a user may still give the file a group of its own.
  (void)::chown(file.c_str(), static_cast<uid_t>(-1), status.st_gid);
  return false;
}

unsigned long processId() {
  return static_cast<unsigned long>(::getpid());
}

bool processAlive(unsigned long id) {
  if (id == 0 || id > static_cast<unsigned long>(INT32_MAX)) return false;
  // EPERM: the process exists and belongs to someone else.
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

std::optional<char> localeDecimalSeparator(const std::string& name) {
  locale_t locale = ::newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return std::nullopt;
  const char* radix = ::nl_langinfo_l(RADIXCHAR, locale);
  std::optional<char> separator;
  if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') separator = radix[0];
  ::freelocale(locale);
  return separator;
}

std::filesystem::path pathFromText(const std::string& text) {
  return std::filesystem::path(text);
}

std::vector<std::string> commandLineWords(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useBinaryStandardStreams() {}

std::optional<std::size_t> residentBytes() {
  // Linux's account: the program's size, then its resident pages. Other
  // systems have no such file.
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0;
  std::size_t pages = 0;
  long pageSize = ::sysconf(_SC_PAGESIZE);
  if (!(statm >> size >> pages) || pageSize <= 0) return std::nullopt;
  return pages * static_cast<std::size_t>(pageSize);
}

#endif

}  // namespace brisel::platform
