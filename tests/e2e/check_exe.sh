#!/usr/bin/env bash
# Checks a Windows build of autorun.exe without running it: the expected
# PE format, a GUI program, only system DLLs imported (nothing to install
# beside it), the icon as resource 1, no manifest that asks for an
# execution level, and a size that starts fast from a disc.
# Usage: check_exe.sh EXE OBJDUMP WINDRES FORMAT (pei-i386 or pei-x86-64)
set -euo pipefail
exe=$1 objdump=$2 windres=$3 format=$4
fail() { echo "FAIL ($(basename "$exe") $format): $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
grep -q "file format $format\$" <<<"$headers" || fail "not $format: $(head -n2 <<<"$headers")"
grep -qP '^Subsystem\t+00000002\t\(Windows GUI\)' <<<"$headers" || fail "not a GUI program"
system='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|msvcrt|SHELL32|USER32)\.dll$'
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers")
[ -n "$dlls" ] || fail "no imports read"
others=$(grep -viE "$system" <<<"$dlls" || true)
[ -z "$others" ] || fail "imports DLLs that are not part of Windows:" $others

resources=$("$windres" -i "$exe" -J coff -O rc 2>&1) || fail "no resources read: $resources"
grep -qx '1 14 /\* RT_GROUP_ICON \*/' <<<"$resources" || fail "no icon as resource 1"
grep -q requestedExecutionLevel <<<"$resources" && fail "a manifest asks for an execution level"

size=$(stat -c %s "$exe")
[ "$size" -le 1048576 ] || fail "$size bytes, more than 1 MiB"
echo "PASS $(basename "$exe") $format: GUI, imports" $dlls", icon 1, $size bytes"
