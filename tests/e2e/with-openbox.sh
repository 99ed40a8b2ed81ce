#!/usr/bin/env bash
# with-openbox.sh COMMAND...: runs COMMAND on this X display with openbox managing its
# windows, as on a user's desktop, once openbox has taken the screen.
set -u
openbox --sm-disable > /dev/null 2>&1 &
wm=$!
for _ in $(seq 200); do
    root="$(xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null)"
    [[ "$root" == *"window id"* ]] && break
    if ! kill -0 "$wm" 2> /dev/null; then
        echo "openbox did not start" >&2
        exit 1
    fi
    sleep 0.05
done
"$@"
status=$?
kill "$wm" 2> /dev/null
wait "$wm" 2> /dev/null
exit "$status"
