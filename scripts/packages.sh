# Installs the Debian packages the build and the tests need, only those that are missing:
# one `apt-get update`, then one `apt-get install -y`, through sudo when not root.
ORBIQUANT_PACKAGES=(
  cmake g++ make pkg-config
  libgl-dev libglu1-mesa-dev libfltk1.3-dev libcurl4-openssl-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core
  libcpp-httplib-dev libssl-dev openssl libgtest-dev libbenchmark-dev libxml2-dev
  nlohmann-json3-dev libcctz-dev tzdata
  xvfb xauth xdotool x11-utils x11-xserver-utils openbox imagemagick faketime locales
  tesseract-ocr
  desktop-file-utils appstream man-db groff-base dpkg-dev
  clang-format
)

orbiquant_install_packages() {
  local missing=() p
  for p in "${ORBIQUANT_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# Configures and builds into $1 with the remaining arguments passed to CMake; a
# "--target NAME" among them goes to the build instead.
orbiquant_build() {
  local dir=$1 target=()
  shift
  local args=()
  while [ $# -gt 0 ]; do
    if [ "$1" = --target ]; then target=(--target "$2"); shift 2; else args+=("$1"); shift; fi
  done
  cmake -S "$ORBIQUANT_ROOT" -B "$dir" "${args[@]}" >/dev/null
  cmake --build "$dir" -j2 "${target[@]}"
}
