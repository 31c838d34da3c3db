#!/bin/sh
# Draws the program icon, a green "@" on black, at 16, 32 and 48 pixels
# into res/orvenda.ico (ImageMagick). The result is committed; run again
# only to change the drawing.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
for s in 16 32 48; do
  convert -size "${s}x${s}" xc:black -fill '#00ff00' -font DejaVu-Sans-Bold \
    -pointsize $((s * 7 / 8)) -gravity center -annotate +0+0 '@' "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" orvenda.ico
rm -rf "$tmp"
