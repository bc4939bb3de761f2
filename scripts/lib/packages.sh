# Installs the Debian packages the project needs, only those missing; sourced by the scripts.

# Everything needed to build and to run every test.
LUCKYDRAW_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  qt6-base-dev libsm-dev libxcb1-dev
  fonts-arphic-uming
  xvfb icewm xdotool wmctrl x11-utils imagemagick
)

# The Windows program: the MinGW-w64 cross compiler (GoogleTest's sources come with libgtest-dev),
# and Wine with a Chinese locale to test it on a virtual display.
LUCKYDRAW_WINDOWS_BUILD_PACKAGES=(
  cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix
)
LUCKYDRAW_WINDOWS_TEST_PACKAGES=(
  wine wine64 locales fonts-arphic-uming xvfb xdotool x11-utils imagemagick
)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
