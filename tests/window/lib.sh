# Helpers for the window tests: a private settings directory, the program started in the
# background, and waits for its window, bounded in time.
# Arguments of every script: the program, then the close helper.
set -u
APP=$(realpath "$1")
XCLOSE=$(realpath "$2")
WORK=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/config
export XDG_CACHE_HOME=$WORK/cache
export ORBIQUANT_OPENER=$WORK/opener
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$WORK"' EXIT
INI=$XDG_CONFIG_HOME/orbiquant/orbq7.ini
CACHE=$XDG_CACHE_HOME/orbiquant/orbq.txt
FAILS=0

# Host keys for [Items] that send every fetch to a closed loopback port: without them the
# program asks 127.0.0.1:8404, where a feed server started for something else may answer and
# put tags, a ticker and a new script into the test.
NO_SERVER=$'makerhost=127.0.0.1:1\nquotehost=127.0.0.1:1\nnewshost=127.0.0.1:1'

# A script cache with no blocks keeps the fetch run quiet when no feed server answers
# (otherwise its "No cache" box would cover part of the screen). The program runs in $WORK.
mkdir -p "$(dirname "$CACHE")"
printf '#00 no blocks\r\n***\r\n' > "$CACHE"
cd "$WORK" || exit 1

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
check() { # check <what> <expected> <actual>
  if [ "$2" = "$3" ]; then echo "ok: $1 = $3"; else fail "$1: expected '$2', got '$3'"; fi
}
# check_soon <what> <expected> <command...>: the program answers input when it gets to it, so
# the command is run again until it prints the expected text, for up to 15 s.
check_soon() {
  local what=$1 expected=$2 actual i
  shift 2
  for i in $(seq 1 150); do
    actual=$("$@")
    [ "$actual" = "$expected" ] && break
    sleep 0.1
  done
  check "$what" "$expected" "$actual"
}

finish() {
  if [ "$FAILS" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$FAILS check(s) failed"; exit 1
}

# The X server must answer before anything starts (up to 10 s). It has to run with -noreset:
# otherwise it resets when its last client (xdpyinfo here) disconnects, and refuses the next.
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
xdpyinfo >/dev/null 2>&1 || { fail "no X server answers at DISPLAY='${DISPLAY:-}'"; finish; }

# Waits up to 40 s (a loaded machine starts slowly) for process $1 to show its main window and
# prints its id. The main window is created and mapped before any other window of the
# program, so it is the lowest visible id as soon as any window is visible.
wait_window() {
  local i id
  for i in $(seq 1 400); do
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | sort -n | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$1" 2>/dev/null || { echo "process $1 ended without a window" >&2; return 1; }
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for process $1 to show its control panel ("Display") and prints its id.
wait_panel() {
  local i id
  for i in $(seq 1 100); do
    id=$(xdotool search --all --onlyvisible --pid "$1" --name '^Display$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Prints "x y width height" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# Prints "left right top bottom" of the frame the window manager put around window $1 (its
# title bar is the top), or "0 0 0 0" without a window manager.
frame_extents() {
  local e
  e=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -o '= .*' | tr -d '=,')
  echo ${e:-0 0 0 0}
}

# Waits up to 15 s for process $1, a child of this shell, to end; sets EXIT_CODE to its
# exit code, or to "running" (and kills it) when it did not end.
wait_exit() {
  local i
  for i in $(seq 1 150); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      EXIT_CODE=$?
      return
    fi
    sleep 0.1
  done
  EXIT_CODE=running
  kill "$1" 2>/dev/null
}

# Prints yes when window $1 shows tags: more than 50 pixels of a fresh tag's pure green or red
# text (the clock hands' orange and the globe's greens are not that pure).
tags_shown() {
  import -window root -crop "$(geometry "$1" | awk '{printf "%dx%d+%d+%d", $3, $4, $1, $2}')" \
    +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk '{ if ($2 > 200 && $1 < 40 && $3 < 40) g++; if ($1 > 200 && $2 < 40 && $3 < 40) r++ }
      END { print (g > 50 || r > 50) ? "yes" : "no" }'
}
