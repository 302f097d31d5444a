#!/usr/bin/env bash
# Runs Quorlin the way a user sees it: in a private X server (Xvfb) with a window manager
# (openbox), at scale 1 and at QT_SCALE_FACTOR=2. Each time it opens a 2-dim window from the
# Window menu with the keyboard, checks that the frame lies on the screen, and takes a screenshot
# that must not be blank and must show the window's axes (screen_check). The first run ends with
# File|Exit of the 2-dim window, which keeps the frame's placement in "qz.ini"; the second run
# starts from it at twice the scale and must still fit the screen.
#
#   scripts/screen-test.sh PROGRAM SCREEN_CHECK [OUTPUT_FOLDER]
#
# The screenshots stay in OUTPUT_FOLDER (default: a temporary folder). Exits 77 (skipped) when
# Xvfb, openbox, xdotool or xprop is missing; scripts/install-deps.sh installs them.
set -euo pipefail
program=${1:?program}
checker=${2:?screen_check}
out=${3:-$(mktemp -d)}
mkdir -p "$out"
for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

# The program and the checker run on this X server, whatever the caller's platform; leaks of
# the X libraries at exit are not the test's business.
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=detect_leaks=0
check() { env -u QT_SCALE_FACTOR "$checker" "$@"; }

work=$(mktemp -d)
pids=()
# shellcheck disable=SC2317  # run by the trap
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    local tries=$1
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

screen_width=1280
screen_height=900
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=("$!")
exec 3>&-
wait_for 100 test -s "$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
DISPLAY=":$(tr -dc 0-9 <"$work/display")"
export DISPLAY
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=("$!")
wait_for 100 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    { echo "openbox did not start"; exit 1; }

config="$work/config"
mkdir -p "$config"
printf '\0' >"$config/qz.tip"  # no tips dialog over the window
status=0
for scale in 1 2; do
    QT_SCALE_FACTOR=$scale QUORLIN_CONFIG_DIR="$config" \
        QUORLIN_INSTANCE_NAME="screen-test-$$-$scale" "$program" >"$out/program-$scale.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    if ! wait_for 300 xdotool search --onlyvisible --name '^Quorlin$'; then
        echo "scale $scale: the frame did not show"
        status=1
        continue
    fi
    frame=$(xdotool search --onlyvisible --name '^Quorlin$' | head -1)
    xdotool windowactivate --sync "$frame" 2>/dev/null || true
    # The frame with its title bar must lie on the screen, whatever size it kept.
    eval "$(xdotool getwindowgeometry --shell "$frame")"  # X, Y, WIDTH, HEIGHT
    # shellcheck disable=SC2153
    if ((X < 0 || Y < 0 || X + WIDTH > screen_width || Y + HEIGHT > screen_height)); then
        echo "scale $scale: the frame at ${X},${Y} ${WIDTH}x${HEIGHT} leaves the screen"
        status=1
    else
        echo "scale $scale: the frame at ${X},${Y} ${WIDTH}x${HEIGHT} lies on the screen"
    fi
    # Keys sent while the frame is still setting up can be lost on a busy machine: send them
    # again until the screenshot shows the 2-dim window. (That window is a subwindow inside the
    # frame, not one of the X server's own, so xdotool cannot wait for its title.)
    shot="$out/screen-$scale.png"
    shown=0
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$frame" 2>/dev/null || true
        xdotool key --delay 100 alt+w 2
        if wait_for 100 check "$shot" "$scale"; then
            shown=1
            break
        fi
    done
    if ((shown == 0)); then
        echo "scale $scale: $(check "$shot" "$scale")"
        status=1
    else
        echo "scale $scale: the 2-dim window shows its axes ($shot)"
    fi
    if ((scale == 1)); then
        for _ in 1 2 3; do  # File|Exit of the 2-dim window
            xdotool key --delay 100 alt+f x
            wait_for 100 sh -c "! kill -0 $pid" && break
        done
        if kill -0 "$pid" 2>/dev/null; then
            echo "scale 1: File|Exit of the 2-dim window did not end the program"
            status=1
        fi
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
done
exit $status
