#!/usr/bin/env bash
# Renders the hicolor PNGs of the program's icon from its SVG. The PNGs are
# committed, so a build needs no SVG renderer; run this after editing the SVG.
# With --check it renders into a temporary folder and fails when a committed
# PNG differs (scripts/package.sh uses that so the two cannot drift apart).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
name=org.zorv.ZorvCalc
out=.
if [ "${1:-}" = "--check" ]; then
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
fi
status=0
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$out/$size"
  rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$out/$size/$name.png"
  if [ "$out" != . ] && ! cmp -s "$out/$size/$name.png" "$size/$name.png"; then
    echo "desktop/icons/$size/$name.png is not rendered from $name.svg: run scripts/render-icons.sh" >&2
    status=1
  fi
done
exit $status
