#!/usr/bin/env bash
# Proves that a built Debian package works from wherever it is unpacked, with nothing of the
# build tree around it:
#
#   scripts/package-check.sh DEB
#
# It unpacks DEB into a temporary root and checks the package's fields and files, that the
# unpacked ZAMDeck and zamini print the version, and then, with a temporary HOME whose
# configuration folder points at a demo installation made by the unpacked zamini:
#   1. the unpacked ZAMDeck opens that demo on the off-screen platform, taking ZAM.ini from the
#      configuration folder and its pictures and start-up sound from the package's share/zamdeck;
#   2. the unpacked Rollout runs the demo's stand-in simulator from a ZAM.int in the
#      configuration folder and brings that ZAMDeck back, which takes in the race.
# Which files the programs open is read from strace; the start-up sound is caught by an "aplay"
# of our own on PATH. Nothing may be written into the unpacked root.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 DEB" >&2
  exit 2
fi
deb="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work=$(mktemp -d /tmp/zam-package-check-XXXXXX)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
ok() { echo "   ok: $*"; }
fail() { echo "   FAILED: $*"; failures=$((failures + 1)); }
expect() {  # expect DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}

root="$work/root"
bin="$root/usr/bin"
share="$root/usr/share"
echo "== unpacking $(basename "$deb")"
dpkg-deb -x "$deb" "$root"
touch "$work/unpacked.stamp"
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "   Version: $version"
echo "   Depends: $depends"
echo "   Recommends: $(dpkg-deb -f "$deb" Recommends)"
expect "depends on the Qt libraries, as dpkg-shlibdeps found them" grep -q "libqt6widgets6" <<<"$depends"
expect "recommends wine" test "$(dpkg-deb -f "$deb" Recommends)" = "wine"
for file in bin/ZAMDeck bin/Rollout bin/zamini share/zamdeck/Startup.wav \
            share/zamdeck/Pictures/Mode0.jpg share/zamdeck/Pictures/CarD.JPG \
            share/applications/zamdeck.desktop share/icons/hicolor/scalable/apps/zamdeck.svg \
            share/icons/hicolor/16x16/apps/zamdeck.png share/icons/hicolor/256x256/apps/zamdeck.png; do
  expect "holds usr/$file" test -e "$root/usr/$file"
done
expect "its desktop entry is valid" desktop-file-validate "$share/applications/zamdeck.desktop"

echo "== versions"
zamini_version=$("$bin/zamini" --version)
zamdeck_version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/ZAMDeck" --version)
echo "   $zamini_version / $zamdeck_version"
expect "zamini --version gives the package's version" test "$zamini_version" = "zamini $version"
expect "ZAMDeck --version gives the package's version" test "$zamdeck_version" = "ZAMDeck $version"

echo "== a demo installation in a temporary home"
home="$work/home"
config="$home/.config/zamdeck"
gpl="$work/gpl"
mkdir -p "$config" "$work/trap"
"$bin/zamini" make-demo "$gpl" --sim-seconds 1 >/dev/null
printf '[Paths]\r\nGPL=%s/\r\nExeName=GPL.EXE\r\n[Timers]\r\nGPLTime=01:00:00\r\n' "$gpl" >"$config/ZAM.ini"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' "$work/sound.txt" >"$work/trap/aplay"
chmod +x "$work/trap/aplay"

# Runs a program of the package under strace in the temporary home, on the off-screen platform,
# until the ZAMDeck it is or starts has opened a picture of the package (or 60 s have passed),
# then ends that ZAMDeck: nothing is written while its window is open.
run_until_window() {  # LOG PROGRAM
  local log="$1" program="$2"
  env -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" PATH="$work/trap:$PATH" \
    QT_QPA_PLATFORM=offscreen \
    strace -f -qq -e trace=openat,chdir,execve -o "$log" "$program" </dev/null >"$log.out" 2>&1 &
  pids+=($!)
  local tracer=$! waited=0
  until grep -q "$share/zamdeck/Pictures/[^\"]*\", O_RDONLY[^=]*= [0-9]" "$log" 2>/dev/null; do
    if [ $waited -ge 600 ] || ! kill -0 "$tracer" 2>/dev/null; then break; fi
    sleep 0.1
    waited=$((waited + 1))
  done
  sleep 1  # let start-up finish
  local zamdeck
  zamdeck=$(awk -v exe="$bin/ZAMDeck" 'index($0, "execve(\"" exe "\"") && / = 0$/ {pid = $1} END {print pid}' "$log")
  if [ -n "$zamdeck" ] && kill -0 "$zamdeck" 2>/dev/null; then
    ok "ZAMDeck (process $zamdeck) is running with its window open"
    kill "$zamdeck"
  else
    fail "ZAMDeck did not start or did not stay open; its output:"
    sed 's/^/      /' "$log.out" | tail -20
  fi
  wait "$tracer" 2>/dev/null || true
}

# Whether the log shows a file matching PATTERN opened for reading; the simulator's own names come
# in any case.
opened() { grep -qi "$1\", O_RDONLY[^=]*= [0-9]" "$2"; }
exists() { compgen -G "$1" >/dev/null; }

echo "== 1. the unpacked ZAMDeck on the demo"
run_until_window "$work/start.log" "$bin/ZAMDeck"
expect "works in the configuration folder" grep -q "chdir(\"$config/\?\") = 0" "$work/start.log"
expect "opens the demo that ZAM.ini there points at" opened "$gpl/[Cc]ore.ini" "$work/start.log"
expect "finds its pictures in share/zamdeck" opened "$share/zamdeck/Pictures/Mode[0-4].jpg" "$work/start.log"
expect "plays its start-up sound from share/zamdeck" grep -qx "$share/zamdeck/Startup.wav" "$work/sound.txt"

echo "== 2. the unpacked Rollout runs the stand-in and brings ZAMDeck back"
printf 'Run\r\n%s/GPL.EXE \r\n' "$gpl" >"$config/ZAM.int"
run_until_window "$work/launch.log" "$bin/Rollout"
expect "Rollout ran the stand-in simulator" grep -q "execve(\"$gpl/GPL.EXE\"" "$work/launch.log"
expect "Rollout started the unpacked ZAMDeck" grep -q "execve(\"$bin/ZAMDeck\"" "$work/launch.log"
expect "ZAMDeck took in the race and deleted ZAM.int" test ! -e "$config/ZAM.int"
expect "ZAMDeck archived the stand-in's screenshot" exists "$gpl/Exports/S*.PBF"

echo "== nothing written into the unpacked root"
written=$(find "$root" -newer "$work/unpacked.stamp" | head -5)
expect "no file in the root changed" test -z "$written"
[ -z "$written" ] || echo "$written" | sed 's/^/      /'

if [ $failures -gt 0 ]; then
  echo "package check: $failures failed"
  exit 1
fi
echo "package check: all passed"
