#!/usr/bin/env bash
# The control panel in the real program: its place, preset A at start, the Dark box on the
# globe's background, Save and the preset buttons, hiding and showing, the help and custom
# stock dialogs, the panel's place written at close, and Reset.
# Control positions are client pixels of the dialog tables with the dialog font's base units
# (Liberation Sans for "Arial" 10 point: 8 x 15 pixels per 4 x 8 dialog units).
. "$(dirname "$0")/lib.sh"
cd "$WORK"
mkdir -p "$(dirname "$INI")"
printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$WORK" > "$ORBIQUANT_OPENER"
chmod +x "$ORBIQUANT_OPENER"

# Waits up to 10 s for a visible window of process $1 named exactly $2; prints its id.
wait_named() {
  local i id
  for i in $(seq 1 100); do
    id=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
count_named() { xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | wc -l; }
# click <window> <x> <y> [button]. The checks after a click wait for its effect themselves.
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }
# The colour of one screen pixel as #RRGGBB.
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
# The value of a key in a section of the settings file.
ini_value() {
  awk -v s="[$1]" -v k="$2" 'tolower($0)==tolower(s){on=1;next} /^\[/{on=0}
    on { split($0, kv, "="); if (tolower(kv[1])==tolower(k)) { print substr($0, length(kv[1])+2); exit } }' "$INI"
}
# The globe window's background, left of the globe and clear of the clocks.
background() { local g; g=($(geometry "$MAIN")); pixel $((g[0] + 10)) $((g[1] + 240)); }
preset_a_boxes() { echo "$(ini_value bank1 c6) $(ini_value bank1 c9)"; }
custom_keys() { echo "$(ini_value Items customS) $(ini_value Items customLat) $(ini_value Items customLon)"; }
opened() { cat opened 2>/dev/null; }

start() {
  "$APP" &
  PID=$!
  MAIN=$(wait_window $PID) || { fail "no window"; finish; }
  PANEL=$(wait_named $PID Display) || { fail "no panel"; finish; }
}

printf '[Items]\n%s\nxmainx=300\nxmainy=0\n' "$NO_SERVER" > "$INI"
start
# Its title bar, if it has one, stays on the screen: the client area moves down below it.
read -r _ _ TITLE _ <<< "$(frame_extents "$PANEL")"
check_soon "panel at its stored place" "300 $TITLE 108 508" geometry "$PANEL"
check_soon "preset A: dark background" "#000005" background

click "$PANEL" 55 36  # Save: preset A is the current one from the start
check_soon "Save right after start writes bank1" "on off" preset_a_boxes

click "$PANEL" 30 253  # Dark off
check_soon "Dark off turns the background white" "#FFFFFF" background
click "$PANEL" 30 223  # Noon on
click "$PANEL" 55 36   # Save
check_soon "Save stores the boxes into A" "off on" preset_a_boxes
click "$PANEL" 44 14   # B: never saved, the first-start view
check_soon "B shows its own view" "#000005" background
click "$PANEL" 20 14   # back to A
check_soon "A restores its saved view" "#FFFFFF" background
import -window root panel_shot.png

# The Color slider (client 14,332, 84 x 34) stands at 99: a click on the channel left of
# the thumb pages down by 10, and the arrow key then steps by 1.
click "$PANEL" 30 346
xdotool key Right
click "$PANEL" 55 36   # Save
check_soon "slider page and line steps, saved" "90" ini_value bank1 d4

"$XCLOSE" "$PANEL"
check_soon "the close box hides the panel" 0 count_named $PID Display
click "$MAIN" 320 240 3
PANEL=$(wait_named $PID Display) || fail "the panel did not come back"  # a new X window
check_soon "a right-button release shows it again" "300 $TITLE 108 508" geometry "$PANEL"

click "$PANEL" 55 447  # HELP
HELP=$(wait_named $PID "  Help") || fail "no help window"
click "$PANEL" 55 447  # HELP again, while it is open
sleep 0.5  # time for a second window, were one to come
check "HELP twice opens one help window" 1 "$(count_named $PID "  Help")"
import -window root help_shot.png
xdotool mousemove --window "$HELP" 100 100 key Escape
sleep 0.5
check "Escape leaves the help window open" 1 "$(count_named $PID "  Help")"
click "$HELP" 407 360  # More...
check_soon "More... opens the maker's site" "http://127.0.0.1:1/" opened  # makerhost
click "$HELP" 200 100  # into the help text
xdotool key Return
check_soon "Enter closes the help window, also from the help text" 0 count_named $PID "  Help"

click "$PANEL" 55 410  # Custom, typing, Cancel
CUSTOM=$(wait_named $PID Custom) || fail "no custom stock window"
click "$CUSTOM" 121 193
xdotool type --delay 30 "IGNORED"
click "$CUSTOM" 453 227  # Cancel
check_soon "Cancel closes the custom stock window" 0 count_named $PID Custom
check "Cancel stores nothing" "" "$(ini_value Items customS)"

click "$PANEL" 55 410  # Custom
CUSTOM=$(wait_named $PID Custom) || fail "no custom stock window"
click "$CUSTOM" 121 193
xdotool type --delay 30 "ACME"
xdotool key Tab && xdotool type --delay 30 "51.5"
xdotool key Tab && xdotool type --delay 30 -- "-0.12"
import -window root custom_shot.png
xdotool key Return
check_soon "OK closes the custom stock window" 0 count_named $PID Custom
check_soon "the custom stock keys" "ACME 51.5 -0.12" custom_keys
grep -q '^customlat=51.5$' "$INI" || fail "latitude not written as customlat"

xdotool windowmove "$PANEL" 420 200
check_soon "panel moved by the user" "420 200 108 508" geometry "$PANEL"
"$XCLOSE" "$MAIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
check "panel place written at close" "420 200" "$(ini_value Items xmainx) $(ini_value Items xmainy)"

start
check_soon "the panel comes back where it was closed" "420 200 108 508" geometry "$PANEL"
check_soon "a restart applies the saved preset A" "#FFFFFF" background
# Before any fetch has read the custom stock, the dialog shows what the file holds: OK at
# once stores the same stock again instead of erasing it.
click "$PANEL" 55 410  # Custom
CUSTOM=$(wait_named $PID Custom) || fail "no custom stock window"
xdotool mousemove --window "$CUSTOM" 300 50 key Return
check_soon "OK closes the custom stock window" 0 count_named $PID Custom
check "OK at once keeps the stored stock" "ACME 51.5 -0.12" "$(custom_keys)"
echo "script" > orbq.txt
click "$PANEL" 55 447  # HELP
HELP=$(wait_named $PID "  Help") || fail "no help window"
# With no place stored, the main window's frame stands at x = 200: its client area is at
# 200 plus the frame's left edge.
read -r LEFT _ <<< "$(frame_extents "$MAIN")"
click "$HELP" 30 360  # Reset
wait_exit $PID
check "exit code after Reset" 0 "$EXIT_CODE"
check "Reset deletes the cache" absent "$([ -e orbq.txt ] && echo present || echo absent)"
check "Reset saves the placement" "$((200 + LEFT)) 420" \
  "$(ini_value Items mainx) $(ini_value Items xmainx)"

[ -n "${PANEL_SHOTS:-}" ] && cp panel_shot.png help_shot.png custom_shot.png "$PANEL_SHOTS"/
finish
