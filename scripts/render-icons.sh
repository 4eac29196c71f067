#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/tolvane-enviro-scripter.svg) into the PNG sizes the
# desktop menus and the window use; the PNGs are committed, so only a changed drawing needs this.
# Needs rsvg-convert (Debian package librsvg2-bin) and, for the Windows icon, ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
svg=packaging/icons/tolvane-enviro-scripter.svg
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "packaging/icons/tolvane-enviro-scripter-$size.png"
done
# The Windows icon (the programs' files, the Start menu, the installer): every size in one file.
convert packaging/icons/tolvane-enviro-scripter-{16,24,32,48,64,128,256}.png packaging/icons/tolvane-enviro-scripter.ico
# The window's own icon, built into the program.
cp packaging/icons/tolvane-enviro-scripter-16.png src/ui/icons/tree-16.png
cp packaging/icons/tolvane-enviro-scripter-32.png src/ui/icons/tree-32.png
cp "$svg" src/ui/icons/tree.svg
