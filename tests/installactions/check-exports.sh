#!/usr/bin/env bash
# Checks the export tables of Gantrel.dll: exactly the eight names, undecorated, with their
# ordinals, in the 64-bit build and in the shipped 32-bit one; the 32-bit functions must use
# the convention in which the caller removes the arguments (no "@n" decoration).
#   check-exports.sh DLL64 DLL32      (exit 77: the 32-bit build is not there)
set -euo pipefail
dll64=$1 dll32=$2
expected='1 CheckAccountExists
2 CheckPasswordCorrect
3 CreateAccount
4 CreateNewService
5 ServiceCreate
6 ServiceRemove
7 ServiceStart
8 ServiceStop'

# Ordinal and name of every export, from the address table and the name pointer table.
exports() {
  local dump base
  dump=$("$1" -p "$2")
  base=$(sed -n 's/.*Ordinal Base[[:space:]]*\([0-9]*\).*/\1/p' <<<"$dump" | head -1)
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
    sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' |
    while read -r index name; do echo "$((index + base)) $name"; done | sort -n
}

check() {
  local objdump=$1 dll=$2 got
  got=$(exports "$objdump" "$dll")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: exports of $dll:"; echo "$got"; return 1
  fi
  grep -qE '^Name\s.*\sGantrel\.dll$' <<<"$("$objdump" -p "$dll")" || { echo "FAIL: $dll is not named Gantrel.dll"; return 1; }
  echo "ok: $dll"
}

check x86_64-w64-mingw32-objdump "$dll64"
if [ ! -f "$dll32" ]; then
  echo "the 32-bit build ($dll32) is missing: build the win32 preset"; exit 77
fi
check i686-w64-mingw32-objdump "$dll32"
symbols=$(i686-w64-mingw32-objdump -t "$dll32")
while read -r _ name; do
  grep -qE "\) 0x[0-9a-f]+ _${name}\$" <<<"$symbols" ||
    { echo "FAIL: $name is not a caller-cleans function in $dll32"; exit 1; }
done <<<"$expected"
echo "ok: caller-cleans entry points"
