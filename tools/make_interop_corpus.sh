#!/bin/sh
# Remakes tests/data/interop/: pictures and sounds written by programs other
# than ours, each beside what the same program decodes from it.
#
# Needs Debian's imagemagick (convert), sox and vorbis-tools (oggenc, oggdec),
# and perl. Not part of the build or of CI: the committed files are the
# corpus, and the tests compare the game's loaders with them. Run it by hand
# only to change the corpus, then commit the result.
#
#   tools/make_interop_corpus.sh [OUTPUT_DIR]   (default tests/data/interop)
#
# CONVERT names the convert program (default: convert).
#
# Pictures (7 x 5, so every row of 8, 16 and 24 bits needs padding):
#   NAME.bmp with NAME.ppm (or NAME.pam when the picture has alpha), written
#   by `convert NAME.bmp NAME.ppm`.
# Sounds:
#   NAME.wav with NAME.raw, written by `sox NAME.wav -t raw NAME.raw` (the
#   file's own encoding: unsigned 8-bit or signed 16-bit little-endian);
#   NAME.ogg with NAME.raw, written by `oggdec -R` (signed 16-bit
#   little-endian, channels interleaved).
set -eu

out=${1:-tests/data/interop}
convert=${CONVERT:-convert}
for tool in "$convert" sox oggenc oggdec perl; do
  command -v "$tool" >/dev/null 2>&1 || { echo "make_interop_corpus: $tool is missing" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- Pictures ---------------------------------------------------------------
# A pattern of 35 different colours (more than 16, so a palette file needs
# 8 bits), and the same with an alpha ramp.
"$convert" -size 7x5 xc: -sparse-color Bilinear '0,0 #ff2000 6,0 #10e030 0,4 #3010f0 6,4 #f0f020' \
  -depth 8 "$work/rgb.png"
"$convert" "$work/rgb.png" -alpha set -channel A -fx '(i+1)/8*(j+1)/5' +channel -depth 8 "$work/argb.png"
# A drawing in few colours (ImageMagick writes it with 4 bits per pixel).
"$convert" -size 7x5 xc:white -fill red -draw 'point 0,0' -fill blue -draw 'line 1,4 6,0' \
  -fill lime -draw 'rectangle 3,1 4,2' "$work/drawn.png"

picture() {  # NAME SOURCE FORMAT OPTION... : NAME.bmp from SOURCE
  name=$1 source=$2 format=$3
  shift 3
  "$convert" "$work/$source" "$@" "$format:$out/$name.bmp"
}
picture pal8 rgb.png BMP3 -type palette -compress none
picture pal8_rle rgb.png BMP3 -type palette -compress RLE
picture pal4 drawn.png BMP3 -type palette -compress none
picture rgb24 rgb.png BMP3 -type truecolor
picture rgb24_v5 rgb.png BMP -type truecolor -define bmp:format=bmp4
picture argb32_v5 argb.png BMP
picture argb32 argb.png BMP3 -define bmp3:alpha=true
picture rgb555 rgb.png BMP -type truecolor -define bmp:subtype=RGB555
picture rgb565 rgb.png BMP -type truecolor -define bmp:subtype=RGB565
# With the 40-byte header ImageMagick says "bit fields" but writes no masks:
# the pixels follow the header at once.
picture rgb555_bmp3 rgb.png BMP3 -type truecolor -define bmp:subtype=RGB555

# ImageMagick writes rows bottom-up only. The top-down files are its files
# with the rows in the other order and the height negated; ImageMagick then
# reads them back for the expected pixels like every other file.
top_down() {  # FROM TO
  perl -e '
    local $/; open(my $in, "<:raw", $ARGV[0]) or die; my $b = <$in>;
    my ($off) = unpack("V", substr($b, 10, 4));
    my ($w, $h, $planes, $bits) = unpack("l< l< v v", substr($b, 18, 12));
    my $row = int(($w * $bits + 31) / 32) * 4;
    my @rows = map { substr($b, $off + $_ * $row, $row) } 0 .. $h - 1;
    substr($b, 22, 4) = pack("l<", -$h);
    substr($b, $off, $row * $h) = join("", reverse @rows);
    open(my $o, ">:raw", $ARGV[1]) or die; print $o $b;' "$out/$1.bmp" "$out/$2.bmp"
}
top_down pal8 pal8_topdown
top_down rgb24 rgb24_topdown
top_down argb32 argb32_topdown

# And a plain 16-bit file (no bit fields: 1-5-5-5 by definition) is its
# maskless 5-5-5 file saying so.
perl -e '
  local $/; open(my $in, "<:raw", $ARGV[0]) or die; my $b = <$in>;
  substr($b, 30, 4) = pack("V", 0);
  open(my $o, ">:raw", $ARGV[1]) or die; print $o $b;' "$out/rgb555_bmp3.bmp" "$out/rgb555_plain.bmp"

for f in "$out"/*.bmp; do
  n=${f%.bmp}
  rm -f "$n.ppm" "$n.pam"
  if [ "$("$convert" "$f" -format '%A' info:)" = True ]; then
    "$convert" "$f" -depth 8 "$n.pam"
  else
    "$convert" "$f" -depth 8 "$n.ppm"
  fi
done

# --- WAV files --------------------------------------------------------------
# NAME RATE CHANNELS BITS [ENCODING]: 0.05 s of tones, one per channel. sox
# writes plain PCM files as "fmt " and "data" alone (its --comment does not
# reach a WAV file); a mu-law file also carries a "fact" chunk between them.
wav() {
  name=$1 rate=$2 channels=$3 bits=$4 encoding=${5:-}
  if [ "$channels" = 1 ]; then tones="sine 440"; else tones="sine 440 sine 660"; fi
  if [ -z "$encoding" ]; then
    encoding=signed
    [ "$bits" = 8 ] && encoding=unsigned
  fi
  # shellcheck disable=SC2086
  sox -D -V1 -n -r "$rate" -c "$channels" -b "$bits" -e "$encoding" "$out/$name.wav" synth 0.05 $tones gain -3
  sox -D -V1 "$out/$name.wav" -t raw "$out/$name.raw"
}
wav u8_mono_11025 11025 1 8
wav u8_stereo_22050 22050 2 8
wav s16_mono_32000 32000 1 16
wav s16_stereo_44100 44100 2 16
wav s16_stereo_48000 48000 2 16
wav mulaw_mono_8000 8000 1 8 mu-law

# --- Ogg Vorbis -------------------------------------------------------------
# NAME RATE CHANNELS QUALITY: 0.1 s of tones encoded by oggenc (fixed stream
# serial number, so a remake differs only where the encoder changed).
ogg() {
  name=$1 rate=$2 channels=$3 quality=$4
  if [ "$channels" = 1 ]; then tones="sine 330"; else tones="sine 330 sine 550"; fi
  # shellcheck disable=SC2086
  sox -D -V1 -n -r "$rate" -c "$channels" -b 16 "$work/$name.wav" synth 0.1 $tones gain -3
  oggenc -Q -s 1 -q "$quality" -o "$out/$name.ogg" "$work/$name.wav"
  oggdec -Q -R -o "$out/$name.raw" "$out/$name.ogg"
}
ogg q0_mono_22050 22050 1 0
ogg q3_mono_44100 44100 1 3
ogg q5_stereo_44100 44100 2 5
ogg q10_stereo_44100 44100 2 10

echo "corpus written to $out:"
du -sh "$out"
