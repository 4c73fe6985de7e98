#!/bin/sh
# The real game under the current display: wait for its window, press and
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
xdotool key --window "$wid" Escape
wait "$pid"
status=$?
echo "exit status $status"
exit "$status"
