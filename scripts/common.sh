# Shared by scripts/run and scripts/test: installs what the build needs and builds the program.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${LARDERON_BUILD_DIR:-$ROOT/build}"

# Debian 12 / Ubuntu packages the build, the program and the tests need.
PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql
  libcairo2-dev libpango1.0-dev libfontconfig-dev libcups2-dev
  libzint-dev fonts-thai-tlwg
  libgtest-dev googletest
  libsqlite3-dev libpq-dev
  poppler-utils zbar-tools xvfb xauth
  postgresql
)

install_packages() {
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}
