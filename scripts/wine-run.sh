#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine, in a prefix of the caller's choosing
# (WINEPREFIX; the current folder's "wineprefix" when unset), creating it on first use.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-$PWD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts: the program needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64
mkdir -p "$WINEPREFIX"
(
  flock 9
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    "$wine" wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
  # Wine's own stand-ins for the Windows fonts ("MS Sans Serif" with the metrics that the
  # window's layout is measured in); this Wine does not find them outside the prefix.
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [[ -d /usr/share/wine/fonts && ! -f $fonts/sserife.fon ]]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/"
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
