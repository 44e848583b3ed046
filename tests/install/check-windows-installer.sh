#!/bin/sh
# Installs Rivetbay silently into a scratch Wine prefix, checks what the
# installer put where, starts the installed rivetbay-cli, removes Rivetbay
# silently and checks that exactly its files and keys are gone.
#   check-windows-installer.sh SETUP.exe VERSION WORK
set -eu
setup=$1 version=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
# Its own prefix, as a machine Rivetbay never saw; Wine's menu builder off,
# so that nothing reaches this machine's own menus and file types.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=C.UTF-8 \
       WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
wineboot -i >/dev/null 2>&1
wineserver -w

wine "$setup" /S || fail "the silent install exited with $?"
user=$(ls "$WINEPREFIX/drive_c/users" | grep -v -x -e Public | head -1)
home="$WINEPREFIX/drive_c/users/$user"
programs="$home/AppData/Local/Programs"
dir="$programs/Rivetbay"
listing=$(cd "$dir" && ls | sort | tr '\n' ' ')
expected="LICENSE.txt README.txt Rivetbay.exe Rivetbay.html Uninstall.exe guide.html rivetbay-cli.exe "
[ "$listing" = "$expected" ] || fail "installed files: $listing"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Rivetbay.lnk"
[ -f "$menu" ] || fail "no Start-menu shortcut"
[ -d "$home/Documents/Rivetbay" ] || fail "no folder for the settings"

query() { wine reg query "$1" ${2:+/v "$2"} ${3:-} 2>/dev/null | tr -d '\r'; }
query 'HKCU\Software\Classes\.rbc' '' /ve | grep -q 'Rivetbay.Car' || fail ".rbc is not a Rivetbay Car"
query 'HKCU\Software\Classes\Rivetbay.Car' '' /ve | grep -q 'Rivetbay Car' || fail "no type name"
query 'HKCU\Software\Classes\Rivetbay.Car\shell\open\command' '' /ve |
    grep -q -F '\Rivetbay\Rivetbay.exe" "%1"' || fail "open does not quote the file"
query 'HKCU\Software\Classes\Rivetbay.Car\DefaultIcon' '' /ve | grep -q 'Rivetbay.exe",0' ||
    fail "no icon for car files"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Rivetbay'
query "$key" DisplayVersion | grep -q "$version" || fail "no version under installed programs"
query "$key" Publisher | grep -q 'The Rivetbay developers' || fail "no publisher"
query "$key" EstimatedSize | grep -q 'REG_DWORD' || fail "no size"

wine "$dir/rivetbay-cli.exe" --version | tr -d '\r' | grep -q -x "rivetbay-cli $version" ||
    fail "the installed rivetbay-cli does not run"

# The player's own files, beside and inside what was installed, stay.
printf 'car' > "$programs/kept.rbc"
printf '[Paths]\r\n' > "$home/Documents/Rivetbay/Rivetbay.ini"
wine "$dir/Uninstall.exe" /S
wineserver -w # the uninstaller runs on from a copy of itself
[ ! -e "$dir" ] || fail "left behind: $(ls "$dir")"
[ ! -e "$menu" ] || fail "the shortcut is still there"
for gone in 'HKCU\Software\Classes\.rbc' 'HKCU\Software\Classes\Rivetbay.Car' "$key"; do
    if wine reg query "$gone" >/dev/null 2>&1; then fail "$gone is still there"; fi
done
[ -f "$programs/kept.rbc" ] || fail "a car file beside the install folder was removed"
[ -f "$home/Documents/Rivetbay/Rivetbay.ini" ] || fail "the settings were removed"
echo "installed, started and removed cleanly"
