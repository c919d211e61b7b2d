#!/usr/bin/env bash
# Regenerates every image in this folder: the program icon (PNG at every size
# the desktops ask for, SVG and .ico), the picture shown in the quit
# confirmation, the web site's icons and the Windows installer's pictures.
# Needs ImageMagick 6 or 7, rsvg-convert (librsvg2-bin) and the Liberation Sans
# font (fonts-liberation2).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here"
mkdir -p icons
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if command -v magick >/dev/null 2>&1; then im=(magick); else im=(convert); fi
font=Liberation-Sans-Bold
# PNG otherwise stores creation dates, which would make every run differ.
png_opts=(-strip -define 'png:exclude-chunks=date,time')

# Icon colours, shared by both sizes.
ground='#FFD38E' edge='#D9781A' ink='#1B1B3A' answer='#B01E00'

# The icon is one design: a division laid out as in the exercise book, 75 : 8
# with the quotient 9 and the remainder 3 in red, and the name underneath.
# calcaro.svg draws it for any size; at 32 pixels and below the strokes of the
# font would blur, so those sizes are drawn pixel by pixel from the same layout
# (without the name below 32). The 32 and 48 pixel images are the ones the
# program shows and the Windows icon holds.

# Pixel-drawn sizes: "o" edge, "#" ink, "r" quotient and remainder, "." ground.
xpm_icon() { # size name, rows on standard input
  {
    echo '/* XPM */'
    echo 'static char *icon[] = {'
    echo '"'"$1 $1"' 4 1", ". c '"$ground"'", "o c '"$edge"'", "# c '"$ink"'", "r c '"$answer"'",'
    sed 's/.*/"&",/'
    echo '};'
  } > "$tmp/$2.xpm"
  "${im[@]}" "$tmp/$2.xpm" "${png_opts[@]}" PNG24:"icons/$2.png"
}
xpm_icon 16 calcaro-16 <<'EOF'
oooooooooooooooo
o........#.....o
o###.###.#.###.o
o..#.#...#.#.#.o
o.#..##..#.###.o
o.#....#.#.#.#.o
o.#..##..#.###.o
o........#.....o
o........#####.o
o........#.....o
o....rrr.#.rrr.o
o......r.#.r.r.o
o.....rr.#.rrr.o
o......r.#...r.o
o....rrr.#.rrr.o
oooooooooooooooo
EOF
xpm_icon 24 calcaro-24 <<'EOF'
oooooooooooooooooooooooo
o......................o
o......................o
o............#.........o
o..####.####.#...##....o
o.....#.#....#..#..#...o
o....#..###..#..#..#...o
o....#.....#.#...##....o
o...#......#.#..#..#...o
o...#...#..#.#..#..#...o
o...#....##..#...##....o
o............#.........o
o............########..o
o............#.........o
o........rr..#...rr....o
o.......r..r.#..r..r...o
o..........r.#..r..r...o
o........rr..#...rrr...o
o..........r.#.....r...o
o.......r..r.#..r..r...o
o........rr..#...rr....o
o......................o
o......................o
oooooooooooooooooooooooo
EOF
xpm_icon 32 calcaro-32 <<'EOF'
oooooooooooooooooooooooooooooooo
o..............................o
o.######.######..#....####.....o
o.######.##......#...##..##....o
o.....##.##......#...##..##....o
o....##..#####...#....####.....o
o...##.......##..#...##..##....o
o...##.......##..#...##..##....o
o..##....##..##..#...##..##....o
o..##.....####...#....####.....o
o................#.............o
o................#############.o
o................#.............o
o.........rrrr...#....rrrr.....o
o........rr..rr..#...rr..rr....o
o............rr..#...rr..rr....o
o..........rrr...#...rr..rr....o
o............rr..#....rrrrr....o
o............rr..#.......rr....o
o........rr..rr..#...rr..rr....o
o.........rrrr...#....rrrr.....o
o................#.............o
o..............................o
o...###.....#..................o
o..#........#..................o
o..#....##..#..##.##..#.#..##..o
o..#......#.#.#.....#.##..#..#.o
o..#.....##.#.#....##.#...#..#.o
o..#....#.#.#.#...#.#.#...#..#.o
o...###..##.#..##..##.#....##..o
o..............................o
oooooooooooooooooooooooooooooooo
EOF
# At twice the size (QT_SCALE_FACTOR=2) the pixels are doubled, which keeps them sharp.
"${im[@]}" icons/calcaro-32.png -filter point -resize 200% "${png_opts[@]}" \
  PNG24:icons/calcaro-32@2x.png

