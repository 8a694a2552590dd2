#!/usr/bin/env bash
# The windows' placement over many starts, with or without a window manager: five starts and
# closes keep the stored places and sizes exactly, and every window opens with all of its
# frame (the title bar above all) inside the work area; sizes and places stored for a larger
# screen, or by the frames of older versions, are fitted into it.
# With ORBIQUANT_SHOTS set, the screen after the first and the fifth start goes there, and
# the keys after each start go to placement-keys.txt.
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$INI")"

# The work area as "left top right bottom": the window manager's, else the screen.
work_area() {
  local area
  area=$(xprop -root _NET_WORKAREA 2>/dev/null | grep -o '= .*' | tr -d '=,')
  if [ -n "$area" ]; then
    set -- $area
    echo "$1 $2 $(($1 + $3)) $(($2 + $4))"
  else
    xdpyinfo | awk '/dimensions:/{split($2, s, "x"); print 0, 0, s[1], s[2]; exit}'
  fi
}
# Prints "inside" when window $1 with its frame lies in the work area, else where it is.
framed_inside() {
  local x y w h l r t b wl wt wr wb
  read -r x y w h <<< "$(geometry "$1")"
  read -r l r t b <<< "$(frame_extents "$1")"
  read -r wl wt wr wb <<< "$(work_area)"
  if [ $((x - l)) -ge "$wl" ] && [ $((y - t)) -ge "$wt" ] && [ $((x + w + r)) -le "$wr" ] &&
    [ $((y + h + b)) -le "$wb" ]; then
    echo inside
  else
    echo "frame $((x - l)),$((y - t)) to $((x + w + r)),$((y + h + b)) in $wl,$wt to $wr,$wb"
  fi
}
wait_panel() {
  local i id
  for i in $(seq 1 100); do
    id=$(xdotool search --all --onlyvisible --pid "$1" --name '^Display$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
keys() { grep -E '^x?main' "$INI" | tr '\n' ' ' | sed 's/ $//'; }
start() {
  "$APP" &
  PID=$!
  MAIN=$(wait_window $PID) || { fail "no window"; finish; }
  PANEL=$(wait_panel $PID) || { fail "no panel"; finish; }
}
close() {
  "$XCLOSE" "$MAIN"
  wait_exit $PID
  check "exit code after close" 0 "$EXIT_CODE"
}
shot() { [ -n "${ORBIQUANT_SHOTS:-}" ] && sleep 2 && import -window root "$ORBIQUANT_SHOTS/$1"; }

printf '[Items]\n%s\n' "$NO_SERVER" > "$INI"
FIRST=
for n in 1 2 3 4 5; do
  start
  check_soon "start $n: main window inside the work area" inside framed_inside "$MAIN"
  check_soon "start $n: panel inside the work area" inside framed_inside "$PANEL"
  [ "$n" = 1 ] && shot placement-start1.png
  [ "$n" = 5 ] && shot placement-start5.png
  close
  echo "keys after start $n: $(keys)"
  [ -n "${ORBIQUANT_SHOTS:-}" ] && echo "start $n: $(keys)" >> "$ORBIQUANT_SHOTS/placement-keys.txt"
  if [ -z "$FIRST" ]; then FIRST=$(keys); else check "keys after start $n" "$FIRST" "$(keys)"; fi
done
read -r W H <<< "$(grep -E '^mainx1=|^mainy1=' "$INI" | cut -d= -f2 | tr '\n' ' ')"
check "the default size is kept" "640 480" "$W $H"

# A size stored on a larger screen, and a place whose title bar an older version left off
# the screen: the window shrinks into the work area and comes down below its title bar.
read -r WL WT WR WB <<< "$(work_area)"
printf '[Items]\n%s\nmainx=-1\nmainy=-18\nmainx1=2402\nmainy1=1637\nxmainx=1250\nxmainy=-20\n' \
  "$NO_SERVER" > "$INI"
start
check_soon "a too large window fits the work area" inside framed_inside "$MAIN"
check_soon "a panel beyond the edges comes back" inside framed_inside "$PANEL"
read -r L R T B <<< "$(frame_extents "$MAIN")"
check_soon "the largest window that fits" "$((WL + L)) $((WT + T)) $((WR - WL - L - R)) $((WB - WT - T - B))" \
  geometry "$MAIN"
close
finish
