#!/bin/sh
# Installs Rivetbay silently into a scratch Wine prefix as a player would
# where other programs live: into the game's own folder, over another
# program's .rbc file type, then again elsewhere. Checks that nothing of
# theirs changed (by sha256), that the file type's commands start in the
# installed settings and export into the game, and that the removal takes
# exactly what Rivetbay wrote and gives the file type back.
#   check-windows-installer.sh SETUP.exe VERSION WORK ANSWER-WINDOW.exe SAMPLE.vcf
set -eu
setup=$1 version=$2 work=$3 answer=$4 sample=$5
# A run ended from outside (a timeout) may have left its server and programs.
WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
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
# Windows without a display: the null driver, as the other Windows tests run.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
# A program that crashes ends at once rather than waiting in the debugger.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null
query() { wine reg query "$1" ${2:+/v "$2"} ${3:-} 2>/dev/null | tr -d '\r'; }
value() { query "$1" "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
default() { query "$1" '' /ve | sed -n 's/^ *(Default) *REG_[A-Z_]* *//p'; }
sums() { (cd "$1" && find . -type f | sort | xargs -d '\n' sha256sum); }

drive="$WINEPREFIX/drive_c"
user=$(ls "$drive/users" | grep -v -x -e Public | head -1)
home="$drive/users/$user"
docs="$home/Documents/Rivetbay"

# The game's folder, with files of its own of the names an installer ships.
game="$drive/Games/Nitro"
mkdir -p "$game/addon"
for name in README.txt LICENSE.txt Uninstall.exe nitro.exe; do echo "the game's $name" > "$game/$name"; done
sums "$game" > "$work/game.before"
# Ruby's .rbc, with a program of its own to open it.
wine reg add 'HKCU\Software\Classes\.rbc' /ve /d RubyBytecode /f >/dev/null
wine reg add 'HKCU\Software\Classes\.rbc\OpenWithProgids' /v Ruby.Bytecode /d '' /f >/dev/null

# As a player installs it, page by page, choosing the game's folder: the
# last page says where Rivetbay went.
wine "$setup" '/D=C:\Games\Nitro' &
finish=$(wine "$answer" --through 'Click Finish' "Rivetbay $version Setup" | tr -d '\r') ||
    fail "the installer's pages did not lead to its last"
wait $! || fail "the install exited with $?"
case "$finish" in *"Rivetbay $version"' has been installed in C:\Games\Nitro\Rivetbay.'*'C:\Games\Nitro holds other files, so Rivetbay has a folder of its own inside it.'*) ;;
    *) fail "the last page said: $finish" ;; esac
dir="$game/Rivetbay"
listing=$(cd "$dir" && ls | sort | tr '\n' ' ')
expected="Rivetbay-LICENSE.txt Rivetbay-README.txt Rivetbay-guide.html Rivetbay.exe Rivetbay.html Uninstall-Rivetbay.exe rivetbay-cli.exe "
[ "$listing" = "$expected" ] || fail "installed files: $listing"
sums "$game" | grep -v ' ./Rivetbay/' > "$work/game.during"
cmp -s "$work/game.before" "$work/game.during" || fail "the game's files changed: $(diff "$work/game.before" "$work/game.during")"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Rivetbay.lnk"
[ -f "$menu" ] || fail "no Start-menu shortcut"
# It starts the editor in the settings' folder (the link's working folder is text of its own).
tr -d '\000' < "$menu" | grep -q -F "users\\$user\\Documents\\Rivetbay" ||
    fail "the shortcut does not start in Documents\\Rivetbay: $(tr -d '\000' < "$menu" | tr -c '[:print:]' ' ')"
[ -d "$docs" ] || fail "no folder for the settings"

classes='HKCU\Software\Classes'
[ "$(default "$classes\\.rbc")" = Rivetbay.Car ] || fail ".rbc is not a Rivetbay Car"
[ "$(value "$classes\\.rbc" Rivetbay.PreviousOwner)" = RubyBytecode ] || fail "Ruby's type was not kept"
query "$classes\\.rbc\\OpenWithProgids" | grep -q Rivetbay.Car || fail "Rivetbay is not among the programs that open .rbc"
[ "$(default "$classes\\Rivetbay.Car")" = 'Rivetbay Car' ] || fail "no type name"
[ "$(default "$classes\\Rivetbay.Car\\shell")" = open ] || fail "a double click does not open"
[ "$(default "$classes\\Rivetbay.Car\\shell\\export")" = "Export to I'76 Nitro" ] || fail "no export verb"
open=$(default "$classes\\Rivetbay.Car\\shell\\open\\command")
case "$open" in *'\Rivetbay\Rivetbay.exe" --settings-in "'*'\Documents\Rivetbay" "%1"') ;; *) fail "open: $open" ;; esac
default "$classes\\Rivetbay.Car\\DefaultIcon" | grep -q 'Rivetbay.exe",0' || fail "no icon for car files"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Rivetbay'
query "$key" DisplayVersion | grep -q "$version" || fail "no version under installed programs"
query "$key" Publisher | grep -q 'The Rivetbay developers' || fail "no publisher"
query "$key" EstimatedSize | grep -q 'REG_DWORD' || fail "no size"
wine "$dir/rivetbay-cli.exe" --version | tr -d '\r' | grep -q -x "rivetbay-cli $version" ||
    fail "the installed rivetbay-cli does not run"

