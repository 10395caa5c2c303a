#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and show
# the chart. Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format clang-tidy clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-tools-dev qt6-l10n-tools qt6-qpa-plugins qt6-svg-dev
  qt6-declarative-dev-tools qml6-module-qtqml qml6-module-qtquick qml6-module-qtquick-window
  qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-layouts
  qml6-module-qtquick-dialogs qml6-module-qt-labs-folderlistmodel qml6-module-qtqml-workerscript
  qml6-module-qttest
  libgl-dev libglx-dev libxkbcommon-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-arphic-uming fonts-liberation2 fonts-dejavu-core fontconfig
  xvfb xauth locales poppler-utils time doxygen
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run this script as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so the tests can prove that numbers written and
# read by the chart do not follow the process locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: the de_DE.UTF-8 locale is missing; run this script as root" >&2
    exit 1
  fi
  if grep -q '^# *de_DE\.UTF-8 UTF-8' /etc/locale.gen; then
    sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  fi
  locale-gen
fi
