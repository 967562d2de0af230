#!/bin/sh
# start: create a fresh Wine prefix and keep its wineserver running for the test run.
# stop:  end that wineserver (and with it every Wine process of the prefix).
set -eu
action=$1 prefix=$2 wine=$3 wineserver=$4 arch=$5
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all

case "$action" in
start)
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
    "$wine" wineboot -i >/dev/null 2>&1 </dev/null
    # wineboot returns before the registry is saved; the server saves it as it exits.
    "$wineserver" -w
    # The server outlives this script; keep it off our stdout so ctest does not wait for it.
    "$wineserver" -p >/dev/null 2>&1 </dev/null
    # The first process of a session starts Wine's own system processes, which inherit its
    # output; start them here, detached, or ctest would wait on them after the first test.
    "$wine" cmd /c exit >/dev/null 2>&1 </dev/null
    test -f "$prefix/system.reg"
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 start|stop prefix wine wineserver arch" >&2
    exit 2
    ;;
esac
