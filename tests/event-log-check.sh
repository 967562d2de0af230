#!/bin/sh
# Runs the host's scenarios in a Wine session of its own, with the eventlog debug channel on
# (a service inherits WINEDEBUG and stderr from the process that starts the session), and
# checks the event-log entries written and their order.
set -eu
wine=$1 wineserver=$2 arch=$3 tests=$4 work=$5/event-log
export WINEPREFIX="$work/prefix" WINEARCH="$arch" WINEDEBUG=-all
"$wineserver" -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
"$wine" wineboot -i >/dev/null 2>&1 </dev/null
"$wineserver" -w

status=0
WINEDEBUG=-all,+eventlog "$wine" "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter='HostTest.NeverRegistered*:HostTest.WithoutAString*:HostTest.StartControlStop*:EventLog.*' >"$work/tests.txt" 2>"$work/trace.txt" </dev/null || status=$?
"$wineserver" -k 2>/dev/null || true
if [ "$status" -ne 0 ]; then
    cat "$work/tests.txt"
    echo "event-log check: the scenarios failed ($status)"
    exit 1
fi

entries=$(sed -n 's/.*ReportEventW L"\(.*\)".*/\1/p' "$work/trace.txt")
long=$(printf '%255s' '' | tr ' ' x)
expected="Service started
Bad service request
Service stopped"
scenario=$(printf '%s\n' "$entries" | grep -v -x "$long" || true)
echo "entries written:"
printf '%s\n' "$entries" | cut -c1-60
if [ "$scenario" != "$expected" ]; then
    echo "event-log check: expected, in this order:"
    echo "$expected"
    exit 1
fi
if [ "$(printf '%s\n' "$entries" | grep -c -x "$long")" -ne 1 ]; then
    echo "event-log check: the overlong text was not written cut to 255 characters"
    exit 1
fi
echo "event-log check: passed"
