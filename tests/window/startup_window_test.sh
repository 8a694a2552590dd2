#!/usr/bin/env bash
# Start-up and close of the real program: arguments, placement and its clamping, and the
# placement written at close. (Many starts and the work area: placement_window_test.)
. "$(dirname "$0")/lib.sh"

# Any argument ends the program at once with 0, before it opens a window.
"$APP" --help &
wait_exit $!
check "exit code with an argument" 0 "$EXIT_CODE"
check "settings file after an argument" absent "$([ -e "$INI" ] && echo present || echo absent)"

# Starts the program and checks that its window comes to "x y width height": the program
# may still move it into place after it is first mapped.
start_at() { # start_at <what> <geometry>
  "$APP" &
  PID=$!
  WIN=$(wait_window $PID) || { fail "$1: no window"; return; }
  check_soon "$1" "$2" geometry "$WIN"
}

close_window() {
  "$XCLOSE" "$WIN"
  wait_exit $PID
  check "exit code after close" 0 "$EXIT_CODE"
}

# The default place is the frame's corner: the client area lies inside the frame, if the
# window manager draws one (left and top are its left edge and its title bar).
"$APP" &
PID=$!
WIN=$(wait_window $PID) || fail "no window"
read -r LEFT _ TOP _ <<< "$(frame_extents "$WIN")"
check_soon "placement without a settings file" "$((200 + LEFT)) $((2 + TOP)) 640 480" geometry "$WIN"
close_window
check "keys written at close: the client area" \
  "mainx=$((200 + LEFT)) mainy=$((2 + TOP)) mainx1=640 mainy1=480" \
  "$(grep -E '^main' "$INI" | tr '\n' ' ' | sed 's/ $//')"
grep -q '^\[Items\]' "$INI" || fail "no [Items] section"

printf '[Items]\n%s\nmainx=-9000\nmainy=30\nmainx1=5000\nmainy1=300\n' "$NO_SERVER" > "$INI"
start_at "clamped placement" "$LEFT 30 400 300"
close_window

printf '[Items]\n%s\nmainx=120\nmainy=40\nmainx1=100\nmainy1=250\n' "$NO_SERVER" > "$INI"
start_at "small width raised" "120 40 160 250"
xdotool windowmove "$WIN" 300 200
check_soon "moved by the user" "300 200 160 250" geometry "$WIN"
close_window
start_at "second start opens at the stored place" "300 200 160 250"
close_window
finish
