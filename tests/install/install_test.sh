#!/usr/bin/env bash
# The installed tree, as `cmake --install` lays it out in a fresh prefix: every file in its
# place, the desktop entry, the metainfo and the man pages accepted by their validators, and
# the installed feed server serving from its share folder without --root (and the installed
# README as its help page), its systemd user unit, and the Debian package: its scripts, which
# enable that unit for every user, its changelog, and lintian's verdict.
# Usage: install_test.sh <build folder> <files|desktop|metainfo|manpages|feed|service|package>
set -u
BUILD=$1
WHAT=$2
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$WORK"' EXIT
P=$WORK/prefix
ID=org.example.orbiquant
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
check() { # check <what> <expected> <actual>
  if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: expected '$2', got '$3'"; fi
}
finish() {
  if [ "$FAILS" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$FAILS check(s) failed"; exit 1
}

cmake --install "$BUILD" --prefix "$P" > "$WORK/install.log" || { cat "$WORK/install.log"; fail "install"; finish; }

case $WHAT in
files)
  expected="bin/orbiquant
bin/orbiquant-feed
lib/systemd/user/orbiquant-feed.service
share/applications/$ID.desktop
share/doc/orbiquant/README.md
share/doc/orbiquant/changelog.Debian.gz
share/doc/orbiquant/copyright
share/icons/hicolor/128x128/apps/$ID.png
share/icons/hicolor/256x256/apps/$ID.png
share/icons/hicolor/48x48/apps/$ID.png
share/icons/hicolor/scalable/apps/$ID.svg
share/lintian/overrides/orbiquant
share/man/man1/orbiquant-feed.1.gz
share/man/man1/orbiquant.1.gz
share/metainfo/$ID.metainfo.xml
share/orbiquant/cf2.txt
share/orbiquant/s3.txt"
  check "installed files" "$expected" "$(cd "$P" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"
  for program in orbiquant orbiquant-feed; do
    [ -x "$P/bin/$program" ] && echo "ok: $program executable" || fail "$program not executable"
  done
  for size in 48 128 256; do
    check "icon size $size" "${size}x${size}" \
      "$(identify -format '%wx%h' "$P/share/icons/hicolor/${size}x${size}/apps/$ID.png")"
  done
  ;;
desktop)
  out=$(desktop-file-validate "$P/share/applications/$ID.desktop" 2>&1)
  check "desktop-file-validate, no findings" "" "$out"
  check "icon named by the entry is installed" "Icon=$ID" "$(grep '^Icon=' "$P/share/applications/$ID.desktop")"
  ;;
metainfo)
  out=$(appstreamcli validate --no-net "$P/share/metainfo/$ID.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
  echo "$out"
  check "release version" "$(awk '/^project\(orbiquant VERSION/ { print $3 }' "$(dirname "$0")/../../CMakeLists.txt")" \
    "$(grep -o 'release version="[^"]*"' "$P/share/metainfo/$ID.metainfo.xml" | cut -d'"' -f2)"
  ;;
manpages)
  for page in orbiquant orbiquant-feed; do
    file=$P/share/man/man1/$page.1.gz
    check "$page.1 renders without warnings" "" "$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)"
    check "$page.1 names itself" "yes" "$(MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" && echo yes)"
  done
  ;;
