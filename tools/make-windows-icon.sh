#!/usr/bin/env bash
# Makes packaging/windows/hengchuan.ico, the Windows program's icon, from
# packaging/hengchuan.svg: the drawing at 16, 24, 32, 48, 64 and 256 pixels,
# each kept as a PNG inside the .ico (Windows Vista and later read those).
# Run it again after the drawing changes; it needs rsvg-convert
# (apt-get install librsvg2-bin). The .ico it makes is kept in the repository,
# so that building the Windows program needs neither.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/packaging/windows/hengchuan.ico"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 64 256)
for s in "${sizes[@]}"; do
  rsvg-convert -w "$s" -h "$s" "$here/packaging/hengchuan.svg" -o "$work/$s.png"
done
# Little-endian fields of the ICONDIR header and its entries.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
{
  le16 0; le16 1; le16 ${#sizes[@]}
  offset=$((6 + 16 * ${#sizes[@]}))
  for s in "${sizes[@]}"; do
    bytes=$(stat -c %s "$work/$s.png")
    printf "\\x$(printf %02x $((s & 255)))\\x$(printf %02x $((s & 255)))\\x00\\x00"  # 256 is written as 0
    le16 1; le16 32; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for s in "${sizes[@]}"; do cat "$work/$s.png"; done
} >"$out"
echo "made $out ($(stat -c %s "$out") bytes)"
