#!/usr/bin/env bash
# Rewrites the bitmap fixtures from the PPM pictures beside them with
# ImageMagick, one file per header version and encoding that common tools
# write. The tests compare each decoded bitmap with its source picture; they
# do not need ImageMagick themselves.
#   full.ppm   35 colours
#   hi555.ppm, hi565.ppm  channel values that survive ImageMagick's rounding
#              down to 5 (or 6 for green) bits and our scaling back to 8
#   pal20.ppm  20 colours, pal6.ppm 6 colours, mono.ppm 2 colours (9 wide)
set -euo pipefail
cd "$(dirname "$0")"

convert full.ppm BMP3:info_24.bmp
convert full.ppm BMP2:core_24.bmp
convert full.ppm -alpha set BMP:v5_32_bitfields.bmp
convert hi565.ppm -define bmp:subtype=RGB565 BMP:v5_16_565.bmp
convert hi555.ppm -define bmp:subtype=RGB555 BMP:v5_16_555.bmp
convert pal20.ppm -type palette -compress none BMP3:info_8.bmp
convert pal20.ppm -type palette -compress RLE BMP3:info_rle8.bmp
convert pal6.ppm -type palette BMP3:info_4.bmp
convert pal6.ppm -type palette BMP2:core_4.bmp
convert mono.ppm -type bilevel BMP3:info_1.bmp
