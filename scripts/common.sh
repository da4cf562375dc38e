# Shared by run.sh and test.sh: package installation and the build.

# The program asks for "Arial" everywhere: Liberation Sans has its metrics, and
# fontconfig takes it for Arial before DejaVu or the URW fonts.
PACKAGES=(g++ cmake ninja-build pkg-config libpcre2-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev xvfb xauth fonts-dejavu-core fonts-wqy-microhei
          fonts-liberation2)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Wanted by some tests but not needed to build: a failed install only skips them.
OPTIONAL_PACKAGES=(bible-kjv)

ensure_optional_packages() {
  local missing=()
  for p in "${OPTIONAL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" ||
    echo "Could not install ${missing[*]}: the tests that need it are skipped."
}

configure_and_build() {
  if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build build --parallel "$(nproc)"
}
