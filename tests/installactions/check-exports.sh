#!/usr/bin/env bash
# Checks the export table of Gantrel.dll: exactly the eight names, undecorated, with their
# ordinals; in 32-bit code the functions must also use the convention in which the caller
# removes the arguments (no "@n" decoration).
#   check-exports.sh OBJDUMP GANTREL.DLL   (the binutils and the library of the build under test)
set -euo pipefail
objdump=$1 dll=$2
expected='1 CheckAccountExists
2 CheckPasswordCorrect
3 CreateAccount
4 CreateNewService
5 ServiceCreate
6 ServiceRemove
7 ServiceStart
8 ServiceStop'
[ -f "$dll" ] || { echo "FAIL: $dll is missing"; exit 1; }
dump=$("$objdump" -p "$dll")

# Ordinal and name of every export, from the address table and the name pointer table.
base=$(sed -n 's/.*Ordinal Base[[:space:]]*\([0-9]*\).*/\1/p' <<<"$dump" | head -1)
got=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
  sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' |
  while read -r index name; do echo "$((index + base)) $name"; done | sort -n)
if [ "$got" != "$expected" ]; then
  echo "FAIL: exports of $dll:"; echo "$got"; exit 1
fi
grep -qE '^Name\s.*\sGantrel\.dll$' <<<"$dump" || { echo "FAIL: $dll is not named Gantrel.dll"; exit 1; }
echo "ok: $dll"

if grep -q 'file format pei-i386' <<<"$dump"; then
  symbols=$("$objdump" -t "$dll")
  while read -r _ name; do
    grep -qE "\) 0x[0-9a-f]+ _${name}\$" <<<"$symbols" ||
      { echo "FAIL: $name is not a caller-cleans function in $dll"; exit 1; }
  done <<<"$expected"
  echo "ok: caller-cleans entry points"
fi
