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

# Takes pictures of window $1 into $2, 0.5 s apart, until two in a row show the same drawn
# frame: the preset's tilt eases in over many frames, and a loaded machine draws them slowly
# (up to 20 s). A window not yet painted is all one colour.
settled_shot() {
  local i X Y W H
  read -r X Y W H <<< "$(geometry "$1")"
  import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$2"
  for i in $(seq 1 40); do
    sleep 0.5
    import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$2.next.png"
    if [ "$(compare -metric AE "$2" "$2.next.png" null: 2>&1)" = 0 ] &&
       [ "$(identify -format %k "$2")" -gt 1 ]; then
      return 0
    fi
    mv "$2.next.png" "$2"
  done
  fail "the picture of window $1 kept changing"
}

# Starts the program at a UTC time with the given first preset, takes two pictures of its
# main window a second apart (first.png, second.png in $WORK/<name>/) and closes it.
# The preset never carries a grid or overlays, and always the dark background.
run_at() { # run_at <name> <UTC time> <preset lines>
  local name=$1 time=$2 preset=$3 id
  mkdir -p "$XDG_CONFIG_HOME/orbiquant" "$WORK/$name"
  printf '[Items]\n%s\n[bank1]\nd1=58\nd2=0\nd3=200\nd5=0\nc1=off\nc2=off\nc3=off\nc6=on\n%s\n' \
    "$NO_SERVER" "$preset" > "$INI"
  # libfaketime preloaded directly, so that the program keeps its own process id.
  LD_PRELOAD=$FAKETIME_LIB FAKETIME="@$time" "$APP" &
  PID=$!
  WIN=$(wait_window $PID) || { fail "$name: no window"; return 1; }
  check_soon "$name: window size" "640 480" window_size "$WIN"
  settled_shot "$WIN" "$WORK/$name/first.png"
  # Nothing but the control panel stands beside the main window (no fetch reaches a server);
  # anything else is put away so that the close is not held up.
  for id in $(xdotool search --onlyvisible --pid $PID); do
    [ "$id" = "$WIN" ] || [ "$(xdotool getwindowname "$id")" = "Display" ] ||
      { fail "$name: unexpected window '$(xdotool getwindowname "$id")'"; "$XCLOSE" "$id"; }
  done
  sleep 1
  read -r X Y W H <<< "$(geometry "$WIN")"
  import -window root -crop "${W}x${H}+${X}+${Y}" +repage "$WORK/$name/second.png"
  [ -n "${GLOBE_SHOT_DIR:-}" ] && cp "$WORK/$name/first.png" "$GLOBE_SHOT_DIR/program_$name.png"
  "$XCLOSE" "$WIN"
  wait_exit $PID
  check "$name: exit code after close" 0 "$EXIT_CODE"
}
window_size() { local g; g=($(geometry "$1")); echo "${g[2]} ${g[3]}"; }

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
