#!/bin/sh
# Installs, from Debian's archive, whatever the build, the tests and the
# mascot need and this machine lacks. Needs root (or sudo) only when
# something is missing.
set -e
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev mingw-w64 wine wine64
xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick gifsicle fonts-noto-cjk zip clang libclang-rt-14-dev procps python3"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# The locales that the tests run Wine under: Japanese, and English for
# everyone else. Under a locale that was never generated, Wine cannot even
# open files in a folder with a non-ASCII name.
locales_used="ja_JP.UTF-8 en_US.UTF-8"
need_locales=""
for l in $locales_used; do
    want=$(echo "$l" | sed 's/UTF-8$/utf-\\?8/')
    locale -a 2>/dev/null | grep -qi "^$want\$" || need_locales="$need_locales $l"
done
[ -n "$need_locales" ] && ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed" &&
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
if [ -n "$need_locales" ]; then
    for l in $need_locales; do
        $sudo sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    done
    $sudo locale-gen >/dev/null
fi
