# Sourced by scripts/run and scripts/test: installs the Debian packages the
# build needs when some are missing.
brisel_packages=(cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  libbenchmark-dev)

brisel_install_missing() {
  local missing=()
  for package in "${brisel_packages[@]}"; do
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
