# Installs the Debian packages the build and the tests need, only those that are missing.
# Sourced by ./run and ./test; runs apt-get directly as root and through sudo otherwise.

corvald_packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest
                  libbenchmark-dev libcli11-dev libvterm-dev tmux nlohmann-json3-dev)

# Boost >= 1.81 (its flat hash tables), header-only; Debian 12 ships 1.74 as default,
# so an older Boost brings 1.81.
boost_ok() {
  local header=/usr/include/boost/version.hpp
  [ -f "$header" ] || return 1
  local version
  version=$(sed -n 's/^#define BOOST_VERSION \([0-9]*\).*/\1/p' "$header")
  [ -n "$version" ] && [ "$version" -ge 108100 ]
}

install_missing() {
  local wanted=("$@") missing=() pkg
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  if ! boost_ok; then missing+=(libboost1.81-dev); fi
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What tools/package-check.sh needs besides: cpack's Debian generator (dpkg-shlibdeps and
# file), the manual page's renderers and linter, lintian, and python3 to read JSON.
corvald_package_check_packages=(dpkg-dev file man-db groff-base mandoc lintian python3)
