#!/bin/sh
# Draws the logo and the two printer pictures shown on the "Main" tab. The pictures are drawings,
# not photographs: any picture of the stated size will do, so they are made here from a few shapes
# to keep the repository free of binary sources. Run from anywhere; writes next to this script.
# Needs ImageMagick 6 ("convert").
set -eu
cd "$(dirname "$0")"

# PNG24 keeps the files 24-bit colour; the excluded chunks keep the output byte-identical between runs.
png24() {
  convert "$@" -strip -define png:exclude-chunks=date,time "PNG24:$out"
}

# The brand logo, 55 x 29.
out=logo.png
png24 -size 55x29 xc:white \
  -fill '#1b3f8b' -draw 'roundrectangle 1,1 53,27 5,5' \
  -fill '#e8b21e' -draw 'polygon 6,21 13,7 20,21' \
  -fill white -font Helvetica-Bold -pointsize 11 -annotate +21+19 'Vorla'

# printer NAME WIDTH HEIGHT BODY LID LETTERING CAPTION: a receipt printer seen slightly from above, with a
# receipt coming out of the slot. Coordinates are fractions of the picture so that both sizes share
# one drawing.
printer() {
  name=$1 w=$2 h=$3 body=$4 lid=$5 lettering=$6 caption=$7
  px() { awk -v a="$1" -v s="$2" 'BEGIN { printf "%d", a * s + 0.5 }'; }
  x0=$(px 0.12 "$w") x1=$(px 0.88 "$w") xs=$(px 0.08 "$w")
  ytop=$(px 0.34 "$h") ylid=$(px 0.52 "$h") ybot=$(px 0.90 "$h")
  slot=$(px 0.44 "$h") pl=$(px 0.30 "$w") pr=$(px 0.70 "$w") ptop=$(px 0.06 "$h")
  ledx=$(px 0.80 "$w") ledy=$(px 0.64 "$h") ledr=$(px 0.025 "$w")
  tx=$(px 0.18 "$w") ty=$(px 0.82 "$h") fs=$(px 0.075 "$w")
  out=$name
  png24 -size "${w}x${h}" gradient:'#f4f6f8-#c9cfd6' \
    -fill '#00000030' -draw "ellipse $(px 0.5 "$w"),$ybot $(px 0.42 "$w"),$(px 0.05 "$h") 0,360" \
    -fill "$body" -draw "roundrectangle $x0,$ylid $x1,$ybot 8,8" \
    -fill "$lid" -draw "polygon $x0,$ylid $(($x0 + $xs)),$ytop $(($x1 - $xs)),$ytop $x1,$ylid" \
    -fill white -stroke '#b0b0b0' -draw "polygon $pl,$slot $(($pl + 4)),$ptop $(($pr + 4)),$ptop $pr,$slot" \
    -stroke '#9aa0a6' -strokewidth 1 \
    -draw "line $(($pl + 12)),$(($ptop + 10)) $(($pr - 8)),$(($ptop + 10))" \
    -draw "line $(($pl + 12)),$(($ptop + 18)) $(($pr - 20)),$(($ptop + 18))" \
    -draw "line $(($pl + 12)),$(($ptop + 26)) $(($pr - 14)),$(($ptop + 26))" \
    -stroke none -fill '#202020' -draw "rectangle $(($pl - 6)),$(($slot - 2)) $(($pr + 6)),$(($slot + 2))" \
    -fill '#3ddc4a' -draw "circle $ledx,$ledy $(($ledx + $ledr)),$ledy" \
    -fill "$lettering" -font Helvetica-Bold -pointsize "$fs" -annotate "+$tx+$ty" "$caption"
}

printer qlx600.png 200 165 '#3a3f45' '#555c64' '#f0f0f0' QLX600
printer qlx500.png 249 200 '#d9dde2' '#eef0f2' '#3a3f45' QLX500
