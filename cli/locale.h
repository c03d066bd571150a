#pragma once
// The user's decimal separator where no window toolkit tells it: from the
// locale environment, LC_ALL, then LC_NUMERIC, then LANG (the first that is
// set and not empty); the point when none is set.

#include <string>

namespace brisel {

// The separator of a locale name such as it_IT.UTF-8, de_DE@euro or C. Asks
// the system first and falls back on the languages known to write a comma.
char decimalSeparatorOfLocale(const std::string& name);

char decimalSeparatorFromEnvironment();

}  // namespace brisel
