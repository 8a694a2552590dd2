#!/usr/bin/env bash
# The globe window's keys for the panel and the options: 1 to 4 select a preset as its
# button does (Save then writes into that preset), T C P flip the options, which are stored
# at once and read again at the next start.
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$INI")"

ini_value() {  # ini_value <section> <key>
  awk -v s="[$1]" -v k="$2" 'tolower($0)==tolower(s){on=1;next} /^\[/{on=0}
    on { split($0, kv, "="); if (tolower(kv[1])==tolower(k)) { print substr($0, length(kv[1])+2); exit } }' "$INI"
}
options() { echo "$(ini_value Items nightstyle) $(ini_value Items citylights) $(ini_value Items palette)"; }
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
background() { local g; g=($(geometry "$MAIN")); pixel $((g[0] + 10)) $((g[1] + 240)); }
# There is no window manager: the test moves the keyboard focus away and back to the globe
# window, as a click on it would, so that it gets the focus event even after a click on the
# panel (which takes the program's focus but not the display's).
press() {
  xdotool mousemove --window "$MAIN" 10 240
  xdotool windowfocus "$PANEL" 2>/dev/null
  xdotool windowfocus "$MAIN" 2>/dev/null
  xdotool key "$1"
}
start() {
  "$APP" &
  PID=$!
  MAIN=$(wait_window $PID) || { fail "no window"; finish; }
  PANEL=$(wait_panel $PID)
}

printf '[Items]\n%s\nxmainx=300\nxmainy=150\n[bank2]\nc6=off\n' "$NO_SERVER" > "$INI"
start
check_soon "preset A at start: dark background" "#000005" background
press 2
check_soon "key 2 applies preset B" "#FFFFFF" background
press 1
check_soon "key 1 applies preset A" "#000005" background
press 2
check_soon "key 2 again" "#FFFFFF" background
xdotool mousemove --window "$PANEL" 55 36 click 1  # Save
check_soon "Save after key 2 writes preset B" "58 off" eval 'echo "$(ini_value bank2 d1) $(ini_value bank2 c6)"'
check "preset A is not written" "" "$(ini_value bank1 d1)"

for key in t c p; do press $key; done
check_soon "T C P switch the options on and store them" "1 1 1" options
press p
check_soon "P again switches the palette off" "1 1 0" options
"$XCLOSE" "$MAIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"

start
press t
check_soon "the options are read at start: T after a restart switches off" "0 1 0" options
"$XCLOSE" "$MAIN"
wait_exit $PID
finish
