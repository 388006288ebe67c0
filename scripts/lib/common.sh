# Shared by scripts/run and scripts/test: installs the Debian packages the
# build needs (only what is missing) and configures a build folder.

# Every Debian package the project needs to build, test and run.
JIXIA_PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  libpcre2-dev libcurl4-openssl-dev libssl-dev openssl
  libgtest-dev libgmock-dev libbenchmark-dev
  libcpp-httplib-dev nlohmann-json3-dev libcli11-dev libcsv-dev libpng-dev
  qt6-base-dev qt6-base-dev-tools
  fonts-wqy-microhei xdg-utils
  xvfb xauth x11-utils imagemagick xdotool
  curl time hyperfine
)

jixia_root() { cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd; }

jixia_install_packages() {
  local missing=() p
  for p in "${JIXIA_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# jixia_build BUILD_DIR [cmake options...]
jixia_build() {
  local dir="$1"; shift
  local root; root="$(jixia_root)"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
