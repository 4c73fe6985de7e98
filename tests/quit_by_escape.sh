#!/bin/sh
# The real game under the current display: wait for its window, hold and
# release Escape in it as a player would, and expect a clean exit with 0.
game="$1"
"$game" &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "Fernhollow v0.25" | head -n 1)
if [ -z "$wid" ]; then
    kill "$pid" 2>/dev/null
    echo "the game opened no window"
    exit 1
fi
sleep 1
xdotool windowfocus --sync "$wid"
# Held across several frames: a press and release between two frames is
# never seen, as on a real keyboard.
xdotool keydown --window "$wid" Escape
sleep 0.5
xdotool keyup --window "$wid" Escape
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo "the game did not quit on Escape"
    exit 1
fi
wait "$pid"
status=$?
echo "exit status $status"
exit "$status"
