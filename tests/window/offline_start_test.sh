#!/usr/bin/env bash
# A start while the feed server is down and no script is cached: the "No cache..." box. The
# box holds up no refresh: key N and the panel's GET run again while it is open, and add no
# second box; once the server is back, N fetches the script, the tags come, and the box goes
# by itself.
ROOT=$(cd "$(dirname "$0")/../../server" && pwd)
. "$(dirname "$0")/lib.sh"
FEED=$(dirname "$APP")/tools/orbiquant-feed
LOG=$WORK/feed.log
rm -f "$CACHE"

PORT=$((20000 + RANDOM % 20000))
hosts() { printf 'makerhost=127.0.0.1:%s\nquotehost=127.0.0.1:%s\nnewshost=127.0.0.1:%s\n' "$1" "$1" "$1"; }
mkdir -p "$(dirname "$INI")"
{ echo '[Items]'; hosts "$PORT"; printf 'mainx=0\nmainy=0\nmainx1=800\nmainy1=600\nxmainx=900\nxmainy=100\n'; } > "$INI"

boxes() { xdotool search --all --onlyvisible --pid "$PID" --name '^Error in progress\.\.\.$' 2>/dev/null | wc -l; }
# Keys go to the globe window once it has the focus (there may be no window manager).
press() {
  xdotool windowfocus "$PANEL" 2>/dev/null
  xdotool windowfocus "$MAIN" 2>/dev/null
  xdotool key "$1"
}
shot() { import -window root "$WORK/$1.png"; [ -n "${ORBIQUANT_SHOTS:-}" ] && cp "$WORK/$1.png" "$ORBIQUANT_SHOTS/"; }

"$APP" &
PID=$!
MAIN=$(wait_window $PID) || { fail "no window"; finish; }
panel() { xdotool search --all --onlyvisible --pid $PID --name '^Display$' 2>/dev/null | head -n 1; }
for i in $(seq 1 100); do PANEL=$(panel); [ -n "$PANEL" ] && break; sleep 0.1; done
[ -n "$PANEL" ] || { fail "no panel"; finish; }
check_soon "the no-cache box at an offline start" 1 boxes
shot offline_box

# Each of these runs again and meets the same trouble: the box stays the only one.
press n
press n
xdotool mousemove --window "$PANEL" 55 486 click 1  # GET
sleep 2
check "boxes after N, N and GET offline" 1 "$(boxes)"

# The server comes back (on another port, and the settings say so, if this one was taken).
for attempt in 1 2 3 4 5; do
  : > "$LOG"
  "$FEED" --port "$PORT" --root "$ROOT" --log "$LOG" 2>/dev/null &
  FEED_PID=$!
  for i in $(seq 1 50); do grep -q listening "$LOG" && break; kill -0 $FEED_PID 2>/dev/null || break; sleep 0.1; done
  grep -q listening "$LOG" && break
  NEW=$((20000 + RANDOM % 20000))
  sed -i "s/127\.0\.0\.1:$PORT/127.0.0.1:$NEW/" "$INI"
  PORT=$NEW
done
grep -q listening "$LOG" || { fail "feed server did not start"; finish; }

press n
served() { grep -c 'GET /m3d/s3.txt 200' "$LOG"; }
check_soon "N with the box open fetches the script" 1 served
check_soon "tags on the globe" yes tags_shown "$MAIN"
check_soon "the run that succeeded closed the box" 0 boxes
shot online_tags

"$XCLOSE" "$MAIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
kill $FEED_PID 2>/dev/null
finish
