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
python3 "$here/tools/sample-car.py"
"$build/rivetbay-cli" export roadhog.rbc --vcf-dir addon >/dev/null
"$build/rivetbay-screenshot" "$here/docs/editor.png" roadhog.rbc
"$build/rivetbay-screenshot" "$here/docs/about.png" --about
echo "wrote docs/editor.png and docs/about.png"
