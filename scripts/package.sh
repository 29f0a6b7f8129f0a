#!/usr/bin/env bash
# Builds wumpex.exe for 64-bit and 32-bit Windows and packs each, without its symbols, with a
# short text for Windows users into dist/wumpex-<version>-<build>.zip; then builds the Linux
# program and packs it with its desktop entry and icon into dist/wumpex_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

version=$(sed -n 's/^project(Wumpex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
declare -A strip=([win64]=x86_64-w64-mingw32-strip [win32]=i686-w64-mingw32-strip)

# Windows users open it in Notepad: lines end in CR LF, added when it is packed.
readme=$(
  cat <<EOF
Wumpex! $version

Wumpex! sits in the notification area of the task bar and, at random
intervals, plays a WAV file picked at random from a folder you choose. It
keeps quiet while muted, or while the title of any window contains one of
your "Be Quiet" patterns.

wumpex-$version-win64.zip holds the program for 64-bit Windows,
wumpex-$version-win32.zip the one for 32-bit Windows, which also runs on
64-bit Windows.

Starting it
-----------
There is no installer. Put wumpex.exe in any folder and start it; it needs
no other files. It shows no window and no task-bar button, only its icon in
the notification area. At the first start it explains itself and asks for
the folder that holds your WAV files.

Double-click the icon for the settings window; right-click it for its menu
(settings, mute on and off, shutdown). Only one Wumpex! runs at a time.

To start it with Windows, put a shortcut to wumpex.exe in your Startup
folder: press Windows key + R, type shell:startup and press Enter.

Settings
--------
The settings are kept in WUMPEX.INI, written when you press OK or Apply in
the settings window. The file is in the Windows directory, usually
C:\\Windows\\WUMPEX.INI. When no file is there yet and the Windows directory
takes no new files (a standard user on current Windows), it is
%APPDATA%\\Wumpex!\\WUMPEX.INI instead. A file that exists stays where it is.

Ending it
---------
Right-click the icon and choose "Shutdown Wumpex!". To remove the program,
end it and delete wumpex.exe and WUMPEX.INI (and the Wumpex! folder in
%APPDATA%, if the file is there).
EOF
)

mkdir -p dist
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target wumpex
  staged="build/$preset/package/wumpex.exe"
  mkdir -p "$(dirname "$staged")"
  "${strip[$preset]}" -p -o "$staged" "build/$preset/app/wumpex.exe"
  # Written beside and moved into place, so that an interrupted run leaves no half zip.
  zip="dist/wumpex-$version-$preset.zip"
  README="$readme" python3 - "$staged" "$zip.new" <<'EOF'
import os, sys, time, zipfile
exe, target = sys.argv[1:]
stamp = time.localtime(os.path.getmtime(exe))[:6]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as archive:
    for name, data in (("wumpex.exe", open(exe, "rb").read()),
                       ("README.txt", (os.environ["README"] + "\n").replace("\n", "\r\n").encode("ascii"))):
        entry = zipfile.ZipInfo(name, stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        archive.writestr(entry, data)
EOF
  mv "$zip.new" "$zip"
done

for preset in win64 win32; do
  zip="dist/wumpex-$version-$preset.zip"
  echo "$zip: $(stat -c %s "$zip") bytes (wumpex.exe $(stat -c %s "build/$preset/package/wumpex.exe") bytes)"
done

cmake --preset linux >/dev/null
cmake --build --preset linux --target wumpex
(cd build/linux && cpack -B package >/dev/null)
deb="wumpex_${version}_$(dpkg --print-architecture).deb"
cp "build/linux/package/$deb" "dist/$deb.new"
mv "dist/$deb.new" "dist/$deb"
echo "dist/$deb: $(stat -c %s "dist/$deb") bytes (wumpex $(stat -c %s build/linux/app/wumpex) bytes before stripping)"
