#!/bin/sh
# Renders the hand-written SVG sources under images/src/ into the pictures
# that gearloft.qrc compiles into the client (resources/Image/Gearmatt/).
# The rendered files are kept in the repository, so building never needs
# this script; run it after changing a source and keep both.
#
# Needs rsvg-convert (Debian: librsvg2-bin) and python3 (standard library
# only, for images/pngtool.py). Usage: resources/images/render.sh
set -eu

here=$(cd "$(dirname "$0")" && pwd)
src="$here/src"
out="$here/../Image/Gearmatt"
tool="${PYTHON:-python3} $here/pngtool.py"

if ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "render.sh: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
  exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

# render SVG OUT [SIZE]: one SVG to one optimised PNG, at the size the SVG
# states or at SIZE x SIZE.
render() {
  if [ $# -ge 3 ]; then
    rsvg-convert -w "$3" -h "$3" "$1" -o "$tmp/render.png"
  else
    rsvg-convert "$1" -o "$tmp/render.png"
  fi
  $tool optimise "$tmp/render.png" "$2"
}

mkdir -p "$out/icon"

# 1. Plain pictures: src/PATH.svg becomes Image/Gearmatt/PATH.png. The two
#    masters of the icon file and of the spinner are handled below.
(cd "$src" && find . -name '*.svg' | sort) | while read -r rel; do
  rel=${rel#./}
  case "$rel" in
    logo.svg | waiting.svg) continue ;;
  esac
  render "$src/$rel" "$out/${rel%.svg}.png"
done

# 2. The row painter loads the shadow frame from icon/, the dialogs from the
#    top folder: one picture, two places.
cp "$out/shadow_bg.png" "$out/icon/shadow_bg.png"

# 3. logo.ico: the small sizes from the mark drawn for 24 px, the larger
#    ones from the master; every entry is a PNG image.
for size in 16 24; do
  rsvg-convert -w $size -h $size "$src/logo24.svg" -o "$tmp/logo$size.png"
done
for size in 32 48 64 128 256; do
  rsvg-convert -w $size -h $size "$src/logo.svg" -o "$tmp/logo$size.png"
done
$tool ico "$out/logo.ico" "$tmp/logo16.png" "$tmp/logo24.png" "$tmp/logo32.png" \
  "$tmp/logo48.png" "$tmp/logo64.png" "$tmp/logo128.png" "$tmp/logo256.png"

# 4. waiting.gif: the spinner's arc turned in 18 steps of 20 degrees,
#    5/100 s a step (0.9 s a turn), looping for ever.
frames=""
step=0
while [ $step -lt 18 ]; do
  angle=$((step * 20))
  name=$(printf 'frame%02d' $step)
  sed "s/rotate(0 12 12)/rotate($angle 12 12)/" "$src/waiting.svg" > "$tmp/$name.svg"
  rsvg-convert "$tmp/$name.svg" -o "$tmp/$name.png"
  frames="$frames $tmp/$name.png"
  step=$((step + 1))
done
# shellcheck disable=SC2086 # the frame list is meant to split
$tool gif "$out/waiting.gif" 5 $frames

# 5. The desktop's icon (menu entry, software centres) in the sizes the
#    hicolor theme asks for, from the same master; the SVG itself is the
#    scalable one.
desktop="$here/../../packaging/icons"
for size in 48 128 256; do
  render "$src/logo.svg" "$desktop/gearloft-$size.png" $size
done
cp "$src/logo.svg" "$desktop/gearloft.svg"

echo "render.sh: pictures written to $(cd "$out" && pwd) and $(cd "$desktop" && pwd)"
