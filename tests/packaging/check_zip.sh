#!/usr/bin/env bash
# Checks the Windows zip archive: one top folder named like the archive with
# peltrix.exe, README.txt and LICENSE in it and nothing else; README.txt is
# the text for Windows users (doc/README-Windows.txt with the version, CR LF,
# UTF-8 with a byte-order mark) and the licence is the project's; the program
# is a 64-bit Windows program that prints the same usage text as the Linux
# build and its version when it runs under Wine.
#   tests/packaging/check_zip.sh ARCHIVE.zip LINUX_EXE
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
zip=$(readlink -f "$1")
linux=$(readlink -f "$2")
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-peltrix}

top=$(basename "$zip" .zip)
cmake -E tar tf "$zip" | grep -v '/$' | sort >"$work/files"
printf '%s\n' "$top/LICENSE" "$top/README.txt" "$top/peltrix.exe" >"$work/expected"
check "archive lists exactly $top/peltrix.exe, README.txt and LICENSE" cmp -s "$work/files" "$work/expected"

(cd "$work" && cmake -E tar xf "$zip")
exe=$work/$top/peltrix.exe
version=$(sed -n 's/^project(peltrix VERSION \([0-9.]*\).*/\1/p' "$repository/CMakeLists.txt")
sed "s/@PROJECT_VERSION@/$version/; s/\$/\r/" "$repository/doc/README-Windows.txt" >"$work/README.txt"
check "README.txt is the text for Windows users, with CR LF" cmp -s "$work/$top/README.txt" "$work/README.txt"
check "README.txt begins with a UTF-8 byte-order mark" test "$(head -c 3 "$work/$top/README.txt" | od -An -tx1 | tr -d ' ')" = efbbbf
check "README.txt names the version" grep -q "^.*PELTRIX $version for Windows" "$work/$top/README.txt"
check "licence is the project's" cmp -s "$work/$top/LICENSE" "$repository/LICENSE"

# MZ header, and at the offset it gives the PE signature for x86-64 (8664).
byte_hex() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n'; }
check "program has an MZ header" test "$(byte_hex "$exe" 0 2)" = 4d5a
pe=$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')
check "program is a PE file for x86-64" test "$(byte_hex "$exe" "$pe" 6)" = 504500006486

# Runs under Wine: the usage text of the Linux build with CR LF line ends.
# Wine sets up its prefix on the first start; keep that out of the checks.
wine "$exe" '/?' >/dev/null 2>&1 </dev/null
wine "$exe" '/?' >"$work/win.out" 2>/dev/null </dev/null
check "usage status 0 under Wine" test $? = 0
"$linux" '/?' | sed 's/$/\r/' >"$work/expected.out"
check "usage bytes as the Linux build's" cmp -s "$work/win.out" "$work/expected.out"
wine "$exe" /X >/dev/null 2>&1 </dev/null
check "refusal status 1 under Wine" test $? = 1
check "version under Wine" test "$(wine "$exe" --version 2>/dev/null </dev/null)" = "peltrix $version"$'\r'

checks_done "zip checks"
