#!/bin/sh
# Installs, from Debian's archive, whatever the build, the tests and the
# mascot need and this machine lacks. Needs root (or sudo) only when
# something is missing; where nothing can be installed it says so and stops.
set -e
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev mingw-w64 wine wine64 xserver-xephyr libxinerama1
libx11-dev libxdamage-dev xvfb xauth openbox tint2 xdotool x11-utils x11-xserver-utils imagemagick gifsicle fonts-noto-cjk zip clang libclang-rt-14-dev procps python3"
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
# Where nothing can be installed, one sentence says what is missing, why it
# cannot be had, and what to do.
cannot_install() {
    echo "Cannot install${missing:+ the packages$missing}${need_locales:+${missing:+ and} the locales$need_locales}: $1." >&2
    exit 1
}
[ -z "$missing" ] && [ -z "$need_locales" ] && exit 0
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || cannot_install "that needs root or sudo, and this user has neither; run sh tools/install-deps.sh as root, then this command again"
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
if [ -n "$missing" ]; then
    command -v apt-get >/dev/null 2>&1 || cannot_install "this system has no apt-get to take them from Debian's archive; install them by other means"
    echo "Installing:$missing"
    # shellcheck disable=SC2086
    { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends $missing; } ||
        cannot_install "apt-get could not get them from this machine's package sources (its messages are above)"
fi
if [ -n "$need_locales" ]; then
    for l in $need_locales; do
        $sudo sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    done
    $sudo locale-gen >/dev/null
fi
