#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and self-contained: usage wine-run.sh ROOT PROGRAM [ARGUMENTS...].
# ROOT (in the build folder) holds the Wine prefix and the HOME that Wine writes into; the prefix is made on the
# first run. The locale is Japanese so that code page 932 is the system's ANSI code page.
# HOPWICK_WINE_TIMEOUT (seconds, default 300) bounds the run. Programs get an X display only from
# HOPWICK_WINE_DISPLAY: a desktop process that Wine starts on a display stays, and would hold a test's output open.
set -euo pipefail

root=$1
shift
mkdir -p "$root"
root=$(cd "$root" && pwd)

unset LC_ALL
export LANG=ja_JP.UTF-8 LC_CTYPE=ja_JP.UTF-8
export WINEPREFIX="$root/prefix" HOME="$root/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
if [ -n "${HOPWICK_WINE_DISPLAY:-}" ]; then
    export DISPLAY="$HOPWICK_WINE_DISPLAY"
else
    unset DISPLAY
fi
mkdir -p "$HOME"

# Made once, under a lock, as parallel tests may all arrive at a new build folder together.
if [ ! -e "$root/prefix.ready" ]; then
    (
        flock 9
        if [ ! -e "$root/prefix.ready" ]; then
            rm -rf "$WINEPREFIX"
            timeout 300 wineboot -i >/dev/null 2>&1
            # Wine draws its own frames (no waiting on a window manager that is not there), and the MS Japanese
            # font names reach the IPA fonts.
            timeout 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            for face in "ＭＳ ゴシック:IPAGothic" "ＭＳ Ｐゴシック:IPAPGothic" "MS Gothic:IPAGothic" \
                "MS PGothic:IPAPGothic"; do
                timeout 120 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" \
                    /d "${face#*:}" /f >/dev/null 2>&1
            done
            timeout 60 wineserver -w
            touch "$root/prefix.ready"
        fi
    ) 9>"$root/prefix.lock"
fi

# A server and Wine's own background processes that outlive each program by a minute: without them every test
# would pay for starting Wine anew. They must not hold this run's output open (ctest would wait for them), so they
# start here with none. wineserver fails when a server runs already, and then so do they.
if wineserver -p60 </dev/null >/dev/null 2>&1; then
    timeout 120 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi

exec timeout --kill-after=10 "${HOPWICK_WINE_TIMEOUT:-300}" wine "$@"
