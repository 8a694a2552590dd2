#!/usr/bin/env bash
# The real program's window at a fixed UTC time (faketime), with the first preset: the globe
# in the centre on the dark background, the right way up (in the noon view at 12:00 UTC the
# Sahara, not the South Atlantic, lies at the centre), frames that keep coming, and the night
# half where UTC puts it.
. "$(dirname "$0")/lib.sh"

# Prints "r g b" of pixel (x, y) of a picture.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | awk 'NR == 2 {
    gsub(/[()]/, " ", $2); split($2, c, ","); printf "%d %d %d\n", c[1], c[2], c[3] }'
}

# Starts the program at a UTC time with the given first preset, takes two pictures of its
# main window a second apart (first.png, second.png in $WORK/<name>/) and closes it.
# The preset never carries a grid or overlays, and always the dark background.
run_at() { # run_at <name> <UTC time> <preset lines>
  local name=$1 time=$2 preset=$3 id X Y
  mkdir -p "$XDG_CONFIG_HOME/orbiquant" "$WORK/$name"
  printf '[bank1]\nd1=58\nd2=0\nd3=200\nd5=0\nc1=off\nc2=off\nc3=off\nc6=on\n%s\n' "$preset" > "$INI"
  # libfaketime preloaded directly, so that the program keeps its own process id.
  LD_PRELOAD=$FAKETIME_LIB FAKETIME="@$time" "$APP" &
  PID=$!
  wait_window $PID > /dev/null || { fail "$name: no window"; return 1; }
  sleep 2
  # The main window is the largest of the program's windows; the control panel and any
  # message box of the fetch (there is no feed server here) are not looked at, and message
  # boxes are dismissed so that they cover nothing and the close is not held up.
  WIN=
  local area best=0
  for id in $(xdotool search --onlyvisible --pid $PID); do
    read -r X Y W H <<< "$(geometry "$id")"
    area=$((W * H))
    if [ "$area" -gt "$best" ]; then best=$area; WIN=$id; fi
  done
  [ -n "$WIN" ] || { fail "$name: no main window"; return 1; }
  for id in $(xdotool search --onlyvisible --pid $PID); do
    [ "$id" = "$WIN" ] || [ "$(xdotool getwindowname "$id")" = "Display" ] || "$XCLOSE" "$id"
  done
  sleep 1
  read -r X Y W H <<< "$(geometry "$WIN")"
  check "$name: window size" "640 480" "$W $H"
  import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$WORK/$name/first.png"
  sleep 1
  import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$WORK/$name/second.png"
  [ -n "${GLOBE_SHOT_DIR:-}" ] && cp "$WORK/$name/first.png" "$GLOBE_SHOT_DIR/program_$name.png"
  "$XCLOSE" "$WIN"
  wait_exit $PID
  check "$name: exit code after close" 0 "$EXIT_CODE"
}

FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$FAKETIME_LIB" ] || { fail "libfaketime not installed"; finish; }

# Noon view at 12:00 UTC.
run_at noon '2026-12-07 12:00:00' 'c9=on' || finish
check "background at the corner" "0 0 5" "$(pixel "$WORK/noon/first.png" 8 8)"
read -r R G B <<< "$(pixel "$WORK/noon/first.png" 320 240)"
if [ "$R" -gt $((B + 40)) ] && [ "$R" -gt 120 ]; then
  echo "ok: desert at the centre ($R $G $B)"
else
  fail "expected the Sahara at the centre, got $R $G $B"
fi
# The window keeps being painted: a frame drawn a second later shows the same globe.
check "centre a second later" "$R $G $B" "$(pixel "$WORK/noon/second.png" 320 240)"

# At 06:00 UTC local midnight is at longitude -89.38 and the dawn meridian 0.62 faces the
# viewer (rotation 351, Noon off): with Night on the western half is darkened by a quarter,
# the eastern half is as it is without Night.
run_at night '2026-12-07 06:00:00' $'c9=off\nd7=351\nc200=on' || finish
run_at day '2026-12-07 06:00:00' $'c9=off\nd7=351\nc200=off' || finish
for x in 213 256; do
  read -r R G B <<< "$(pixel "$WORK/day/first.png" $x 240)"
  expected="$((R - R / 4)) $((G - G / 4)) $((B - B / 4))"
  actual=$(pixel "$WORK/night/first.png" $x 240)
  # Texture filtering may round either way: allow one step per channel.
  if awk -v a="$actual" -v e="$expected" 'BEGIN { split(a, x); split(e, y)
      for (i = 1; i <= 3; ++i) if (x[i] - y[i] > 2 || y[i] - x[i] > 2) exit 1 }'; then
    echo "ok: west at x $x darkened ($actual)"
  else
    fail "west at x $x: expected about $expected, got $actual"
  fi
done
for x in 384 427; do
  check "east at x $x lit" "$(pixel "$WORK/day/first.png" $x 240)" "$(pixel "$WORK/night/first.png" $x 240)"
done
finish
