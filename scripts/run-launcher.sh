#!/usr/bin/env bash
# Starts the launcher. With a display it simply runs; without one it runs on a virtual display, saves a
# picture of its window beside the build and ends again, so that `make run` shows something on a server too.
set -euo pipefail

program=${1:?usage: run-launcher.sh path/to/hopwick [arguments...]}
shift
program=$(realpath "$program")

if [ -n "${DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

build_dir=$(realpath "$(dirname "$program")/../../..")
picture="$build_dir/hopwick.png"
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work"
chmod 700 "$work"

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and reports it.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
display=""
read -r -t 10 -u "$display_fd" display || true
exec {display_fd}<&-
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"

# A window manager, for the frame, focus and activation that a desktop gives.
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# A window mapped before the manager runs may be left unmanaged and unseen: wait until it announces itself.
for _ in $(seq 50); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        break
    fi
    sleep 0.1
done

"$program" "$@" >"$work/hopwick.log" 2>&1 &
launcher=$!
pids=("$launcher" "${pids[@]}")

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Hopwick$' || true)
window=${window%%$'\n'*}
if [ -z "$window" ]; then
    echo "The launcher's window did not appear:" >&2
    cat "$work/hopwick.log" >&2
    exit 1
fi
sleep 1 # let it paint its first frame
import -window "$window" "$picture"
echo "The launcher ran on a virtual display; its window is in $picture"
