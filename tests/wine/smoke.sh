#!/usr/bin/env bash
# Runs the Windows program under Wine and checks it against the Linux build:
# the same bytes (with CR LF line ends on the Windows console streams) and
# the same exit statuses.
#   tests/wine/smoke.sh WINDOWS_EXE LINUX_EXE
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
exe=$(readlink -f "$1")
linux=$(readlink -f "$2")
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-peltrix}

cd "$work" || exit 1

# Runs the Windows program: its stdout, stderr and exit status land in files.
win() {
  wine "$exe" "$@" >win.out 2>win.err </dev/null
  echo $? >win.status
}
lin() {
  "$linux" "$@" >lin.out 2>lin.err </dev/null
  echo $? >lin.status
}
crlf() { sed 's/$/\r/' "$1"; }

# Wine sets up its prefix on the first start; keep that out of the checks.
wine "$exe" '/?' >/dev/null 2>&1 </dev/null

# Usage text: the Linux build's, with CR LF ends.
win '/?'
lin '/?'
check "usage status" test "$(cat win.status)" = 0
check "usage bytes" cmp -s win.out <(crlf lin.out)

# Refusals about paths print the same lines on both systems.
printf 'alpha\n' >a.txt
for args in "/I/IFnone.txt" "/I/IFnofolder\\none.txt" "/I/IFa.txt;a|b*c" "/I/IDa.txt"; do
  # shellcheck disable=SC2086
  win $args
  # shellcheck disable=SC2086
  lin $args
  check "refusal bytes for '$args'" cmp -s win.err <(crlf lin.err)
  check "refusal status for '$args'" test "$(cat win.status)" = 1
done
# A real joined copy: the same file on both systems, and the same report.
printf 'beta\r\ngamma' >b.txt
win '/I/IFa.txt;b.txt/IL1' '/O/OFwin\joined.txt/OE2' /M/MT1
lin '/I/IFa.txt;b.txt/IL1' '/O/OFlin\joined.txt/OE2' /M/MT1
check "joined copy status" test "$(cat win.status)" = 0
check "joined copy is quiet" test ! -s win.err
check "joined copy report" cmp -s win.out <(crlf lin.out)
check "joined copy bytes" cmp -s win/joined.txt lin/joined.txt

