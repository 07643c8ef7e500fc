#!/usr/bin/env bash
# Installs what is missing, builds, and starts the keyboard on its built-in data.
#
# On a desktop ($DISPLAY set) the program simply starts; arguments go to it. At
# its first start it shows the setup wizard, which installs it for the user;
# every later start runs the installed copy. Without a display (or with --demo)
# it shows the keyboard at work on a virtual display: the program installs
# itself silently into a sandbox, then a terminal, the keyboard beside it, a
# sentence typed into the terminal by clicking keys, and a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tapsody
program=$PWD/build/default/src/app/tapsody

if [[ -n "${DISPLAY:-}" && "${1:-}" != "--demo" ]]; then
    exec "$program" "$@"
fi

# --- Demonstration on a virtual display -------------------------------------
sandbox=$(mktemp -d /tmp/tapsody-demo-XXXXXX)
screenshot=${TAPSODY_SCREENSHOT:-$PWD/build/default/tapsody-demo.png}
pids=()
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # The keyboard writes its settings as it closes: let everything end first.
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$sandbox"
}
trap finish EXIT

# The program keeps its settings beside itself: install a copy in the sandbox.
mkdir -p "$sandbox/bin" "$sandbox/home"
cp "$program" "$sandbox/bin/tapsody"
export HOME=$sandbox/home XDG_CONFIG_HOME=$sandbox/home/.config XDG_DATA_HOME=$sandbox/home/.local/share
export XDG_RUNTIME_DIR=$sandbox/run LC_ALL=C.UTF-8
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# Waits up to 30 seconds for a command to succeed (a cold machine needs a while
# for a terminal's fonts); says what it waited for when it gives up.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 600); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "Gave up after 30 s waiting for $what ($*)" >&2
    return 1
}

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp -noreset 2>"$sandbox/xvfb.log" &
pids+=($!)
read -r -u "$fd" number
export DISPLAY=:$number
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
wait_for "the window manager" xprop -root _NET_CLIENT_LIST
xterm -geometry 90x12+20+20 -fa 'DejaVu Sans Mono' -fs 12 -T terminal &
pids+=($!)
wait_for "the terminal window" xdotool search --onlyvisible --name '^terminal$'
terminal=$(xdotool search --onlyvisible --name '^terminal$' | head -1)
xdotool windowactivate --sync "$terminal"

# "/ini" installs the program where it is and starts the installed copy.
"$sandbox/bin/tapsody" /ini
wait_for "the keyboard window" xdotool search --onlyvisible --name '^Tapsody'
keyboard=$(xdotool search --onlyvisible --name '^Tapsody' | head -1)
pids+=("$(xdotool getwindowpid "$keyboard")")
xdotool windowmove "$keyboard" 20 300
sleep 0.5   # the keyboard notes the terminal as its target every 200 ms

# The middle of a key of the stored layout, by the key's name in lower case
# (Windows-1252 bytes, as the layout file writes them).
key_point() {
    tr -d '\r' < data/belegmemo.txt | LC_ALL=C awk -v want="[$1]" '
        /^\[/ { section = $0; next }
        section == "[all]" && /^breite=/ { width = substr($0, 8) }
        section == "[all]" && /^hoehe=/ { height = substr($0, 7) }
        section == want { split($0, kv, "="); value[kv[1]] = kv[2] }
        END {
            w = ("p1x" in value) ? value["p1x"] : width
            h = ("p1y" in value) ? value["p1y"] : height
            print int(value["p0x"] + w / 2), int(value["p0y"] + h / 2)
        }'
}

click_key() {
    read -r x y < <(key_point "$1")
    xdotool mousemove --window "$keyboard" "$x" "$y" click 1
    sleep 0.15
}

sentence=(e c h o space shift-links g shift-links r $'\xfc' $'\xdf' e space v o n space
          shift-links t shift-links a p s o d y shift-rechts 1 shift-rechts return)
echo "Typing into the terminal: echo Grüße von Tapsody!"
for key in "${sentence[@]}"; do
    click_key "$key"
done
sleep 0.5
import -window root "$screenshot"
echo "Screenshot: $screenshot"
