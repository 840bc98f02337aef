#!/bin/sh
# Installs, from Debian's archive, whatever the build, the tests and the
# mascot need and this machine lacks. Needs root (or sudo) only when
# something is missing.
set -e
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev mingw-w64 wine wine64
xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick gifsicle fonts-noto-cjk zip clang libclang-rt-14-dev procps"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# Wine shows the Japanese texts under this locale; generating it keeps
# shells from warning that it does not exist.
need_locale=""
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' || need_locale=yes
[ -n "$need_locale" ] && ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed" &&
    missing="$missing locales"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing
fi
if [ -n "$need_locale" ]; then
    $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