# Byte-order marks and newlines in UTF-16: the same bytes on both systems.
printf '\xff\xfeo\x00n\x00e\x00\r\x00\n\x00t\x00w\x00o\x00' >wide.txt
printf 'plain\n' >plain.txt
for args in "/I/IFwide.txt /O/OF@bom-lf.txt/OR1/OJ7" "/I/IFplain.txt /O/OF@bom-added.txt/OJ1/OR2"; do
  win ${args//@/win\\}
  lin ${args//@/lin\\}
  check "mark and newline status for '$args'" test "$(cat win.status)" = 0
done
check "mark removed like the Linux build" cmp -s win/bom-lf.txt lin/bom-lf.txt
check "mark added like the Linux build" cmp -s win/bom-added.txt lin/bom-added.txt

# Standard output carries the copied bytes unchanged (binary, no CR added).
win /I/IFwide.txt
check "standard output bytes" cmp -s win.out wide.txt

# A per-file copy of a tree, empty folders included.
mkdir -p tree/one/two tree/empty
printf 'x\n' >tree/x.txt
printf 'y\r\n' >tree/one/two/y.txt
win /I/IDtree /S /N /O/ODwin-tree /M/MT1
lin /I/IDtree /S /N /O/ODlin-tree /M/MT1
check "tree copy status" test "$(cat win.status)" = 0
check "tree copy report" cmp -s win.out <(crlf lin.out)
check "tree copy files and folders" diff -r win-tree tree

# Sources of several blocks: records counted and a byte window written while
# the next block is read, as on Linux.
awk 'BEGIN { srand(8); for (i = 0; i < 3 * 1048576 + 77; i++) printf "%s", substr("ab\r\n", int(rand() * 4) + 1, 1) }' >big.txt
win /I/IFbig.txt '/O/OFwin\big-counted.txt' /M/MT3
lin /I/IFbig.txt '/O/OFlin\big-counted.txt' /M/MT3
check "large count status" test "$(cat win.status)" = 0
counted() { grep -ao 'I001-2 0001 [0-9]*' "$1"; }
check "large count report" test -n "$(counted lin.out)" -a "$(counted win.out)" = "$(counted lin.out)"
check "large count bytes" cmp -s win/big-counted.txt big.txt
win /I/IFbig.txt/IT1001/IB2500000 '/O/OFwin\big-window.txt'
check "large window status" test "$(cat win.status)" = 0
check "large window bytes" cmp -s win/big-window.txt <(tail -c +1002 big.txt | head -c 2500000)

# An in-place copy goes through a dated backup, which /IU1 keeps.
printf 'a\r\nb\r\n' >inplace.txt
win /I/IFinplace.txt/IU1 /O/OFinplace.txt/OU2/OR1
check "in-place status" test "$(cat win.status)" = 0
check "in-place result" cmp -s inplace.txt <(printf 'a\nb\n')
check "in-place backup kept" cmp -s inplace_*_0001.txt <(printf 'a\r\nb\r\n')

# One limit for every path on both builds: a full path of 260 characters is
# taken as a source, as a destination in folders that do not exist yet and
# as a backup name; 261 is refused with E131 as on Linux. Under Wine the
# current folder is Z: followed by the Linux path, two characters longer.
deep=$(printf 'd%.0s' $(seq 1 100))
mkdir -p "long/$deep"
# A name of 'f's and the given ending, in the folder of $2 (given with '\'),
# whose full path has $1 characters, on Windows or, with $4 = lin, on Linux.
name() {
  local used=$((${#work} + 1 + ${#2} + 1))
  [ "${4:-win}" = lin ] || used=$((used + 2))
  printf 'f%.0s' $(seq 1 $(($1 - used - ${#3})))
  printf '%s' "$3"
}
dir="long\\$deep"
source260=$(name 260 "$dir" .txt)
printf 'a\r\nb\r\n' >"long/$deep/$source260"
win "/I/IF$dir\\$source260" /O/OFfrom260.txt
check "260: source status" test "$(cat win.status)" = 0
check "260: source copied" cmp -s from260.txt "long/$deep/$source260"
made="made\\$deep\\$(printf 'e%.0s' $(seq 1 $((250 - ${#work} - 2 - 1 - 4 - 1 - 100 - 1))))"
win /I/IFa.txt "/O/OF$made\\$(name 260 "$made" .txt)"
check "260: destination in new folders status" test "$(cat win.status)" = 0
check "260: destination written" cmp -s "$(find made -type f)" a.txt
inplace=$(name 246 "$dir" .txt)
printf 'c\r\n' >"long/$deep/$inplace"
win "/I/IF$dir\\$inplace" "/O/OF$dir\\$inplace/OU2/OR1"
check "260: in place through a backup of 260 status" test "$(cat win.status)" = 0
check "260: in place result" cmp -s "long/$deep/$inplace" <(printf 'c\n')
check "260: backup deleted" test "$(find "long/$deep" -name '*_0001.txt' | wc -l)" = 0
source260=$(name 260 "$dir" .txt lin)
printf 'a\r\nb\r\n' >"long/$deep/$source260"
lin "/I/IF$dir\\$source260" /O/OFlin260.txt
check "260: the Linux build takes the same length" cmp -s lin260.txt "long/$deep/$source260"
for group in "/I/IF" "/I/IFa.txt /O/OF"; do
  win261=$(name 261 "$dir" .txt)
  lin261=$(name 261 "$dir" .txt lin)
  touch "long/$deep/$win261" "long/$deep/$lin261"
  # shellcheck disable=SC2086
  win $group"$dir\\$win261"
  # shellcheck disable=SC2086
  lin $group"$dir\\$lin261"
  check "261: refused for '$group'" test "$(cat win.status)/$(cat lin.status)" = 1/1
  check "261: refused like the Linux build for '$group'" cmp -s win.err <(sed "s/$lin261/$win261/" lin.err | crlf /dev/stdin)
  check "261: with E131 for '$group'" grep -q '^E131-1 ' win.err
done

checks_done "wine smoke"
