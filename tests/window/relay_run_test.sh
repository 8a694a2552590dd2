#!/usr/bin/env bash
# The real globe, the feed server as a relay, and a fake quote source and news server on
# loopback: a tag shows the fake source's number, and a headline written in a CDATA section
# (accents, a typographic apostrophe and dash, a remark in parentheses) reaches the ticker
# whole. What the screen shows is read back with tesseract.
. "$(dirname "$0")/lib.sh"
BUILD=$(dirname "$APP")
DATA=$(cd "$(dirname "$0")/../tools/data" && pwd)
ROOT=$(cd "$(dirname "$0")/../../server" && pwd)
mkdir -p "$WORK/up" "$WORK/relay" "$WORK/run" "$(dirname "$INI")"
cp "$DATA/rss2-utf8.xml" "$WORK/up/"
printf '{"chart":{"result":[{"meta":{"currency":"USD","regularMarketPrice":31415.92,%s' \
  '"chartPreviousClose":31000.0,"regularMarketTime":1765224000}}],"error":null}}' > "$WORK/up/pi.json"

# starts <log> <command...> in the background and prints the port once the log says it listens
start_server() {
  local log=$1 i
  shift
  "$@" > "$log" 2>&1 &
  for i in $(seq 1 50); do grep -q listening "$log" && break; sleep 0.1; done
  sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$log" | head -n 1
}
UP_PORT=$(start_server "$WORK/up.out" "$BUILD/tests/fake_upstream" "$WORK/up" "$WORK/up.log")
[ -n "$UP_PORT" ] || { fail "fake upstream did not start"; finish; }
{
  printf '[quotes]\ntemplate=http://127.0.0.1:%s/{symbol}.json\n' "$UP_PORT"
  printf 'price=/chart/result/0/meta/regularMarketPrice\nprevious=/chart/result/0/meta/chartPreviousClose\n'
  printf '[symbols]\n'
  for item in DJI IXIC FTSE GDAXI FCHI N225 HSI BVSP AXJO GSPTSE SSEC; do echo "$item=pi"; done
  printf '[feeds]\nurl1=http://127.0.0.1:%s/rss2-utf8.xml\n' "$UP_PORT"
} > "$WORK/relay/feed.ini"
for attempt in 1 2 3 4 5 6 7 8; do
  PORT=$((20000 + RANDOM % 20000))
  RELAY_PORT=$(start_server "$WORK/relay.log" "$BUILD/tools/orbiquant-feed" --config \
    "$WORK/relay/feed.ini" --port "$PORT" --root "$ROOT")
  [ -n "$RELAY_PORT" ] && break
done
[ -n "$RELAY_PORT" ] || { fail "relay did not start: $(cat "$WORK/relay.log")"; finish; }

printf '[Items]\nmakerhost=127.0.0.1:%s\nquotehost=127.0.0.1:%s\nnewshost=127.0.0.1:%s\n' \
  "$PORT" "$PORT" "$PORT" > "$INI"
# No cached script: the program downloads the relay's.
rm -f "$CACHE"
cd "$WORK/run"
"$APP" &
PID=$!
WIN=$(wait_window $PID) || { fail "no window"; finish; }
read -r GX GY GW GH <<<"$(geometry "$WIN")"

# The words tesseract reads in a part of the window (white text on dark, enlarged).
read_screen() { # read_screen <width> <height> <x> <y>, relative to the window
  import -window root "$WORK/screen.png" &&
    convert "$WORK/screen.png" -crop "$1x$2+$((GX + $3))+$((GY + $4))" +repage -resize 300% \
      -colorspace Gray -negate -threshold 60% "$WORK/ocr.png" &&
    tesseract "$WORK/ocr.png" - --psm 11 2>/dev/null | tr '\n' ' '
}
# Waits up to about 90 s for the window part to show text matching an extended regular expression.
seen() { # seen <regex> <width> <height> <x> <y>
  local i
  local end=$((SECONDS + 90))
  while [ $SECONDS -lt $end ]; do
    read_screen "$2" "$3" "$4" "$5" | grep -qE "$1" && { echo yes; return; }
    sleep 0.3
  done
  echo no
}
check "a tag shows the fake source's 31415.92 as 31415" yes \
  "$(seen '(^| )31415( |$)' "$GW" $((GH * 9 / 10)) 0 0)"
check "the CDATA headline whole on the ticker" yes \
  "$(seen "Cafe chain.s profits .update 2. rise - shares up" "$GW" $((GH / 10)) 0 $((GH * 9 / 10)))"
check "the relay asked the fake source" yes "$(grep -q 'GET /pi.json 200' "$WORK/up.log" && echo yes)"

"$XCLOSE" "$WIN"
wait_exit $PID
check "exit code after close" 0 "$EXIT_CODE"
finish
