#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user meets it: lintian finds
# no error, the menu entry and the AppStream metadata are valid; then it installs
# the package, lets /usr/bin/tapsody install itself silently ("/ini") for a user
# whose home is a sandbox, on a virtual display of its own, checks that the
# user's copy shows the keyboard, removes the package and checks that nothing of
# it is left. Run as root, or as a user who may use sudo (only dpkg runs through
# it). The package never stays installed: the check refuses to start when it is
# installed already, and removes it on every way out.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

# Waits up to 60 seconds for a command to succeed; says what it waited for when
# it gives up.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 600); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "gave up after 60 s waiting for $what ($*)"
}

# dpkg refuses to work while apt or another dpkg runs; wait up to 10 minutes.
run_dpkg() {
    local output
    for _ in $(seq 120); do
        if output=$($sudo dpkg "$@" 2>&1); then
            return 0
        fi
        grep -qi "lock" <<<"$output" || break
        sleep 5
    done
    echo "$output" >&2
    return 1
}

is_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' tapsody 2>/dev/null) == installed ]]
}

echo "== the Debian package"
cmake --workflow --preset package >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
deb=build/package/tapsody_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "the package $deb was not made"
echo "$deb: $(stat -c %s "$deb") bytes"

is_installed && fail "tapsody is installed on this machine; remove it first (sudo dpkg -r tapsody)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tapsody-package-XXXXXX")
installed=false
pids=()
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if $installed; then
        run_dpkg -r tapsody || echo "check-package: could not remove the package; run: sudo dpkg -r tapsody" >&2
    fi
    rm -rf "$work"
}
trap finish EXIT

echo "== lintian"
lintian_status=0
lintian --fail-on error --display-level '>=pedantic' "$deb" >"$work/lintian" 2>&1 || lintian_status=$?
grep -v "running with root privileges" "$work/lintian" || true
[[ $lintian_status -eq 0 ]] || fail "lintian reports errors"

echo "== the menu entry and the AppStream metadata"
dpkg-deb -x "$deb" "$work/contents"
desktop-file-validate "$work/contents/usr/share/applications/tapsody.desktop"
appstreamcli validate --no-net "$work/contents/usr/share/metainfo/"*.metainfo.xml

echo "== installing"
installed=true
run_dpkg -i "$deb" || fail "dpkg -i failed"
dpkg -L tapsody | sort >"$work/files"
for file in /usr/bin/tapsody /usr/bin/tapsodia-data /usr/share/applications/tapsody.desktop \
    /usr/share/metainfo/example.tapsody.Tapsody.metainfo.xml /usr/share/icons/hicolor/scalable/apps/tapsody.svg \
    /usr/share/icons/hicolor/{16x16,32x32,48x48,128x128}/apps/tapsody.png \
    /usr/share/man/man1/tapsody.1.gz /usr/share/man/man1/tapsodia-data.1.gz /usr/share/doc/tapsody/copyright; do
    grep -qxF "$file" "$work/files" && [[ -f $file ]] || fail "the package does not install $file"
done
[[ $(man -w tapsody) == /usr/share/man/man1/tapsody.1.gz ]] || fail "man does not find the manual page"
tapsodia-data --help >/dev/null || fail "tapsodia-data does not run"

echo "== /usr/bin/tapsody /ini for a user, on a virtual display"
home=$work/home
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache
export XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8
mkdir -p "$home/Desktop"
mkdir -m 700 "$XDG_RUNTIME_DIR"
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp 2>"$work/xvfb.log" &
pids+=($!)
read -r -t 60 -u "$display_fd" number || fail "the virtual display did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$number
timeout 120 /usr/bin/tapsody /ini || fail "/usr/bin/tapsody /ini ended with status $?"

copy=$XDG_DATA_HOME/Tapsodia/Tapsodia
wait_for "the keyboard window" xdotool search --onlyvisible --name '^Tapsody 1\.'
keyboard=$(xdotool search --onlyvisible --name '^Tapsody 1\.' | head -1)
pid=$(xdotool getwindowpid "$keyboard")
pids+=("$pid")
[[ $(readlink "/proc/$pid/exe") == "$copy" ]] || fail "the keyboard is not the user's copy $copy"
for file in "$copy" "$XDG_DATA_HOME/Tapsodia/Tapsodia.ini" "$XDG_DATA_HOME/applications/Tapsody $version.desktop" \
    "$home/Desktop/Tapsody $version.desktop" "$XDG_CONFIG_HOME/tapsody/registry.reg"; do
    [[ -f $file ]] || fail "the user's installation lacks $file"
done
compgen -G "/usr/bin/Tapsodia*" >/dev/null && fail "the installation wrote beside /usr/bin/tapsody"
import -window root build/package/check-keyboard.png
echo "the user's copy shows the keyboard (build/package/check-keyboard.png)"
kill "$pid"
wait_for "the keyboard to end" bash -c "! kill -0 $pid"
unset 'pids[-1]'

echo "== removing"
run_dpkg -r tapsody || fail "dpkg -r failed"
installed=false
is_installed && fail "tapsody is still installed"
while read -r path; do
    # A folder stays when other packages have files in it.
    if [[ -e $path || -L $path ]] && ! { [[ -d $path ]] && dpkg -S "$path" >/dev/null 2>&1; }; then
        fail "$path is left after the package was removed"
    fi
done <"$work/files"
left=$(find /usr /etc /var/lib/dpkg/info -iname '*tapsod*' 2>/dev/null || true)
[[ -z $left ]] || fail "left after the package was removed: $left"
[[ -x $copy ]] || fail "removing the package removed the user's copy"
echo "nothing of the package is left; the user's own installation stays"
