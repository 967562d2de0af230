#!/bin/sh
# Captures PNG screenshots of VaskViewer (main window, About box, settings dialog) into docs/.
# Runs the viewer inside a Wine virtual desktop, which draws real frames, captions and menus,
# on a private Xvfb screen, in a throw-away Wine prefix; drives it with real keystrokes.
# Needs a build (scripts/test.sh or scripts/run.sh) and xdotool.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/arch.sh"

if [ -z "${VASK_SHOTS_INNER:-}" ]; then
    command -v xdotool >/dev/null || { echo "screenshots: xdotool is missing" >&2; exit 1; }
    VASK_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

build="$root/build/$VASK_TEST_ARCH"
viewer="$build/viewer/VaskViewer.exe"
[ -f "$viewer" ] || { echo "screenshots: build $viewer first" >&2; exit 1; }
if [ "$VASK_TEST_ARCH" = x86_64 ]; then
    wine=/usr/lib/wine/wine64 arch=win64
else
    wine=/usr/lib/wine/wine arch=win32
fi
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver32
prefix="$build/screenshots-prefix"
out="$root/docs"
mkdir -p "$out"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all

sh "$root/scripts/wine-prefix.sh" start "$prefix" "$wine" "$wineserver" "$arch"
trap 'sh "$root/scripts/wine-prefix.sh" stop "$prefix" "$wine" "$wineserver" "$arch"' EXIT

key='HKLM\SOFTWARE\Tovarn\VaskService'
for value in "Elapsed Time High=0" "Elapsed Time Low=123456789" "Vask=750000" "Beep=1"; do
    "$wine" reg add "$key" /v "${value%=*}" /t REG_DWORD /d "${value#*=}" /f >/dev/null 2>&1
done

"$wine" explorer /desktop=Vask,1000x400 "$viewer" >/dev/null 2>&1 &

# Polls (at most ~20 s) for a window whose title matches.
wait_window() {
    i=0
    while [ $i -lt 100 ]; do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
        i=$((i + 1))
    done
    echo "screenshots: no window '$1'" >&2
    return 1
}

desktop=$(wait_window "Wine desktop")
xdotool windowfocus --sync "$desktop" 2>/dev/null || true

# Each picture: the desktop, trimmed to the windows on it.
shot() {
    sleep 2 # let the display tick and the window settle
    import -window "$desktop" "$out/$1"
    background=$(convert "$out/$1" -format '%[pixel:p{0,399}]' info:)
    convert "$out/$1" -bordercolor "$background" -border 1 -trim +repage "$out/$1"
    echo "screenshots: $out/$1"
}

shot viewer-main.png
xdotool key --delay 100 alt+slash
shot viewer-about.png
xdotool key Escape
sleep 1
xdotool key --delay 100 alt+e s
shot viewer-settings.png
xdotool key Escape