# 48x48: big enough for the real font; positions are tuned so that glyph
# edges fall on whole pixels. The remainder sits under the units digit.
# Drawn again at twice the size for QT_SCALE_FACTOR=2 (Qt picks "@2x" itself).
icon48() { # scale out
  local n=$1 s=$((48 * $1)) border
  # A filled bar covering the pixels x0..x1, y0..y1 of the 48-pixel drawing.
  bar() { echo "rectangle $(($1 * n)),$(($2 * n)) $((($3 + 1) * n - 1)),$((($4 + 1) * n - 1))"; }
  if [ "$n" -eq 1 ]; then
    border=(-fill none -stroke "$edge" -draw 'rectangle 0,0 47,47' -stroke none)
  else
    border=(-fill "$edge" -draw "$(bar 0 0 47 47)" -fill "$ground" -draw "$(bar 1 1 46 46)")
  fi
  "${im[@]}" -size ${s}x${s} "xc:$ground" "${border[@]}" \
    -font "$font" -pointsize $((19 * n)) \
    -fill "$ink" -draw "text $((2 * n)),$((16 * n)) '75'" -draw "text $((32 * n)),$((16 * n)) '8'" \
    -fill "$answer" -draw "text $((32 * n)),$((36 * n)) '9'" -draw "text $((13 * n)),$((36 * n)) '3'" \
    -fill "$ink" -draw "$(bar 26 3 27 36)" -draw "$(bar 26 19 45 20)" \
    -pointsize $((11 * n)) -draw "text $((4 * n)),$((46 * n)) 'Calcaro'" \
    +dither -colors 256 "${png_opts[@]}" "PNG8:$2"
}
icon48 1 icons/calcaro-48.png
icon48 2 icons/calcaro-48@2x.png

# The scalable icon, on the 48-pixel grid of the image above, and the sizes
# software centres show, drawn from it.
cat > icons/calcaro.svg <<EOF
<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <rect x="0.5" y="0.5" width="47" height="47" fill="$ground" stroke="$edge"/>
  <g font-family="Liberation Sans, Arial, Helvetica, sans-serif" font-weight="bold" font-size="19">
    <text x="2" y="16" fill="$ink">75</text>
    <text x="32" y="16" fill="$ink">8</text>
    <text x="32" y="36" fill="$answer">9</text>
    <text x="13" y="36" fill="$answer">3</text>
    <text x="4" y="46" font-size="11" fill="$ink">Calcaro</text>
  </g>
  <path d="M26 3h2v34h-2z M26 19h20v2h-20z" fill="$ink"/>
</svg>
EOF
for size in 64 128 256; do
  rsvg-convert -w "$size" -h "$size" -o "$tmp/$size.png" icons/calcaro.svg
  "${im[@]}" "$tmp/$size.png" -background "$ground" -alpha remove "${png_opts[@]}" \
    PNG24:"icons/calcaro-$size.png"
done

