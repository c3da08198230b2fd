#!/bin/sh
# Installs the Debian 12 packages the build and the tests need; only what is missing.
set -e
PKGS="cmake ninja-build g++ make pkg-config qt6-base-dev libsdl2-mixer-dev libx11-dev libxext-dev \
libxss-dev libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xdotool x11-utils trayer \
dbus-daemon dbus-x11 dunst x11-apps xdg-utils python3 python3-dbus python3-gi clang libclang-rt-14-dev libsm-dev"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y --no-install-recommends $missing
