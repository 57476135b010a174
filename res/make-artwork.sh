#!/usr/bin/env bash
# Draws Velunor's built-in artwork from the vector sources below. The outputs are committed, so this only
# needs running after a change here; the same tool versions give byte-identical files.
#
#   res/background.jpg   1024x768 break-screen background
#   res/animation.png    250x660 strip of four 250x165 frames (PNG32): an open eye whose
#                        halo and catchlights gently pulse
#   res/velunor.svg      the program icon, and velunor.png (128), icon-64.png, icon-256.png from it
#   res/velunor.ico      the Windows program's icon: 16, 20, 24, 32, 40, 48, 64 and 256 px, so that
#                        the tray (16 px at 100 % scaling, 20 at 125, 24 at 150, 32 at 200) and
#                        the title bars find their own size at every scaling, unblurred
#
# Usage: res/make-artwork.sh [--preview FILE]   (FILE: background, frame 0 and a sample clock together)
# Needs rsvg-convert (librsvg2-bin), ImageMagick, and for the preview the WenQuanYi Zen Hei font.
set -euo pipefail

res=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
preview=
if [[ ${1:-} == --preview ]]; then
    preview=${2:?--preview needs a file name}
fi
for tool in rsvg-convert convert awk; do
    command -v "$tool" >/dev/null || { echo "make-artwork: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The clock (bold, 35 px, RGB 51,102,204) is drawn at about x 420..620, y 370..410 and the animation at
# (160, 230): the sky is kept plain and pale there, warm near the horizon, so the blue reads clearly.
# Hills stay below y 430 everywhere left of the sun.
background_svg() {
    cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="1024" height="768" viewBox="0 0 1024 768">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#78aedd"/>
      <stop offset="0.30" stop-color="#b3d3ec"/>
      <stop offset="0.52" stop-color="#f3ead9"/>
      <stop offset="0.68" stop-color="#fcdcb6"/>
      <stop offset="1" stop-color="#f8cfa5"/>
    </linearGradient>
    <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0" stop-color="#fff6dc" stop-opacity="0.95"/>
      <stop offset="0.25" stop-color="#fff0cc" stop-opacity="0.6"/>
      <stop offset="1" stop-color="#ffe8c0" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="far" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#a9c6b4"/>
      <stop offset="1" stop-color="#c8d9c2"/>
    </linearGradient>
    <linearGradient id="mid" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#8dbd86"/>
      <stop offset="1" stop-color="#a6c98f"/>
    </linearGradient>
    <linearGradient id="near" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#6fa866"/>
      <stop offset="1" stop-color="#5d9657"/>
    </linearGradient>
    <linearGradient id="front" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#57924f"/>
      <stop offset="1" stop-color="#3f7a3d"/>
    </linearGradient>
    <filter id="soft" x="-20%" y="-50%" width="140%" height="200%">
      <feGaussianBlur stdDeviation="9"/>
    </filter>
    <filter id="haze" x="-5%" y="-20%" width="110%" height="140%">
      <feGaussianBlur stdDeviation="1.2"/>
    </filter>
  </defs>
  <rect width="1024" height="768" fill="url(#sky)"/>
  <!-- clouds: soft and thin, kept high so that the animation and the clock stay on plain sky -->
  <g fill="#ffffff" filter="url(#soft)">
    <g opacity="0.55">
      <ellipse cx="170" cy="105" rx="110" ry="20"/>
      <ellipse cx="215" cy="92" rx="60" ry="22"/>
      <ellipse cx="130" cy="98" rx="50" ry="16"/>
    </g>
    <g opacity="0.45">
      <ellipse cx="640" cy="150" rx="130" ry="18"/>
      <ellipse cx="690" cy="138" rx="70" ry="20"/>
    </g>
    <g opacity="0.5">
      <ellipse cx="905" cy="70" rx="95" ry="17"/>
      <ellipse cx="880" cy="60" rx="45" ry="16"/>
    </g>
  </g>
  <!-- the sun, low over the far hills on the right -->
  <circle cx="820" cy="452" r="150" fill="url(#glow)"/>
  <circle cx="820" cy="452" r="38" fill="#fff8e4"/>
  <!-- hills, paler with distance -->
  <path filter="url(#haze)" fill="url(#far)" d="M0,470 C90,440 170,448 260,468 C360,490 430,478 520,462 C610,446 680,430 760,440 C850,452 930,420 1024,432 L1024,768 L0,768 Z"/>
  <path fill="url(#mid)" d="M0,540 C110,505 220,512 330,536 C430,558 520,530 610,508 C700,488 790,500 880,522 C940,536 990,528 1024,520 L1024,768 L0,768 Z"/>
  <!-- two trees on the middle hills -->
  <g>
    <rect x="896" y="500" width="6" height="26" fill="#6b5a45"/>
    <ellipse cx="899" cy="492" rx="19" ry="23" fill="#5f9a58"/>
    <ellipse cx="893" cy="486" rx="10" ry="12" fill="#6fab66"/>
    <rect x="936" y="512" width="4" height="16" fill="#6b5a45"/>
    <ellipse cx="938" cy="507" rx="12" ry="14" fill="#64a05c"/>
  </g>
  <path fill="url(#near)" d="M0,612 C120,585 250,570 380,596 C500,620 600,640 720,610 C820,585 930,580 1024,598 L1024,768 L0,768 Z"/>
  <path fill="url(#front)" d="M0,700 C150,668 300,664 450,684 C600,704 760,690 880,668 C950,656 1000,660 1024,664 L1024,768 L0,768 Z"/>
</svg>
EOF
}

# One frame of the animation: the same open eye every time, only its glow breathing. PULSE runs from 0
# (at rest) to 1 (fullest): the halo grows by 4 % and brightens, the catchlights in the iris swell a
# little and brighten. The changes are kept small so that the loop reads as calm shimmer, not motion.
eye_frame_svg() {
    local pulse=$1
    awk -v p="$pulse" '
    function bez(p0, p1, p2, p3, t) { return (1-t)^3*p0 + 3*(1-t)^2*t*p1 + 3*(1-t)*t^2*p2 + t^3*p3 }
    function dbez(p0, p1, p2, p3, t) { return 3*(1-t)^2*(p1-p0) + 6*(1-t)*t*(p2-p1) + 3*t^2*(p3-p2) }
    # one lash at t along the lid curve, standing up and leaning away from the middle of the eye
    function lash(t, len, lean,   x, y, dx, dy, n, nx, ny, ex, ey) {
        x = bez(lx, c1x, c2x, rx, t); y = bez(ly, c, c, ry, t)
        dx = dbez(lx, c1x, c2x, rx, t); dy = dbez(ly, c, c, ry, t)
        n = sqrt(dx*dx + dy*dy); dx /= n; dy /= n
        nx = dy; ny = -dx
        ex = x + len * (nx + lean * dx); ey = y + len * (ny + lean * dy)
        printf "<path d=\"M%.1f,%.1f Q%.1f,%.1f %.1f,%.1f\"/>\n", x, y, \
            x + len * nx * 0.6, y + len * ny * 0.6, ex, ey
    }
    BEGIN {
        # eye corners, the lid control points (x, and y of the upper lid), and the lower lid control points y
        lx = 38; ly = 90; rx = 212; ry = 90; c1x = 82; c2x = 168; c = 20; low = 140
        upper = sprintf("M%d,%d C%d,%.1f %d,%.1f %d,%d", lx, ly, c1x, c, c2x, c, rx, ry)
        almond = sprintf("%s C%d,%d %d,%d %d,%d Z", upper, c2x, low, c1x, low, lx, ly)
        print "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"250\" height=\"165\" viewBox=\"0 0 250 165\">"
        print "<defs>"
        print "<radialGradient id=\"white\" cx=\"0.5\" cy=\"0.45\" r=\"0.6\"><stop offset=\"0.55\" stop-color=\"#ffffff\"/><stop offset=\"1\" stop-color=\"#dde7ee\"/></radialGradient>"
        print "<radialGradient id=\"iris\" cx=\"0.45\" cy=\"0.4\" r=\"0.6\"><stop offset=\"0\" stop-color=\"#7fd3b4\"/><stop offset=\"0.55\" stop-color=\"#2f9a80\"/><stop offset=\"1\" stop-color=\"#1b6354\"/></radialGradient>"
        print "<filter id=\"blur\" x=\"-30%\" y=\"-40%\" width=\"160%\" height=\"180%\"><feGaussianBlur stdDeviation=\"9\"/></filter>"
        printf "<clipPath id=\"open\"><path d=\"%s\"/></clipPath>\n", almond
        print "</defs>"
        # a soft light halo, so the eye sits in the sky instead of looking cut out and pasted on; at its
        # fullest it still ends well inside the frame, whose edges stay fully transparent
        printf "<ellipse cx=\"125\" cy=\"86\" rx=\"%g\" ry=\"%g\" fill=\"#ffffff\" opacity=\"%g\" filter=\"url(#blur)\"/>\n", \
            96 + 4 * p, 50 + 2 * p, 0.5 + 0.16 * p
        printf "<path d=\"%s\" fill=\"url(#white)\"/>\n", almond
        print "<g clip-path=\"url(#open)\">"
        print "<circle cx=\"125\" cy=\"88\" r=\"35\" fill=\"url(#iris)\" stroke=\"#17544a\" stroke-width=\"2.5\"/>"
        print "<circle cx=\"125\" cy=\"88\" r=\"14\" fill=\"#1b242c\"/>"
        printf "<circle cx=\"137\" cy=\"75\" r=\"%g\" fill=\"#ffffff\" opacity=\"%g\"/>\n", 8 + 0.8 * p, 0.95 + 0.05 * p
        printf "<circle cx=\"113\" cy=\"101\" r=\"%g\" fill=\"#ffffff\" opacity=\"%g\"/>\n", 3.5 + 0.6 * p, 0.8 + 0.2 * p
        # a shadow under the upper lid gives the eyeball roundness
        printf "<path d=\"%s\" fill=\"none\" stroke=\"#8aa0ae\" stroke-opacity=\"0.35\" stroke-width=\"10\"/>\n", upper
        print "</g>"
        printf "<path d=\"%s\" fill=\"none\" stroke=\"#3a4652\" stroke-width=\"4\" stroke-linejoin=\"round\"/>\n", almond
        printf "<path d=\"%s\" fill=\"none\" stroke=\"#3a4652\" stroke-width=\"6.5\" stroke-linecap=\"round\"/>\n", upper
        print "<g fill=\"none\" stroke=\"#3a4652\" stroke-width=\"4.5\" stroke-linecap=\"round\">"
        lash(0.22, 15, -0.45); lash(0.5, 16, 0); lash(0.78, 15, 0.45)
        print "</g>"
        print "</svg>"
    }'
}

# Plain SVG Tiny (no clipping, no filters) so that Qt's own SVG renderer draws it as rsvg does.
icon_svg() {
    cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0.35" y2="1">
      <stop offset="0" stop-color="#7fd09a"/>
      <stop offset="1" stop-color="#2e8a6a"/>
    </linearGradient>
    <radialGradient id="iris" cx="0.42" cy="0.38" r="0.65">
      <stop offset="0" stop-color="#6fb6f0"/>
      <stop offset="0.6" stop-color="#3366cc"/>
      <stop offset="1" stop-color="#22448f"/>
    </radialGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="56" fill="url(#tile)"/>
  <path d="M30,132 C74,62 182,62 226,132 C182,196 74,196 30,132 Z" fill="#ffffff"/>
  <circle cx="128" cy="128" r="46" fill="url(#iris)"/>
  <circle cx="128" cy="128" r="20" fill="#16202a"/>
  <circle cx="144" cy="110" r="11" fill="#ffffff"/>
  <path d="M30,132 C74,62 182,62 226,132 C182,196 74,196 30,132 Z" fill="none" stroke="#1f4f44" stroke-width="10" stroke-linejoin="round"/>
</svg>
EOF
}

background_svg >"$work/background.svg"
rsvg-convert "$work/background.svg" -o "$work/background.png"
convert "$work/background.png" -strip -sampling-factor 4:2:0 -quality 92 "$res/background.jpg"

frames=()
i=0
# The loop runs at 10 frames a second, 0.4 s round: rest, swelling, fullest, easing back (the same
# picture as swelling), so that the glow rises and falls without a jump where the loop starts again.
for pulse in 0 0.5 1 0.5; do
    eye_frame_svg "$pulse" >"$work/frame$i.svg"
    rsvg-convert "$work/frame$i.svg" -o "$work/frame$i.png"
    frames+=("$work/frame$i.png")
    i=$((i + 1))
done
convert "${frames[@]}" -background none -append -strip -define png:color-type=6 PNG32:"$res/animation.png"

# -strip everywhere: ImageMagick would otherwise stamp the time into each file.
icon_svg >"$res/velunor.svg"
ico_images=()
for size in 16 20 24 32 40 48 64 256 128; do
    rsvg-convert -w "$size" -h "$size" "$res/velunor.svg" -o "$work/icon-$size.png"
    convert "$work/icon-$size.png" -strip PNG32:"$work/icon-$size.out.png"
    ((size == 128)) || ico_images+=("$work/icon-$size.out.png")
done
convert "${ico_images[@]}" -strip "$res/velunor.ico"
mv "$work/icon-64.out.png" "$res/icon-64.png"
mv "$work/icon-256.out.png" "$res/icon-256.png"
mv "$work/icon-128.out.png" "$res/velunor.png"

if [[ -n $preview ]]; then
    convert "$res/background.jpg" "${frames[0]}" -geometry +160+230 -composite \
        -font WenQuanYi-Zen-Hei -pointsize 35 -fill 'rgb(51,102,204)' -stroke 'rgb(51,102,204)' \
        -strokewidth 1 -gravity NorthWest -annotate +420+370 '00:01:00' -strip "$preview"
fi
