#!/usr/bin/env bash
# Installs every Debian 12 package the editor needs to build, run and test.
# Safe to run again: apt-get only installs what is missing.
set -euo pipefail

PKGS=(
  build-essential cmake pkg-config
  qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev libqt5serialport5-dev
  qttools5-dev qttools5-dev-tools qtdeclarative5-dev-tools
  qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
  qml-module-qtquick-layouts qml-module-qtquick-templates2 qml-module-qtgraphicaleffects
  qml-module-qtquick-dialogs qml-module-qttest
  librtmidi-dev libudev-dev libjack-jackd2-dev libasound2-dev
  jackd2 lrzsz socat python3-pyftpdlib
  xvfb xauth librsvg2-bin fonts-noto-cjk
  qt5-gtk-platformtheme qt5-xdgdesktopportal-platformtheme xdotool
  dpkg-dev file appstream desktop-file-utils x11-utils
)

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
