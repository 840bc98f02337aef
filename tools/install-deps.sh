#!/bin/sh
# Installs, from Debian's archive, whatever the build, the tests and the
# mascot need and this machine lacks. Needs root (or sudo) only when
# something is missing.
set -e
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev mingw-w64 wine wine64
xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick fonts-noto-cjk zip clang libclang-rt-14-dev procps"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
