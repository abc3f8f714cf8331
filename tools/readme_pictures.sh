#!/bin/bash
# The pictures of the README (doc/*.png), made from what the two commands leave
# in build/: the window after the run command's read-out, the metafile that the
# run command exported, as LibreOffice shows it, the page that the tests printed
# to the CUPS PDF printer, the measurements dialog, the cursors and the comparison views of
# the tests. Run scripts/run.sh (without a display) and
# scripts/test.sh first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
doc="$root/doc"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

convert "$root/build/vexal-window.png" -resize 640x "$doc/window.png"
HOME="$scratch" timeout 120 soffice --headless --convert-to png --outdir "$scratch" \
  "$root/build/vexal-export.emf" >/dev/null
convert "$scratch/vexal-export.png" -trim +repage -resize 560x "$doc/metafile-in-libreoffice.png"
pdftoppm -png -r 60 -singlefile "$root/build/win/tests/e2e/output/page.pdf" "$scratch/page"
convert "$scratch/page.png" -gravity north -crop 100%x52%+0+0 +repage -resize 560x \
  "$doc/printed-page.png"
convert "$root/build/win/tests/e2e/measure/measurements.bmp" "$doc/measurements.png"
# The upper part of the window with the cursors over the start-up traces.
convert "$root/build/win/tests/e2e/cursor/cursors.bmp" -crop 800x240+0+0 +repage "$doc/cursors.png"
# A reference with the math trace, and X-Y of the start-up traces (e2e_compare).
convert "$root/build/win/tests/e2e/compare/math.bmp" -resize 640x "$doc/reference.png"
convert "$root/build/win/tests/e2e/compare/xy.bmp" -resize 640x "$doc/xy.png"
ls -l "$doc"/*.png
