#!/usr/bin/env bash
# Remakes docs/editor.png (the editor with a sample design) and docs/about.png, offscreen.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
cmake --build "$build" --target rivetbay-screenshot rivetbay-cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir addon
printf '[Paths]\r\nVCF_Path=addon\r\n' > Rivetbay.ini
# A Phaedra Clydesdale named "Road Hog", written as a car file byte by byte.
python3 - <<'PY'
import struct
name = b"Road Hog"
fields = [24, 4, 3, 3, 3, 4, 6, 0, 0, 8, 17, 15, 0, 2, 0, 3, 5, 11, 1, 1,
          0, 85, 70, 80, 75, 80, 80, 85, 85]
open("roadhog.rbc", "wb").write(bytes([len(name)]) + name + struct.pack("<29i", *fields))
PY
"$build/rivetbay-cli" export roadhog.rbc --vcf-dir addon >/dev/null
"$build/rivetbay-screenshot" "$here/docs/editor.png" roadhog.rbc
"$build/rivetbay-screenshot" "$here/docs/about.png" --about
echo "wrote docs/editor.png and docs/about.png"
