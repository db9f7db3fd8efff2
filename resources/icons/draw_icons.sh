#!/bin/sh
# Draws the program icon as PNG in the hicolor sizes from the shapes of q6config.svg (scaled to each
# size), so that the build needs no SVG renderer. Needs ImageMagick 6 ("convert"). Writes
# hicolor/<size>x<size>/apps/q6config.png next to this script, and ../q6config.png (64 px, the
# window icon).
set -eu
cd "$(dirname "$0")"

draw() {
  size=$1 out=$2
  s() { awk -v a="$1" -v z="$size" 'BEGIN { printf "%.2f", a * z / 256 }'; }
  mkdir -p "$(dirname "$out")"
  convert -size "${size}x${size}" xc:none \
    -fill white -stroke '#8a8a8a' -strokewidth "$(s 4)" \
    -draw "rectangle $(s 72),$(s 14) $(s 184),$(s 118)" -stroke none \
    -fill '#9a9a9a' -draw "rectangle $(s 90),$(s 36) $(s 166),$(s 44)" \
    -draw "rectangle $(s 90),$(s 56) $(s 146),$(s 64)" \
    -draw "rectangle $(s 90),$(s 76) $(s 158),$(s 84)" \
    -fill '#2a5ca8' -draw "roundrectangle $(s 16),$(s 96) $(s 240),$(s 236) $(s 20),$(s 20)" \
    -fill '#333333' -draw "roundrectangle $(s 16),$(s 170) $(s 240),$(s 236) $(s 20),$(s 20)" \
    -draw "rectangle $(s 16),$(s 170) $(s 240),$(s 194)" \
    -fill '#10284f' -draw "rectangle $(s 56),$(s 112) $(s 200),$(s 128)" \
    -fill '#5fd35f' -draw "circle $(s 204),$(s 148) $(s 214),$(s 148)" \
    -strip -define png:exclude-chunks=date,time "PNG32:$out"
}

for size in 16 22 24 32 48 64 128 256; do
  draw "$size" "hicolor/${size}x${size}/apps/q6config.png"
done
draw 64 ../q6config.png
