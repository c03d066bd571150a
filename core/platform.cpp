#include "core/platform.h"

#ifdef _WIN32
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
