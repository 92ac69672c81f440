#!/usr/bin/env bash
# Starts ZAMDeck on a generated demo installation.
#
#   scripts/demo.sh BUILD_DIR
#
# On first use it builds what is missing, makes the demo simulator folder BUILD_DIR/demo/gpl
# (zamini make-demo) and a program folder BUILD_DIR/demo/program holding ZAMDeck, Rollout, the
# pictures, the start-up sound and a ZAM.ini that points at the demo. Its GPL.EXE is a stand-in
# that races for a few seconds: "Run GPL" closes the window, Rollout runs the stand-in in the
# demo folder, and ZAMDeck comes back with "Time in GPL" grown and the new screenshot archived.
# The programs and pictures are refreshed from the build on every run; the demo's own files and
# settings are kept, so changes made in the window survive until BUILD_DIR/demo is removed.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
demo="$build/demo"
gpl="$demo/gpl"
program="$demo/program"

missing=()
[ -x "$build/frontend/ZAMDeck" ] || missing+=(ZAMDeck)
[ -x "$build/loader/Rollout" ] || missing+=(Rollout)
[ -x "$build/tools/zamini" ] || missing+=(zamini)
[ -f "$build/frontend/Startup.wav" ] || missing+=(zam_frontend_assets)
if [ ${#missing[@]} -gt 0 ]; then
  cmake --build "$build" --target "${missing[@]}" -j "$(nproc 2>/dev/null || echo 2)"
fi

# Seconds the stand-in simulator runs for.
race_seconds=3
if [ ! -d "$gpl" ]; then
  mkdir -p "$demo"
  "$build/tools/zamini" make-demo "$gpl" --sim-seconds "$race_seconds"
elif [ "$(head -c 2 "$gpl/GPL.EXE" 2>/dev/null)" != "#!" ]; then
  # A demo made before its GPL.EXE could run: give it the stand-in and keep everything else.
  fresh=$(mktemp -d "$demo/.fresh-XXXXXX")
  "$build/tools/zamini" make-demo "$fresh/gpl" --sim-seconds "$race_seconds" >/dev/null
  mv -f "$fresh/gpl/GPL.EXE" "$gpl/GPL.EXE"
  rm -rf "$fresh"
  echo "The demo's GPL.EXE is now the runnable stand-in." >&2
fi

mkdir -p "$program"
cp -f "$build/frontend/ZAMDeck" "$build/loader/Rollout" "$build/frontend/Startup.wav" "$program/"
rm -rf "$program/Pictures"
cp -r "$build/frontend/Pictures" "$program/Pictures"
if [ ! -f "$program/ZAM.ini" ]; then
  printf '[Paths]\r\nGPL=%s/\r\nExeName=GPL.EXE\r\n' "$gpl" > "$program/ZAM.ini"
fi

# Without a display the window still runs, on Qt's off-screen platform.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting ZAMDeck on the off-screen platform." >&2
  export QT_QPA_PLATFORM=offscreen
fi
cd "$program"
exec ./ZAMDeck