feed)
  # Started from an unrelated folder with no --root, it serves the installed script.
  mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere" || exit 1
  for attempt in 1 2 3 4 5 6 7 8; do
    PORT=$((20000 + RANDOM % 20000))
    : > "$WORK/feed.log"
    "$P/bin/orbiquant-feed" --port "$PORT" --log "$WORK/feed.log" 2>"$WORK/feed.err" &
    FEED=$!
    for i in $(seq 1 50); do
      grep -q listening "$WORK/feed.log" && break
      kill -0 $FEED 2>/dev/null || break
      sleep 0.1
    done
    grep -q listening "$WORK/feed.log" && break
  done
  grep -q listening "$WORK/feed.log" || { cat "$WORK/feed.err"; fail "feed server did not start"; finish; }
  body=$(timeout 5 bash -c 'exec 3<>/dev/tcp/127.0.0.1/'"$PORT"'
    printf "GET /m3d/s3.txt HTTP/1.0\r\nHost: 127.0.0.1:'"$PORT"'\r\n\r\n" >&3; cat <&3' | sed '1,/^\r$/d')
  check "script from the share folder" "$(sed "s/{HOST}/127.0.0.1:$PORT/g" "$P/share/orbiquant/s3.txt" | md5sum)" \
    "$(printf '%s\n' "$body" | md5sum)"
  help=$(timeout 5 bash -c 'exec 3<>/dev/tcp/127.0.0.1/'"$PORT"'
    printf "GET /help HTTP/1.0\r\nHost: 127.0.0.1:'"$PORT"'\r\n\r\n" >&3; cat <&3' | sed '1,/^\r$/d')
  check "the help page is the installed README" "$(md5sum < "$P/share/doc/orbiquant/README.md")" \
    "$(printf '%s\n' "$help" | md5sum)"
  # A second server on the same port is refused, and says why.
  timeout 5 "$P/bin/orbiquant-feed" --port "$PORT" >"$WORK/second.out" 2>"$WORK/second.err"
  check "exit code of a second server on the port" 1 "$?"
  grep -q 'address in use' "$WORK/second.err" && echo "ok: says the address is in use" ||
    fail "no 'address in use': $(cat "$WORK/second.err")"
  check "the second server never says it listens" "" "$(cat "$WORK/second.out")"
  kill $FEED
  # Without a share folder beside it and no server/ here, it says so and ends.
  mkdir -p "$WORK/bare/bin" && cp "$P/bin/orbiquant-feed" "$WORK/bare/bin/"
  "$WORK/bare/bin/orbiquant-feed" --port "$PORT" 2>"$WORK/bare.err"
  check "exit code without the server files" 1 "$?"
  grep -q 'give the folder with --root' "$WORK/bare.err" && echo "ok: says what is missing" ||
    fail "no message: $(cat "$WORK/bare.err")"
  ;;
service)
  UNIT=$P/lib/systemd/user/orbiquant-feed.service
  check "the unit starts the installed server" "ExecStart=$P/bin/orbiquant-feed" \
    "$(grep '^ExecStart=' "$UNIT")"
  check "enabled by default.target" "WantedBy=default.target" "$(grep '^WantedBy=' "$UNIT")"
  out=$(MANPATH=$P/share/man systemd-analyze verify "$UNIT" 2>&1)
  check "systemd-analyze verify, no findings ($?)" "" "$out"
  ;;
package)
  # The package as cpack builds it; its scripts run against a scratch root through a
  # systemctl that is given --root, as a package manager would run them on a real one.
  (cd "$BUILD" && cpack -G DEB -B "$WORK/pkg" --config CPackConfig.cmake > "$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log"; fail "cpack"; finish; }
  DEB=$(ls "$WORK"/pkg/*.deb)
  dpkg-deb -x "$DEB" "$WORK/root" && dpkg-deb -e "$DEB" "$WORK/control"
  check "the unit in the package" "ExecStart=/usr/bin/orbiquant-feed" \
    "$(grep '^ExecStart=' "$WORK/root/usr/lib/systemd/user/orbiquant-feed.service")"
  export DPKG_ROOT=$WORK/root DPKG_MAINTSCRIPT_PACKAGE=orbiquant
  LINK=$WORK/root/etc/systemd/user/default.target.wants/orbiquant-feed.service
  sh "$WORK/control/postinst" configure >/dev/null 2>&1
  check "postinst configure: exit code" 0 "$?"
  check "enabled for every user" "/usr/lib/systemd/user/orbiquant-feed.service" "$(readlink "$LINK")"
  sh "$WORK/control/prerm" upgrade >/dev/null 2>&1
  check "prerm upgrade keeps it enabled" yes "$([ -L "$LINK" ] && echo yes)"
  sh "$WORK/control/prerm" remove >/dev/null 2>&1
  check "prerm remove: disabled" no "$([ -e "$LINK" ] || [ -L "$LINK" ] && echo yes || echo no)"
  sh "$WORK/control/postinst" configure >/dev/null 2>&1
  check "a new install enables it again" yes "$([ -L "$LINK" ] && echo yes)"
  unset DPKG_ROOT DPKG_MAINTSCRIPT_PACKAGE
  check "the changelog's version is the package's" "$(dpkg-deb -f "$DEB" Version)" \
    "$(zcat "$WORK/root/usr/share/doc/orbiquant/changelog.Debian.gz" | head -n 1 | sed 's/.*(\(.*\)).*/\1/')"
  # lintian: no errors and no warnings (it says it runs as root, which is no finding).
  out=$(lintian --fail-on error,warning "$DEB" 2>&1)
  check "lintian passes ($?)" "" "$(printf '%s\n' "$out" | grep -v 'running with root privileges')"
  ;;
*)
  fail "unknown check $WHAT"
  ;;
esac
finish
