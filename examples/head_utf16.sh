#!/usr/bin/env bash
# Copies the first N records (lines) of a UTF-16 text file into a new file,
# byte-order mark included, without reading the rest of the file.
#
#   examples/head_utf16.sh N INPUT OUTPUT
#   PELTRIX=build/release/peltrix examples/head_utf16.sh 1000 export.txt head.txt
#
# The program is `peltrix` on the PATH, or the one $PELTRIX names.
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
# messages (CP932: read them through `iconv -f CP932 -t UTF-8`) or this
# script's on standard error.
set -u
peltrix=${PELTRIX:-peltrix}

fail() {
  echo "head_utf16.sh: $*" >&2
  exit 1
}

# The program's form of a path: absolute, with '\' between folders; false for
# a name that holds a character the program refuses in paths, or ';'.
program_path() {
  local path=$1
  [[ $path == *[\\\;\*\?\"\<\>\|]* ]] && return 1
  [[ $path == /* ]] || path=$PWD/$path
  printf '%s' "${path//\//\\}"
}

[ $# = 3 ] || fail "usage: head_utf16.sh N INPUT OUTPUT"
count=$1 input=$2 output=$3
case $count in
  '' | *[!0-9]*) fail "N must be a number of records, 1 to 2147483647" ;;
esac
[ -f "$input" ] || fail "$input is not a file"
[ -e "$output" ] && fail "$output exists already"

case $(head -c 4 -- "$input" | od -An -v -tx1 | tr -d ' \n') in
  fffe0000*) fail "$input begins with the mark of UTF-32 little-endian, not UTF-16" ;;
  fffe*) code=4 ;;
  feff*) code=5 ;;
  *) fail "$input does not begin with a UTF-16 byte-order mark" ;;
esac

source_name=$(program_path "$input") || fail "cannot name '$input' to the program"
destination_name=$(program_path "$output") || fail "cannot name '$output' to the program"
"$peltrix" "/I/IF$source_name/IC$code/IP$count" "/O/OF$destination_name"
