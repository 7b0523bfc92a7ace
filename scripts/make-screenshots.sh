#!/usr/bin/env bash
# Pictures of the client's pages in both languages: the window as it opens
# on a 1024x768 screen, and filling a 1920x1080 screen as when maximised:
#
#   scripts/make-screenshots.sh NAME [OUT_DIR]
#
# NAME starts every file name (e.g. "before" or "after"); OUT_DIR defaults
# to docs/screenshots. Each language gets the demo installation of
# scripts/run-demo.sh (two tools installed one release behind), then
# gearloft_screens walks the catalog, a tool's details, My Tools, the
# updates, the settings and a keyboard-focused control on a private virtual screen of each size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GEARLOFT_BUILD_DIR:-$root/build}
[ $# -ge 1 ] || { echo "usage: $0 NAME [OUT_DIR]" >&2; exit 2; }
name=$1
out=${2:-$root/docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

install=$build/demo/install
run=$build/demo/run
xvfb=""
# The service serves only a client that runs as the installation's Gearloft,
# so the page walker stands in for it under that name while it runs.
restore() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  if [ -e "$install/Gearloft.real" ]; then mv -f "$install/Gearloft.real" "$install/Gearloft"; fi
}
trap restore EXIT

for lang in en zh; do
  echo "== demo installation ($lang)"
  "$root/scripts/run-demo.sh" --lang "$lang" >"$build/demo/screenshots-$lang.log" 2>&1 ||
    { echo "run-demo.sh failed; see $build/demo/screenshots-$lang.log" >&2; exit 1; }
  cmake --build "$build" --target gearloft_screens -j2 >/dev/null
  mv "$install/Gearloft" "$install/Gearloft.real"
  cp "$build/demo/screens/gearloft_screens" "$install/Gearloft"
  for size in 1024x768 1920x1080; do
    mode=window
    [ "$size" = 1024x768 ] || mode=full
    display_file=$run/display-$size
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$display_file" 2>"$run/xvfb-$size.log" &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    [ -s "$display_file" ] || { echo "Xvfb did not start; see $run/xvfb-$size.log" >&2; exit 1; }
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$run/xdg-runtime}
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"
    DISPLAY=:$(head -n 1 "$display_file") "$install/Gearloft" "$out" "$name-$lang-$size" "$mode" \
      >>"$run/screens.log" 2>&1 || { echo "gearloft_screens failed; see $run/screens.log" >&2; exit 1; }
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
  done
  mv -f "$install/Gearloft.real" "$install/Gearloft"
done
ls "$out"/"$name"-*.png
