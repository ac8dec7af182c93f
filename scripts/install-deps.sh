#!/usr/bin/env bash
# Installs everything the project needs to build, run and test, from Debian's packages.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake pkg-config \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev \
  qt6-translations-l10n \
  libhidapi-dev \
  xvfb xauth fonts-dejavu-core \
  qemu-system-x86 busybox-static kmod cpio binutils \
  lintian appstream desktop-file-utils man-db \
  can-utils \
  > /dev/null
# Debian's kernel for the USB virtual-machine test, unpacked rather than installed.
$SUDO bash "$(dirname "$0")/vm-kernel.sh" > /dev/null