# A car in a folder of its own, opened and exported as Explorer runs the
# commands: in the car's folder, with the car's full name for %1.
cars="$drive/Cars"
mkdir -p "$cars"
cp "$sample" "$cars/stock.vcf"
(cd "$cars" && wine "$dir/rivetbay-cli.exe" import stock.vcf Piranha.rbc >/dev/null) || fail "no car to open"
# The registry's command for VERB, its words as Explorer passes them.
run() {
    command=$(default "$classes\\Rivetbay.Car\\shell\\$1\\command")
    folder=$(printf '%s' "$command" | sed -n 's/.*--settings-in "\([^"]*\)".*/\1/p')
    case "$command" in *' --export "%1"') verb=--export ;; *) verb= ;; esac
    (cd "$cars" && timeout 120 wine "$dir/Rivetbay.exe" --settings-in "$folder" $verb 'C:\Cars\Piranha.rbc') &
}
printf '[Paths]\r\nVCF_Path=C:\\Games\\Nitro\\addon\r\n' > "$docs/Rivetbay.ini"
run open
wine "$answer" "  Vexillo's Rivetbay  1.9" >/dev/null || fail "the editor did not open the car"
wait $! || fail "the editor did not end"
grep -q RBC_Path "$docs/Rivetbay.ini" || fail "the editor did not start in the installed settings"
run export
said=$(wine "$answer" "Rivetbay" | tr -d '\r') || fail "the export showed no box"
wait $! || fail "the export failed: $said"
case "$said" in *'is in the game now, as v'*'.vcf in C:\Games\Nitro\addon.'*) ;; *) fail "the export said: $said" ;; esac
ls "$game/addon"/*.vcf >/dev/null 2>&1 || fail "no vehicle file in the game's folder"
[ ! -e "$cars/Rivetbay.ini" ] || fail "a settings file was left beside the car"

# Installed again elsewhere: the first copy goes, and nothing stays listed nowhere.
wine "$setup" /S '/D=C:\Other' || fail "the second install exited with $?"
[ ! -e "$dir" ] || fail "the first copy stayed: $(ls "$dir")"
[ -f "$drive/Other/Rivetbay.exe" ] || fail "the second copy is not in C:\\Other"
value "$key" InstallLocation | grep -q -x 'C:\\Other' || fail "installed programs do not list C:\\Other"

# Installed again for everyone, into a folder /D names: the player's copy
# goes too, so that it neither stays listed nor keeps owning .rbc.
wine "$setup" /S /AllUsers '/D=C:\Tools\RB' || fail "the install for everyone exited with $?"
[ -f "$drive/Tools/RB/Rivetbay.exe" ] || fail "/D was not followed for everyone: $(ls "$drive/Tools" 2>&1)"
[ ! -e "$drive/Other" ] || fail "the player's copy stayed: $(ls "$drive/Other")"
if wine reg query "$key" >/dev/null 2>&1; then fail "the player's copy is still listed"; fi
if wine reg query "$classes\\Rivetbay.Car" >/dev/null 2>&1; then fail "the player's copy still owns .rbc"; fi
machine='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Rivetbay'
value "$machine" InstallLocation | grep -q -x 'C:\\Tools\\RB' || fail "installed programs do not list C:\\Tools\\RB"
# Back to the player's mode: the copy for everyone goes in turn.
wine "$setup" /S '/D=C:\Other' || fail "the install back for the player exited with $?"
[ ! -e "$drive/Tools/RB" ] || fail "the copy for everyone stayed: $(ls "$drive/Tools/RB")"
if wine reg query "$machine" >/dev/null 2>&1; then fail "the copy for everyone is still listed"; fi
if wine reg query 'HKLM\Software\Classes\Rivetbay.Car' >/dev/null 2>&1; then fail "the copy for everyone still owns .rbc"; fi

# The player's own files, beside and inside what was installed, stay, even
# when the record of what was installed is edited to reach them or the game.
printf 'car' > "$drive/Other/kept.rbc"
record=$(value "$key" InstalledFiles)
wine reg add "$key" /v InstalledFiles /f \
    /d "..\\Games\\Nitro\\nitro.exe|*.rbc|..\\..\\Games\\Nitro\\README.txt|$record" >/dev/null
wine "$drive/Other/Uninstall-Rivetbay.exe" /S
wineserver -w # the uninstaller runs on from a copy of itself
[ "$(ls "$drive/Other")" = kept.rbc ] || fail "left behind or taken: $(ls "$drive/Other")"
[ ! -e "$menu" ] || fail "the shortcut is still there"
for gone in "$classes\\Rivetbay.Car" "$key"; do
    if wine reg query "$gone" >/dev/null 2>&1; then fail "$gone is still there"; fi
done
[ "$(default "$classes\\.rbc")" = RubyBytecode ] || fail ".rbc was not given back to Ruby"
query "$classes\\.rbc" | grep -q PreviousOwner && fail "the kept owner is still written"
query "$classes\\.rbc\\OpenWithProgids" | grep -q Ruby.Bytecode || fail "Ruby's program was removed"
query "$classes\\.rbc\\OpenWithProgids" | grep -q Rivetbay.Car && fail "Rivetbay still opens .rbc"
sums "$game" | grep -v ' ./addon/' > "$work/game.after"
grep -v ' ./addon/' "$work/game.before" | cmp -s - "$work/game.after" || fail "the game's files changed"
[ -f "$docs/Rivetbay.ini" ] || fail "the settings were removed"
echo "installed beside the game, opened, exported, installed again and removed cleanly"
