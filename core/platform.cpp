#include "core/platform.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>
#endif

namespace brisel::platform {

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

#else

bool syncFile(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
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

#endif

}  // namespace brisel::platform
