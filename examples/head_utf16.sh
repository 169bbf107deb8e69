#!/usr/bin/env bash
# Copies the first N records (lines) of a UTF-16 text file into a new file,
# byte-order mark included, without reading the rest of the file.
#
#   examples/head_utf16.sh N INPUT OUTPUT
#   PELTRIX=build/release/peltrix examples/head_utf16.sh 1000 export.txt head.txt
#
# The program is `peltrix` on the PATH, or the one $PELTRIX names. The script
# needs common.sh from its own folder.
#
# INPUT must begin with a UTF-16 byte-order mark, FF FE (little-endian) or
# FE FF (big-endian); the mark decides the character code given to the
# program (/IC4 or /IC5), so that a record ends only at a newline unit 0A 00
# (or 00 0A) that starts at an even offset, never at a byte 0A inside a
# character. The mark is the start of the first record and is copied with it
# (/IP counts records, it does not cut them). A record keeps its newline as it
# is (CR LF stays CR LF). When INPUT has N records or fewer, all of it is
# copied, and a closing end-of-file unit 1A 00 (00 1A) counts as a record of
# its own.
#
# OUTPUT must not exist yet; missing folders on the way to it are created.
# Exit status 0 when OUTPUT was written; 1 otherwise, with the program's
# messages or this script's on standard error.
# The program prints CP932: read its messages through `iconv -f CP932 -t UTF-8`.
set -u
script=head_utf16.sh
# shellcheck source=examples/common.sh
. "$(dirname "$(readlink -f "$0")")/common.sh"

[ $# = 3 ] || fail "usage: head_utf16.sh N INPUT OUTPUT"
count=$1 input=$2 output=$3
case $count in
  '' | *[!0-9]*) fail "N must be a number of records, 1 to 2147483647" ;;
esac
[ -f "$input" ] || fail "$input is not a file"
[ -e "$output" ] && fail "$output exists already"

case $(leading_hex "$input") in
  fffe0000*) fail "$input begins with the mark of UTF-32 little-endian, not UTF-16" ;;
  fffe*) code=4 ;;
  feff*) code=5 ;;
  *) fail "$input does not begin with a UTF-16 byte-order mark" ;;
esac

for name in "$input" "$output"; do
  usable_name "$name" || fail "cannot name '$name' to the program"
done
"$peltrix" "/I/IF$(program_path "$input")/IC$code/IP$count" "/O/OF$(program_path "$output")"
