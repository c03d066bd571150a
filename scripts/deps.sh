# Sourced by the scripts: installs the Debian packages they need when some are
# missing.
# qt6-tools-dev (Qt6LinguistTools for CMake) and qt6-l10n-tools (lupdate, lrelease):
# the window's translations are compiled in, and a test runs lupdate.
# qt6-translations-l10n: Qt's own texts (dialog buttons, file dialogs) in the
# window's language, which a test checks.
brisel_packages=(cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  libbenchmark-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
# scripts/package: dpkg-shlibdeps (and file, which CPack asks) for the
# dependencies; the validators of the desktop entry and the AppStream data.
brisel_package_packages=(cmake make g++ qt6-base-dev libgl-dev qt6-tools-dev qt6-l10n-tools
  dpkg-dev file desktop-file-utils appstream)
# scripts/test-windows: the MinGW-w64 compilers with posix threads, GoogleTest's
# sources, wine to run the tests.
brisel_windows_packages=(cmake make gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  googletest wine wine64)

# Installs the packages named, by default those of the build.
brisel_install_missing() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${brisel_packages[@]}")
  local missing=()
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}
