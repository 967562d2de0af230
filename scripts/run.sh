#!/bin/sh
# Installs what is missing, builds, and runs Vask in a demo Wine prefix (demo/wineprefix):
# the programs go to C:\Program Files\Vask, the service is installed with "-Service" and
# started through the SCM, the viewer is shown (on $DISPLAY, or under Xvfb with a screenshot
# saved to demo/viewer.png), and the store's values and the service's state are printed.
# Safe to run again: it first ends whatever the previous run left running in the prefix.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup.sh"
. "$root/scripts/arch.sh"
for arch in $VASK_BUILD_ARCHES; do
    cmake -S "$root" -B "$root/build/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
    cmake --build "$root/build/$arch" -j"$(nproc)" -- --no-print-directory >/dev/null
done
echo "VaskService.exe (shipped, 32-bit): $root/build/i686/service/VaskService.exe"

# The demo runs the build this machine's Wine can execute.
build="$root/build/$VASK_TEST_ARCH"
if [ "$VASK_TEST_ARCH" = i686 ]; then
    wine=/usr/lib/wine/wine WINEARCH=win32
else
    wine=/usr/lib/wine/wine64 WINEARCH=win64
fi
if [ -x /usr/lib/wine/wineserver64 ]; then
    wineserver=/usr/lib/wine/wineserver64
else
    wineserver=/usr/lib/wine/wineserver32
fi
demo="$root/demo"
export WINEPREFIX="$demo/wineprefix" WINEARCH WINEDEBUG=-all
mkdir -p "$demo"

"$wineserver" -k 2>/dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run: creating the demo Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 </dev/null
    "$wineserver" -w
fi

# Wine's system processes inherit the output of the session's first process: start them
# detached, or whatever reads this script's output would wait for them.
"$wineserver" -p30 >/dev/null 2>&1 </dev/null
"$wine" cmd /c exit >/dev/null 2>&1 </dev/null

# Wine ends its services with the last ordinary process of the session: a console process
# that reads from a pipe held open by this script keeps the session up while the demo runs.
fifo="$demo/keeper.fifo"
rm -f "$fifo"
mkfifo "$fifo"
"$wine" cmd <"$fifo" >/dev/null 2>&1 &
exec 3>"$fifo"
rm -f "$fifo"

wine_text() { "$wine" "$@" 2>/dev/null | tr -d '\r'; }

install_dir="$WINEPREFIX/drive_c/Program Files/Vask"
mkdir -p "$install_dir"
cp "$build/service/VaskService.exe" "$install_dir/"
viewer="$build/viewer/VaskViewer.exe"
[ -f "$viewer" ] && cp "$viewer" "$install_dir/"
echo "run: installed in C:\\Program Files\\Vask: $(ls "$install_dir" | tr '\n' ' ')"

status=0
"$wine" 'C:\Program Files\Vask\VaskService.exe' -Service </dev/null || status=$?
echo "run: VaskService.exe -Service exited with $status"
[ "$status" -eq 0 ] || exit 1

wine_text sc start VaskService >/dev/null || true
tries=0
until wine_text sc query VaskService | grep -q 'RUNNING'; do
    tries=$((tries + 1))
    if [ "$tries" -ge 50 ]; then
        echo "run: the service did not reach RUNNING"
        wine_text sc query VaskService
        exit 1
    fi
    sleep 0.2
done

report() {
    echo "run: the store, HKLM\\SOFTWARE\\Tovarn\\VaskService:"
    wine_text reg query 'HKLM\SOFTWARE\Tovarn\VaskService' | grep -v '^$'
    echo "run: the service:"
    wine_text sc query VaskService | grep -v '^$'
}

if [ ! -f "$viewer" ]; then
    echo "run: VaskViewer.exe is not built yet; skipping the viewer"
    report
elif [ -n "${DISPLAY:-}" ]; then
    # The viewer keeps the session, and with it the service, alive after this script ends.
    nohup "$wine" 'C:\Program Files\Vask\VaskViewer.exe' >/dev/null 2>&1 </dev/null &
    sleep 3
    report
    echo "run: the viewer runs on $DISPLAY; the service runs while it is open"
else
    shot="$demo/viewer.png"
    rm -f "$shot"
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
        "$1" explorer /desktop=Vask,800x600 "C:\\Program Files\\Vask\\VaskViewer.exe" \
            >/dev/null 2>&1 </dev/null &
        viewer=$!
        sleep 5
        import -window root "$2"
        kill "$viewer" 2>/dev/null || true
        wait "$viewer" 2>/dev/null || true' sh "$wine" "$shot"
    report
    if [ -f "$shot" ]; then
        echo "run: no display; the viewer ran under Xvfb, screenshot: $shot"
    else
        echo "run: no display; the viewer ran under Xvfb but no screenshot was saved"
    fi
    # The virtual screen is gone: end the demo session, and the service with it.
    "$wineserver" -k 2>/dev/null || true
fi
exec 3>&-
