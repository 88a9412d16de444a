# Shared by the scripts: installs Debian packages that are missing, and only those.
# shellcheck shell=bash

# The Linguist tools: lupdate for scripts/update-translations and the catalogue check,
# lrelease (through Qt6LinguistTools' CMake configuration) for the window's .qm.
WAKEBURST_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config libx11-dev
  qt6-base-dev libgl-dev qt6-l10n-tools qt6-tools-dev)
WAKEBURST_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev iproute2 util-linux
  wakeonlan procps xvfb xauth fonts-wqy-microhei poppler-utils tzdata python3
  qt6-translations-l10n libfaketime qt6-l10n-tools)
# The fuzz targets (scripts/fuzz): clang with libFuzzer and the sanitizers' runtimes, and
# llvm for the symbolizer that names the lines of a finding.
WAKEBURST_FUZZ_PACKAGES=(clang libclang-rt-14-dev llvm)
# Qt's own texts (standard buttons, file and print dialogs) in Chinese, like the program's.
WAKEBURST_RUN_PACKAGES=(fonts-wqy-microhei qt6-translations-l10n)
# Building and checking the Debian packages (scripts/test-package); dawnly's dependencies
# must be installed for the scratch-root installation to find them.
WAKEBURST_PACKAGE_PACKAGES=(dpkg-dev file gzip man-db lintian desktop-file-utils appstream
  shared-mime-info libxml2-utils binutils iproute2 util-linux qt6-translations-l10n)

wakeburst_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

wakeburst_ensure_packages() {
  local missing
  missing=$(wakeburst_missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $(echo $missing)"
  local sudo=""
  if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: $missing" >&2; return 1; }
    sudo=sudo
  fi
  # shellcheck disable=SC2086
  $sudo apt-get update -qq &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}
