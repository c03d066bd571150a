#include "cli/locale.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

#include "core/platform.h"

namespace brisel {

namespace {

// Languages whose usual decimal separator is the comma.
constexpr std::array<std::string_view, 48> kCommaLanguages = {
    "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fo", "fr",
    "gl", "hr", "hu", "hy", "id", "is", "it", "ka", "kk", "ky", "lb", "lt", "lv", "mk", "mn", "nb",
    "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq", "sr", "sv", "tr", "uk", "uz", "vi"};

// Territories of those languages that write a point all the same.
constexpr std::array<std::string_view, 6> kPointTerritories = {"CH", "LI", "MX", "US", "PR", "GT"};

char fromLanguage(std::string_view name) {
  std::string_view language = name.substr(0, name.find_first_of("_.@"));
  if (std::find(kCommaLanguages.begin(), kCommaLanguages.end(), language) == kCommaLanguages.end())
    return '.';
  std::size_t underscore = name.find('_');
  if (underscore != std::string_view::npos) {
    std::string_view territory = name.substr(underscore + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
    if (std::find(kPointTerritories.begin(), kPointTerritories.end(), territory) !=
        kPointTerritories.end())
      return '.';
  }
  return ',';
}

}  // namespace

char decimalSeparatorOfLocale(const std::string& name) {
  if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return '.';
  if (auto known = platform::localeDecimalSeparator(name)) {
    if (*known == '.' || *known == ',') return *known;
  }
  return fromLanguage(name);
}

char decimalSeparatorFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return decimalSeparatorOfLocale(value);
  }
  return '.';
}

}  // namespace brisel
