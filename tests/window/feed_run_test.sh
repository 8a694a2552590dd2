#!/usr/bin/env bash
# The globe with the local feed server, as scripts/run starts them: the first fetch run
# downloads and caches the script, the caption returns to the caption text, tags and the
# ticker appear, and the server sees the script's page, quote and feed requests. Started as
# from the menu (in the home folder, no XDG folders named), it writes nothing but its settings
# and its cache. Then, with the server gone and no cache, the "Error in progress..." box appears.
. "$(dirname "$0")/lib.sh"
export HOME=$WORK/home
unset XDG_CONFIG_HOME XDG_CACHE_HOME
INI=$HOME/.config/orbiquant/orbq7.ini
CACHE=$HOME/.cache/orbiquant/orbq.txt
FEED=$(dirname "$APP")/tools/orbiquant-feed
ROOT=$(cd "$(dirname "$0")/../../server" && pwd)
LOG=$WORK/feed.log
CAPTION=" Orbiquant  -  orbiquant.example.org"

# A free loopback port: the server says so once it listens.
for attempt in 1 2 3 4 5 6 7 8; do
  PORT=$((20000 + RANDOM % 20000))
  : > "$LOG"
  "$FEED" --port "$PORT" --root "$ROOT" --log "$LOG" 2>/dev/null &
  FEED_PID=$!
  for i in $(seq 1 50); do grep -q listening "$LOG" && break; kill -0 $FEED_PID 2>/dev/null || break; sleep 0.1; done
  grep -q listening "$LOG" && break
done
grep -q listening "$LOG" || { fail "feed server did not start"; finish; }

mkdir -p "$(dirname "$INI")"
printf '[Items]\nmakerhost=127.0.0.1:%s\nquotehost=127.0.0.1:%s\nnewshost=127.0.0.1:%s\n' \
  "$PORT" "$PORT" "$PORT" > "$INI"
cd "$HOME"
"$APP" &
PID=$!
WIN=$(wait_window $PID) || { fail "no window"; finish; }

# One fetch run: the script cached, every page asked for, and at the end of the run the
# caption back to the caption text. Reads in between show "Reading data" (the caption text
# also comes back for a moment after the script download), and the server logs a request
# only after answering it: each check waits for its state.
EXPECTED_SCRIPT=$(sed "s/{HOST}/127.0.0.1:$PORT/g" "$ROOT/s3.txt" | md5sum)
cached() { md5sum < "$CACHE" 2>/dev/null; }
check_soon "cached script" "$EXPECTED_SCRIPT" cached
PATHS=("/m3d/cf2.txt" "/m3d/s3.txt" "/markets/indices" "/markets/commodities" "/q?s=^BSESN"
       "/rss/business" "/rss/stocks" "/rss/topstories")
unserved() { local path; for path in "${PATHS[@]}"; do grep -qF "GET $path 200" "$LOG" || echo "$path"; done; }
check_soon "requests the server answered" "" unserved
check_soon "caption after the run" "$CAPTION" xdotool getwindowname "$WIN"
check_soon "namepath written back" "namepath=127.0.0.1:$PORT" grep '^namepath=' "$INI"

check_soon "green or red tags on the globe" yes tags_shown "$WIN"
SHOT=$WORK/run.png
import -window root "$SHOT"
[ -n "${ORBIQUANT_SHOTS:-}" ] && cp "$SHOT" "$ORBIQUANT_SHOTS/feed_run.png"

# The ticker stands still while the pointer rests over its band (the bottom tenth) and moves
# on when it leaves. A headline pauses the line for at most 7.5 s, so pictures of the line 9 s
# apart differ unless it is held. The pictures take the bottom twentieth, under the dial clocks
# whose second marks move.
read -r GX GY GW GH <<<"$(geometry "$WIN")"
LINE_H=$((GH / 20))
band() { import -window root -crop "${GW}x${LINE_H}+${GX}+$((GY + GH - LINE_H))" -depth 8 rgb:- | md5sum; }
xdotool mousemove $((GX + GW / 2)) $((GY + GH - LINE_H / 2))
sleep 0.5
HELD=$(band)
sleep 9
check "ticker held under the pointer" "$HELD" "$(band)"
xdotool mousemove $((GX + GW / 2)) $((GY + GH / 2))
moved() { [ "$(band)" != "$HELD" ] && echo moved; }
check_soon "ticker moves on when the pointer leaves its band" moved moved

# A click on a panel button (A, the current preset) made FLTK write its preferences file.
PANEL=$(xdotool search --all --onlyvisible --pid $PID --name '^Display$' | head -n 1)
xdotool mousemove --window "$PANEL" 20 14 click 1 && sleep 0.5
"$XCLOSE" "$WIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
check "the home folder holds the settings and the cache, nothing else" \
  ".cache/orbiquant/orbq.txt .config/orbiquant/orbq7.ini .config/orbiquant/orbq7.ini.lock " \
  "$(find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')"

# No server and no cache: the run ends with the no-cache box.
kill $FEED_PID
wait $FEED_PID 2>/dev/null
rm -f "$CACHE"
"$APP" &
PID=$!
WIN=$(wait_window $PID) || { fail "no window"; finish; }
BOX=
for i in $(seq 1 300); do
  BOX=$(xdotool search --onlyvisible --name '^Error in progress\.\.\.$' 2>/dev/null | head -n 1)
  [ -n "$BOX" ] && break
  sleep 0.1
done
[ -n "$BOX" ] && echo "ok: no-cache box shown" || fail "no 'Error in progress...' box"
boxes() { xdotool search --onlyvisible --name '^Error in progress\.\.\.$' 2>/dev/null | wc -l; }
if [ -n "$BOX" ]; then
  # Pressed as a user would, on the focused box: a key sent to the box's window could lose
  # its release once the box is gone, and leave the key held down for the next program.
  xdotool mousemove --window "$BOX" 20 20 windowfocus "$BOX"
  sleep 0.3
  xdotool key Return
  check_soon "Enter dismisses the box" 0 boxes
fi
"$XCLOSE" "$WIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
finish
