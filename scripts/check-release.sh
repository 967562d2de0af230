#!/bin/sh
# Builds the release target and checks that the zip holds exactly the expected members,
# the operators' notes among them with Windows line ends.
set -eu
build=$1 zip=$2 notes=$3
shift 3
cmake --build "$build" --target release -- --no-print-directory >/dev/null
expected=$(printf '%s\n' "$@" | sort)
actual=$(zip -sf "$zip" | sed -n 's/^  //p' | sort)
if [ "$expected" != "$actual" ]; then
    printf 'release: %s holds\n%s\nexpected\n%s\n' "$zip" "$actual" "$expected" >&2
    exit 1
fi
if grep -qv "$(printf '\r')\$" "$notes"; then
    echo "release: $notes has lines without CR LF" >&2
    exit 1
fi
echo "release: $(basename "$zip"): $(echo $actual)"
