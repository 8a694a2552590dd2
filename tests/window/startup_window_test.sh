#!/usr/bin/env bash
# Start-up and close of the real program: arguments, placement and its clamping, and the
# placement written at close.
. "$(dirname "$0")/lib.sh"

# Any argument ends the program at once with 0, before it opens a window.
"$APP" --help &
wait_exit $!
check "exit code with an argument" 0 "$EXIT_CODE"
check "settings file after an argument" absent "$([ -e "$INI" ] && echo present || echo absent)"

# Starts the program and sets PID, WIN and GEOMETRY ("x y width height").
start_and_measure() {
  "$APP" &
  PID=$!
  WIN=$(wait_window $PID) || { fail "no window"; GEOMETRY=none; return; }
  sleep 0.5
  GEOMETRY=$(geometry "$WIN")
}

close_window() {
  "$XCLOSE" "$WIN"
  wait_exit $PID
  check "exit code after close" 0 "$EXIT_CODE"
}

start_and_measure
check "placement without a settings file" "200 2 640 480" "$GEOMETRY"
close_window
check "keys written at close" "mainx=200 mainy=2 mainx1=640 mainy1=480" \
  "$(grep -E '^main' "$INI" | tr '\n' ' ' | sed 's/ $//')"
grep -q '^\[Items\]' "$INI" || fail "no [Items] section"

printf '[Items]\nmainx=-9000\nmainy=30\nmainx1=5000\nmainy1=300\n' > "$INI"
start_and_measure
check "clamped placement" "0 30 400 300" "$GEOMETRY"
close_window

printf '[Items]\nmainx=120\nmainy=40\nmainx1=100\nmainy1=250\n' > "$INI"
start_and_measure
check "small width raised" "120 40 160 250" "$GEOMETRY"
xdotool windowmove "$WIN" 300 200
sleep 0.5
close_window
start_and_measure
check "second start opens at the stored place" "300 200 160 250" "$GEOMETRY"
close_window
finish
