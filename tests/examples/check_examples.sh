#!/usr/bin/env bash
# Runs each script of examples/ on data made here, in a temporary folder,
# with the given program, and checks the bytes it leaves behind.
#   tests/examples/check_examples.sh PROGRAM
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
PELTRIX=$(readlink -f "$1")
export PELTRIX
examples=$repository/examples
cd "$work" || exit 1

# Runs an example; its exit status lands in $status, its standard error in
# $work/example.err.
run() {
  "$examples/$1" "${@:2}" >"$work/example.out" 2>"$work/example.err" </dev/null
  status=$?
}
same() { cmp -s "$1" "$2"; }
absent() { test ! -e "$1"; }
u16le() { iconv -f UTF-8 -t UTF-16LE; }
u16be() { iconv -f UTF-8 -t UTF-16BE; }
bom8=$'\xef\xbb\xbf'

# --- join_logs.sh -----------------------------------------------------------
mkdir logs
printf '%sdate,value\r\n1,a\r\n2,b\r\n\x1a' "$bom8" >logs/d1.log
: >logs/d2.log
printf '%sdate,value\r\n3,c\r\n' "$bom8" >logs/d3.log
printf '%sdate,value\r\n4,d' "$bom8" >logs/d4.log
run join_logs.sh out/all.log logs/d1.log logs/d2.log logs/d3.log logs/d4.log
check "join: status 0" test "$status" = 0
printf '%s1,a\r\n2,b\r\n3,c\r\n4,d\x1a' "$bom8" >expected
check "join: one mark, no header, the first log's end-of-file character" same out/all.log expected

cp out/all.log before
run join_logs.sh out/all.log logs/d3.log
check "join: an existing output is refused" test "$status" = 1
check "join: an existing output stays as it was" same out/all.log before

run join_logs.sh glued.log logs/d4.log logs/d3.log
check "join: a log without a final newline before another is refused" test "$status" = 1
check "join: refused, no output" absent glued.log
check "join: refusal names the log" grep -q 'd4.log does not end with a newline' example.err

# UTF-16: the header holds U+0A01 U+4E00 (bytes 01 0A 00 4E), which is no
# newline; the logs end with the unit 0A 00.
for i in 1 2; do
  { printf '\xff\xfe' && printf 'h\xe0\xa8\x81\xe4\xb8\x80d\n%d\n' "$i" | u16le; } >"logs/w$i.log"
done
run join_logs.sh wide.log logs/w1.log logs/w2.log
check "join UTF-16: status 0" test "$status" = 0
{ printf '\xff\xfe' && printf '1\n2\n' | u16le; } >expected
check "join UTF-16: headers skipped at their newline units" same wide.log expected

# More logs than one run takes: parts of 256, joined; a log of header lines
# only adds nothing.
mkdir many
for i in $(seq 1 300); do
  printf '%sheader\n%d\n' "$bom8" "$i" >"many/$(printf '%04d' "$i").log"
done
printf '%sheader\n' "$bom8" >many/0200.log
run join_logs.sh out/many.log many/*.log
check "join 300 logs: status 0" test "$status" = 0
{ printf '%s' "$bom8" && seq 1 300 | grep -vx 200; } >expected
check "join 300 logs: every record once, one mark" same out/many.log expected
check "join 300 logs: no parts left" test "$(ls -A out)" = "$(printf 'all.log\nmany.log')"

# --- convert_tree_to_lf.sh --------------------------------------------------
mkdir -p tree/sub/deeper 'tree/with space'
printf 'a\r\nb\r\nlast' >tree/crlf.txt
printf 'x\ny\n' >tree/lf.txt
touch -d 2001-02-03 tree/lf.txt
printf '#!/bin/sh\r\necho hi\r\n' >tree/sub/run.sh
chmod 755 tree/sub/run.sh
printf '\x00\x01\r\n\xff' >tree/sub/binary.dat
printf '\xff\xfe' >tree/sub/deeper/wide.txt
printf 'a\r\n\xe0\xa8\x81\xe4\xb8\x80\r\n' | u16le >>tree/sub/deeper/wide.txt
printf 'q\r\n' >$'tree/with space/caf\xc3\xa9.txt'
ln -s crlf.txt tree/link.txt
lf_before=$(stat -c '%i %Y' tree/lf.txt)
run convert_tree_to_lf.sh tree
check "convert: status 0" test "$status" = 0
check "convert: count printed" grep -qx '4 files converted' example.out
printf 'a\nb\nlast\n' >expected
check "convert: CR LF to LF, a last line receives a newline" same tree/crlf.txt expected
check "convert: a file without CR is not touched" test "$(stat -c '%i %Y' tree/lf.txt)" = "$lf_before"
printf '#!/bin/sh\necho hi\n' >expected
check "convert: a file in a subfolder" same tree/sub/run.sh expected
check "convert: permission bits kept" test "$(stat -c %a tree/sub/run.sh)" = 755
printf '\x00\x01\r\n\xff' >expected
check "convert: a binary file is left alone" same tree/sub/binary.dat expected
{ printf '\xff\xfe' && printf 'a\n\xe0\xa8\x81\xe4\xb8\x80\n' | u16le; } >expected
check "convert: UTF-16 in units of two bytes" same tree/sub/deeper/wide.txt expected
printf 'q\n' >expected
check "convert: names with blanks and UTF-8" same $'tree/with space/caf\xc3\xa9.txt' expected
check "convert: a symbolic link stays one" test -L tree/link.txt

mkdir bad
printf 'a\r\n' >bad/a.txt
printf 'b\r\n' >'bad/b*.txt'
printf 'c\r\n' >'bad/c;d.txt'
run convert_tree_to_lf.sh bad
check "convert: names the program cannot take are refused" test "$status" = 1
check "convert: a name with *" grep -qF "cannot name 'bad/b*.txt'" example.err
check "convert: a name with ;" grep -qF "cannot name 'bad/c;d.txt'" example.err
printf 'a\r\n' >expected
check "convert: refused before any file is converted" same bad/a.txt expected

# --- head_utf16.sh ----------------------------------------------------------
# Lines of ASCII, U+0A01 U+4E00 and CR LF: 34 bytes each in UTF-16, so that
# the first 100000 lines run over several blocks of the program.
lines() { seq 1 "$1" | sed 's/.*/line & \xe0\xa8\x81\xe4\xb8\x80\r/'; }
{ printf '\xff\xfe' && lines 200000 | u16le; } >big.txt
run head_utf16.sh 100000 big.txt out/head.txt
check "head: status 0" test "$status" = 0
{ printf '\xff\xfe' && lines 100000 | u16le; } >expected
check "head: the first 100000 records with the mark" same out/head.txt expected
cp expected head.expected

{ printf '\xfe\xff' && lines 5 | u16be; } >big-endian.txt
run head_utf16.sh 3 big-endian.txt be.txt
{ printf '\xfe\xff' && lines 3 | u16be; } >expected
check "head: big-endian" same be.txt expected

lines 3 | u16le >unmarked.txt
run head_utf16.sh 2 unmarked.txt unmarked-head.txt
check "head: a file without a mark is refused" test "$status" = 1
check "head: refused, no output" absent unmarked-head.txt
run head_utf16.sh 2/OU2 big.txt out/head.txt
check "head: N must be digits" test "$status" = 1
run head_utf16.sh 2 big.txt out/head.txt
check "head: an existing output is refused" test "$status" = 1
check "head: an existing output stays as it was" same out/head.txt head.expected

checks_done "example checks"
