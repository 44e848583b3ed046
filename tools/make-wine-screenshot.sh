#!/usr/bin/env bash
# Remakes docs/editor-windows.png: the native Windows editor with a sample
# design, under Wine with its X11 driver on a virtual display (Xvfb).
# Needs build-windows/ from ./rivetbay test; installs Xvfb and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
windows="$here/build-windows"
[ -x "$windows/Rivetbay.exe" ] || { echo "Build the Windows stage first: ./rivetbay test" >&2; exit 1; }
missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A prefix of its own with Wine's X11 driver (the test prefix has none).
export WINEPREFIX="$windows/wineprefix-x11" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/.rivetbay-ready" ]; then
    wineboot -i
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$WINEPREFIX/.rivetbay-ready"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
cd "$work"
mkdir addon
printf '[Paths]\r\nVCF_Path=addon\r\nRBC_Path=.\r\n' > Rivetbay.ini
python3 "$here/tools/sample-car.py"
wine "$windows/rivetbay-cli.exe" export roadhog.rbc --vcf-dir addon >/dev/null
xvfb-run -a -s "-screen 0 800x600x24" sh -c "
    wine explorer /desktop=rivetbay,760x520 '$windows/Rivetbay.exe' roadhog.rbc &
    sleep 12
    import -window root '$work/desktop.png'
"
# The desktop's even background trimmed away leaves the window and its frame.
convert "$work/desktop.png" -crop 760x520+0+0 +repage -fuzz 2% -trim +repage \
    "$here/docs/editor-windows.png"
echo "wrote docs/editor-windows.png"
