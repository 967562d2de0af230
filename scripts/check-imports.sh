#!/bin/sh
# Fails when a program imports any DLL that is not part of Windows itself.
set -eu
objdump=$1
shift
allowed="kernel32.dll advapi32.dll user32.dll gdi32.dll ole32.dll oleaut32.dll pdh.dll
shell32.dll shlwapi.dll msvcrt.dll comctl32.dll"
status=0
for exe in "$@"; do
    for dll in $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $(echo $allowed) " in
        *" $dll "*) ;;
        *) echo "$exe imports $dll, which is not a system DLL"; status=1 ;;
        esac
    done
    echo "$(basename "$exe"): $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
done
exit $status