# ImageMagick's own ICO writer stores any true-colour entry as 32-bit, but
# the resource script wants a 24-bit 32x32 next to the 8-bit 48x48, so the
# file is assembled here from uncompressed BMP bodies.
le16() { printf '%b' "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
# An icon entry is a BMP without its file header, with the height doubled to
# cover the 1-bit transparency mask that follows the pixels (all opaque).
ico_entry() { # bmp size out
  # Mask rows are padded to whole 32-bit words, hence the rounding division.
  # shellcheck disable=SC2017
  local bmp=$1 n=$2 out=$3 mask_row=$((($2 + 31) / 32 * 4))
  { head -c 22 "$bmp" | tail -c 8
    le32 $((2 * n))
    tail -c +27 "$bmp"
    head -c $((mask_row * n)) /dev/zero
  } > "$out"
}
"${im[@]}" icons/calcaro-32.png -type TrueColor -compress None BMP3:"$tmp/32.bmp"
"${im[@]}" icons/calcaro-48.png -type Palette -compress None BMP3:"$tmp/48.bmp"
ico_entry "$tmp/32.bmp" 32 "$tmp/32.dib"
ico_entry "$tmp/48.bmp" 48 "$tmp/48.dib"
s32=$(wc -c < "$tmp/32.dib") s48=$(wc -c < "$tmp/48.dib")
{ le16 0; le16 1; le16 2
  # width, height, palette size (0 = none or 256), reserved, planes, bits, bytes, offset
  printf '\x20\x20\x00\x00'; le16 1; le16 24; le32 "$s32"; le32 38
  printf '\x30\x30\x00\x00'; le16 1; le16 8;  le32 "$s48"; le32 $((38 + s32))
  cat "$tmp/32.dib" "$tmp/48.dib"
} > icons/calcaro.ico

# Quit picture: a pencil waving goodbye in a sunny landscape, with a few
# digits of a division floating in the sky.
rays=$(for _ in {1..12}; do echo 'rotate 30 polygon -7,-38 7,-38 0,-56'; done)
digit() { # text size x y angle colour, drawn over a white halo
  echo "push graphic-context font-size $2 translate $3,$4 rotate $5" \
       "fill white stroke white stroke-width 6 text 0,0 '$1'" \
       "fill '$6' stroke none text 0,0 '$1' pop graphic-context"
}
scene=$(cat <<EOF
push graphic-context translate 62,62 fill '#FFE066' stroke none $rays pop graphic-context
fill '#FFD43B' stroke '#F59F00' stroke-width 3 circle 62,62 62,94
fill '#5C3A00' stroke none circle 51,55 51,59 circle 73,55 73,59
fill none stroke '#5C3A00' stroke-width 3 stroke-linecap round path 'M 49,70 Q 62,82 75,70'
fill '#FF922B' fill-opacity 0.5 stroke none circle 44,68 44,73 circle 80,68 80,73 fill-opacity 1
fill white
circle 190,40 190,58 circle 210,32 210,54 circle 232,42 232,58 roundrectangle 176,40 246,58 9,9
circle 334,120 334,134 circle 350,112 350,130 circle 366,122 366,136 roundrectangle 324,120 376,136 8,8
fill '#8BD346' ellipse 330,300 190,110 0,360
fill '#5CB82E' ellipse 60,320 230,105 0,360
fill '#43A324' ellipse 260,345 260,95 0,360
fill '#FFF3D6' stroke '#8A5A2B' stroke-width 2 rectangle 298,176 346,214
fill '#E8453C' polygon 290,178 322,148 354,178
fill '#A0522D' rectangle 315,192 329,214
fill '#9AD7FF' rectangle 302,184 312,194 rectangle 333,184 343,194
fill '#8A5A2B' stroke none rectangle 381,178 389,212
fill '#2F9E44' circle 385,162 385,182 circle 373,172 373,186 circle 397,172 397,186
fill '#FF6B6B' circle 378,160 378,163 circle 392,168 392,171 circle 384,176 384,179
fill white circle 40,272 40,276 circle 96,290 96,294 circle 360,282 360,286 circle 300,262 300,266
fill '#FFD43B' circle 40,272 40,273 circle 96,290 96,291 circle 360,282 360,283 circle 300,262 300,263
font '$font'
$(digit 7 44 280 96 -14 '#FF5E5B')
$(digit ':' 48 314 62 0 '#7B4DFF')
$(digit 8 42 336 88 12 '#00A6A6')
$(digit '=' 44 262 150 8 '#FF9F1C')
$(digit 9 40 378 50 -10 '#E64980')
$(digit 3 38 98 152 -12 '#1C7ED6')
$(digit ÷ 40 20 178 10 '#F76707')
push graphic-context translate 178,152 rotate -7
  fill '#2B8A3E' fill-opacity 0.35 stroke none ellipse 6,124 30,6 0,360 fill-opacity 1
  stroke '#5C3A00' stroke-linecap round stroke-linejoin round
  fill none stroke-width 6 path 'M -30,8 Q -50,24 -54,44' path 'M 30,0 Q 54,-12 62,-44'
  stroke-width 3 fill '#FFC9A8' circle -55,48 -55,57 circle 63,-50 63,-40
  fill none stroke white path 'M 80,-66 Q 88,-52 82,-36' path 'M 90,-76 Q 102,-52 92,-30'
  stroke '#5C3A00' fill '#F5D3A0' polygon -32,60 32,60 0,122
  fill '#495057' polygon -9,106 9,106 0,122
  fill '#FFC72C' rectangle -32,-72 32,62
  fill '#FFB000' stroke none rectangle -30,-70 -12,60
  fill '#FFE08A' rectangle 12,-70 30,60
  stroke '#5C3A00' fill none rectangle -32,-72 32,62
  fill '#CED4DA' rectangle -33,-90 33,-72
  fill none line -33,-84 33,-84 line -33,-78 33,-78
  fill '#FF8FB1' path 'M -32,-90 L -32,-104 Q -32,-116 -20,-116 L 20,-116 Q 32,-116 32,-104 L 32,-90 Z'
  fill white stroke-width 2 ellipse -12,-34 9,11 0,360 ellipse 12,-34 9,11 0,360
  fill '#2B1A0A' stroke none circle -10,-31 -10,-26 circle 14,-31 14,-26
  fill white circle -8,-33 -8,-31 circle 16,-33 16,-31
  fill '#FF6B6B' fill-opacity 0.6 circle -22,-10 -22,-4 circle 22,-10 22,-4 fill-opacity 1
  fill '#C92A2A' stroke '#5C3A00' stroke-width 3 path 'M -14,-12 Q 0,10 14,-12 Z'
pop graphic-context
EOF
)
# Baseline JPEG in plain YCbCr, the most widely readable flavour; drawn again at twice the
# size for QT_SCALE_FACTOR=2.
"${im[@]}" -size 410x304 gradient:'#3FA9F5'-'#DDF4FF' -draw "$scene" -strip \
  -type TrueColor -interlace None -sampling-factor 2x2 -quality 92 quit-picture.jpg
"${im[@]}" -size 820x608 gradient:'#3FA9F5'-'#DDF4FF' -draw "scale 2,2 $scene" -strip \
  -type TrueColor -interlace None -sampling-factor 2x2 -quality 92 quit-picture@2x.jpg

# The installable web site's icons, under the names web/site.json gives them: the design at the
# two sizes a home screen asks for, and a maskable one, which a platform may cut to a circle or
# any rounded shape: the drawing keeps to the square inside the middle 80 % circle, on the
# icon's ground to the edges.
for size in 192 512; do
  rsvg-convert -w "$size" -h "$size" -o "$tmp/web-$size.png" icons/calcaro.svg
  "${im[@]}" "$tmp/web-$size.png" "${png_opts[@]}" PNG24:"icons/calcaro-web-$size.png"
done
rsvg-convert -w 288 -h 288 -o "$tmp/maskable.png" icons/calcaro.svg
"${im[@]}" -size 512x512 "xc:$ground" "$tmp/maskable.png" -gravity center -composite \
  "${png_opts[@]}" PNG24:icons/calcaro-maskable-512.png

# The Windows installer's pictures, in the BMP that NSIS shows: the welcome and finish pages'
# panel (164x314), the division of the icon over the game's name, above the quit picture; and the
# header's (150x57), the icon at the right of the white band.
rsvg-convert -w 128 -h 128 -o "$tmp/panel-icon.png" icons/calcaro.svg
"${im[@]}" -size 164x314 "xc:$ground" \
  "$tmp/panel-icon.png" -geometry +18+22 -composite \
  -font "$font" -pointsize 19 -fill "$ink" -gravity north -annotate +0+160 'Calcaro CM1' \
  -gravity northwest \( quit-picture.jpg -resize 164x \) -geometry +0+192 -composite \
  -fill none -stroke "$edge" -draw 'line 0,191 163,191' -stroke none \
  -type TrueColor -compress None BMP3:windows/installer-panel.bmp
rsvg-convert -w 48 -h 48 -o "$tmp/header-icon.png" icons/calcaro.svg
"${im[@]}" -size 150x57 xc:white "$tmp/header-icon.png" -geometry +96+4 -composite \
  -type TrueColor -compress None BMP3:windows/installer-header.bmp

echo "images written to $here"
