#!/usr/bin/env bash
# Converts the newlines of the text files below a folder from CR LF to LF,
# in place, one file at a time.
#
#   examples/convert_tree_to_lf.sh FOLDER
#   PELTRIX=build/release/peltrix examples/convert_tree_to_lf.sh src
#
# The program is `peltrix` on the PATH, or the one $PELTRIX names. The script
# needs common.sh from its own folder.
#
# Each file is copied in place: /I/IF and /O/OF name the same file, with
# /OU2 (overwrite) and /OR1 (CR LF to LF). The program first moves the file
# to a dated backup name beside it, reads the backup, writes the file anew
# and deletes the backup once the new file is complete. A failed copy leaves
# the original bytes under the backup name, and this script stops there.
# (A folder cannot be copied onto itself with /I/ID and /O/OD: its files
# would be read while they are overwritten, and the program refuses that
# with E130. Copying the tree elsewhere with /N /S and swapping the folders
# would need room for a second tree and would make every file anew.)
#
# - Only regular files that hold a CR byte are rewritten; all others are
#   left exactly as they are, and so are symbolic links.
# - A file that holds a NUL byte is taken for binary and left alone, unless
#   it begins with a UTF-16 or UTF-32 byte-order mark: then its newlines are
#   converted in units of 2 or 4 bytes.
# - A converted file whose last line has no newline receives one.
# - A converted file is a new file: its permission bits are put back, its
#   times and other links to the old file are not.
# - Every name is checked before the first file is converted: a path that
#   holds one of \ ; * ? " < > | cannot be named to the program.
#
# Prints how many files were converted. Exit status 0 when every file that
# needed it was converted; 1 otherwise, with the program's messages or this
# script's on standard error.
# The program prints CP932: read its messages through `iconv -f CP932 -t UTF-8`.
set -u
script=convert_tree_to_lf.sh
# shellcheck source=examples/common.sh
. "$(dirname "$(readlink -f "$0")")/common.sh"

# Whether a file needs converting: it holds a CR and is text.
needs_converting() {
  LC_ALL=C grep -q -a $'\r' -- "$1" || return 1
  # No NUL byte: tr takes none away.
  [ "$(tr -d '\000' <"$1" | wc -c)" = "$(wc -c <"$1")" ] && return 0
  case $(leading_hex "$1") in
    fffe* | feff* | 0000feff) return 0 ;;
  esac
  return 1
}

[ $# = 1 ] || fail "usage: convert_tree_to_lf.sh FOLDER"
[ -d "$1" ] || fail "$1 is not a folder"

files=()
unusable=0
while IFS= read -r -d '' file; do
  if ! usable_name "$file"; then
    echo "$script: cannot name '$file' to the program" >&2
    unusable=1
  elif needs_converting "$file"; then
    files+=("$file")
  fi
done < <(find "$1" -type f -print0 | sort -z)
[ $unusable = 0 ] || fail "nothing converted"

for file in "${files[@]}"; do
  mode=$(stat -c %a -- "$file") || exit 1
  name=$(program_path "$file")
  "$peltrix" "/I/IF$name" "/O/OF$name/OU2/OR1" || fail "stopped at $file"
  chmod "$mode" -- "$file" || exit 1
done
echo "${#files[@]} files converted"
