#!/usr/bin/env bash
# A box of the fetch run holds up nothing: with no cache and no server the first run says
# "No cache..." in a box; while it is open the control panel still works, and a close of the
# main window ends the program at once with its placement saved. A script that says goodbye
# in a box and ends the program ends it only once the user has dismissed that box.
. "$(dirname "$0")/lib.sh"
cd "$WORK"
rm -f "$CACHE"
mkdir -p "$(dirname "$INI")"
# Port 1 on loopback refuses at once: every transfer fails without waiting.
printf '[Items]\nmakerhost=127.0.0.1:1\nquotehost=127.0.0.1:1\nnewshost=127.0.0.1:1\n' > "$INI"
printf 'mainx=150\nmainy=20\nmainx1=600\nmainy1=400\nxmainx=900\nxmainy=100\n' >> "$INI"

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
ini_value() { grep -i "^$1=" "$INI" | head -n 1 | cut -d= -f2; }
box_open() { xdotool search --all --onlyvisible --pid "$PID" --name '^Error in progress\.\.\.$' 2>/dev/null | head -n 1; }

"$APP" &
PID=$!
MAIN=$(wait_window $PID) || { fail "no window"; finish; }
BOX=
for i in $(seq 1 300); do BOX=$(box_open); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || { fail "no 'Error in progress...' box"; finish; }
PANEL=$(xdotool search --all --onlyvisible --pid $PID --name '^Display$' | head -n 1)
sleep 0.5

read -r X Y W H <<< "$(geometry "$MAIN")"
check "dark background with the box open" "#000005" "$(pixel $((X + 10)) $((Y + 200)))"
xdotool mousemove --window "$PANEL" 30 253 click 1  # Dark off
sleep 0.5
check "the Dark box works while the box is open" "#FFFFFF" "$(pixel $((X + 10)) $((Y + 200)))"
import -window root "$WORK/box.png"
[ -n "${ORBIQUANT_SHOTS:-}" ] && cp "$WORK/box.png" "$ORBIQUANT_SHOTS/fetch_box.png"
check "the box stays open" "$BOX" "$(box_open)"

xdotool windowmove "$MAIN" 180 40
sleep 0.5
START=$(date +%s%N)
"$XCLOSE" "$MAIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
ELAPSED=$((($(date +%s%N) - START) / 1000000))
[ "$ELAPSED" -le 5000 ] && echo "ok: ended after $ELAPSED ms" || fail "ended after $ELAPSED ms"
check "placement written" "180 40 600 400" \
  "$(ini_value mainx) $(ini_value mainy) $(ini_value mainx1) $(ini_value mainy1)"

printf '#01\r\n*001\r\ns1Disconnected for good\r\nXX1\r\n***\r\n' > "$CACHE"
"$APP" &
PID=$!
MAIN=$(wait_window $PID) || { fail "no window"; finish; }
goodbye() { xdotool search --all --onlyvisible --pid "$PID" --name '^Disconnected\.\.\.$' 2>/dev/null | head -n 1; }
for i in $(seq 1 300); do BOX=$(goodbye); [ -n "$BOX" ] && break; sleep 0.1; done
[ -n "$BOX" ] || { fail "no 'Disconnected...' box"; finish; }
sleep 1
kill -0 $PID 2>/dev/null && echo "ok: the program waits for the goodbye to be read" ||
  fail "the program ended before its goodbye box was dismissed"
# Enter on the focused box, as a user would press it (see feed_run_test).
xdotool mousemove --window "$BOX" 20 20 windowfocus "$BOX"
sleep 0.3
xdotool key Return
wait_exit $PID
check "exit code after the goodbye" 0 "$EXIT_CODE"
finish
