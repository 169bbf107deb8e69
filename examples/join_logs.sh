#!/usr/bin/env bash
# Joins daily logs into one file without their header lines: the first line
# (record) of every log is skipped (/IL1) and the rest of all logs, in the
# order given, goes into OUTPUT.
#
#   examples/join_logs.sh OUTPUT LOG...
#   PELTRIX=build/release/peltrix examples/join_logs.sh all.log logs/2024-*.log
#
# The program is `peltrix` on the PATH, or the one $PELTRIX names. The script
# needs common.sh from its own folder.
#
# - OUTPUT must not exist yet; missing folders on the way to it are created.
# - The logs' byte-order mark, if they carry one, stands once in front of
#   OUTPUT. All logs must carry the same mark, or none (E115 otherwise).
#   The mark of the first log decides the width of a newline: 1 byte, 2 for
#   UTF-16, 4 for UTF-32.
# - A line that has no newline is not given one, so every log but the last
#   must end with a newline (a closing end-of-file character 0x1A after it is
#   allowed): its last line would otherwise run into the next log's first
#   line. Such a log is refused before anything is written.
# - Empty logs add nothing and are passed over.
# - One run of the program takes up to 256 files; more logs (up to 65536) are
#   joined 256 at a time into parts in a temporary folder beside OUTPUT, and
#   the parts are then joined into OUTPUT, which keeps the mark of the first
#   part only.
#
# Exit status 0 when OUTPUT was written; 1 otherwise, with the program's
# messages or this script's on standard error, and no OUTPUT left behind.
# The program prints CP932: read its messages through `iconv -f CP932 -t UTF-8`.
set -u
script=join_logs.sh
# shellcheck source=examples/common.sh
. "$(dirname "$(readlink -f "$0")")/common.sh"
batch=256

check_name() {
  usable_name "$1" || fail "cannot name '$1' to the program: it holds one of \\ ; * ? \" < > |"
}

# The newline unit, as hexadecimal digits, by the mark a log begins with.
newline_unit() {
  case $(leading_hex "$1") in
    fffe0000*) echo 0a000000 ;;
    0000feff*) echo 0000000a ;;
    fffe*) echo 0a00 ;;
    feff*) echo 000a ;;
    *) echo 0a ;;
  esac
}

# Whether a log ends with the newline unit $2, or with it and an end-of-file
# unit; its last bytes are compared as hexadecimal digits, two a byte.
ends_with_newline() {
  local last
  last=$(tail -c 8 -- "$1" | od -An -v -tx1 | tr -d ' \n')
  [[ $last == *"$2" || $last == *"$2${2//0a/1a}" ]]
}

# Joins the files named (in the program's form) after the first two
# arguments into the new file $1, each without its first line when $2 is
# /IL1.
join() {
  local destination=$1 skip=$2 list
  shift 2
  list=$(IFS=';' && printf '%s' "$*")
  "$peltrix" "/I/IF$list$skip" "/O/OF$destination" || exit 1
}

[ $# -ge 2 ] || fail "usage: join_logs.sh OUTPUT LOG..."
output=$1
shift
[ -e "$output" ] && fail "$output exists already"
check_name "$output"
[ $# -le $((batch * batch)) ] || fail "more than $((batch * batch)) logs"

# The logs that are not empty; all but the last must end with a newline.
logs=()
for log in "$@"; do
  [ -f "$log" ] || fail "$log is not a file"
  check_name "$log"
  [ -s "$log" ] && logs+=("$log")
done
if [ ${#logs[@]} -gt 0 ]; then
  newline=$(newline_unit "${logs[0]}")
  for log in "${logs[@]:0:${#logs[@]}-1}"; do
    ends_with_newline "$log" "$newline" || fail "$log does not end with a newline"
  done
fi

mkdir -p -- "$(dirname -- "$output")" || exit 1
# From here on OUTPUT is this script's own: a failed run leaves none.
parts_folder=
clean_up() {
  local status=$?
  [ -n "$parts_folder" ] && rm -rf -- "$parts_folder"
  [ $status = 0 ] || rm -f -- "$output"
}
trap clean_up EXIT
if [ ${#logs[@]} -eq 0 ]; then
  : >"$output"
  exit 0
fi
names=()
for log in "${logs[@]}"; do names+=("$(program_path "$log")"); done
if [ ${#names[@]} -le $batch ]; then
  join "$(program_path "$output")" /IL1 "${names[@]}"
  exit 0
fi

parts_folder=$(mktemp -d "$(dirname -- "$output")/.join_logs.XXXXXX") || exit 1
check_name "$parts_folder"
parts=()
for ((first = 0; first < ${#names[@]}; first += batch)); do
  part=$parts_folder/part$((first / batch))
  join "$(program_path "$part")" /IL1 "${names[@]:first:batch}"
  # A part of header lines only is empty: it has no mark to give OUTPUT.
  [ -s "$part" ] && parts+=("$(program_path "$part")")
done
if [ ${#parts[@]} -eq 0 ]; then
  : >"$output"
else
  join "$(program_path "$output")" "" "${parts[@]}"
fi
