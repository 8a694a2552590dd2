#!/usr/bin/env bash
# The keys a desktop user presses: + and - (also the number pad's) zoom as Z and X, the arrows
# spin and tilt as L R U D, F11 switches full screen on and Escape off, F1 opens the help,
# Escape on the panel hides it as its close box does, and Ctrl+Q closes the program as the
# close box does, storing the place the window had before it went full screen.
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$INI")"
printf '[Items]\n%s\nmainx=100\nmainy=50\nmainx1=640\nmainy1=480\nxmainx=900\nxmainy=100\n' \
  "$NO_SERVER" > "$INI"

ini_value() {  # ini_value <section> <key>
  awk -v s="[$1]" -v k="$2" 'tolower($0)==tolower(s){on=1;next} /^\[/{on=0}
    on { split($0, kv, "="); if (tolower(kv[1])==tolower(k)) { print substr($0, length(kv[1])+2); exit } }' "$INI"
}
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
background() { local g; g=($(geometry "$MAIN")); pixel $((g[0] + 10)) $((g[1] + 240)); }
count_named() { xdotool search --all --onlyvisible --pid "$PID" --name "^$1\$" 2>/dev/null | wc -l; }
# Without a window manager the focus is moved by hand, away and back, so that the window gets
# the focus event a click would give it (a click on the panel takes the program's focus but
# not the display's).
press() {  # press <window> <key>
  xdotool mousemove --window "$1" 10 240
  xdotool windowfocus "$([ "$1" = "$MAIN" ] && echo "$PANEL" || echo "$MAIN")" 2>/dev/null
  xdotool windowfocus "$1" 2>/dev/null
  xdotool key "$2"
}

"$APP" &
PID=$!
MAIN=$(wait_window $PID) || { fail "no window"; finish; }
PANEL=$(wait_panel $PID) || { fail "no panel"; finish; }
check_soon "preset A at start" "#000005" background

# Preset A: zoom 58, tilt 200, spin 0.1. + and the number pad's - zoom to 63 and 56.
for key in plus KP_Subtract Up Right; do press "$MAIN" $key; done
xdotool mousemove --window "$PANEL" 55 36 click 1  # Save
check_soon "+, -, Up and Right, saved" "56 201.000000 -0.100000" \
  eval 'echo "$(ini_value bank1 d1) $(ini_value bank1 d3) $(ini_value bank1 d2)"'

press "$MAIN" F11
check_soon "F11: full screen" "0 0 1280 1024" geometry "$MAIN"
press "$MAIN" Escape
check_soon "Escape: back in place" "100 50 640 480" geometry "$MAIN"
press "$MAIN" F11
check_soon "F11 again" "0 0 1280 1024" geometry "$MAIN"

press "$MAIN" F1
check_soon "F1 opens the help" 1 count_named "  Help"
press "$(xdotool search --all --onlyvisible --pid $PID --name '^  Help$' | head -n 1)" ctrl+w
check_soon "Ctrl+W closes it" 0 count_named "  Help"
press "$PANEL" Escape
check_soon "Escape hides the panel" 0 count_named Display

press "$MAIN" ctrl+q
wait_exit $PID
check "exit code after Ctrl+Q" 0 "$EXIT_CODE"
check "the place before full screen is stored" "100 50 640 480" \
  "$(ini_value Items mainx) $(ini_value Items mainy) $(ini_value Items mainx1) $(ini_value Items mainy1)"
check "and the hidden panel's" "900 100" "$(ini_value Items xmainx) $(ini_value Items xmainy)"
finish
