# What the example scripts share; each sets $script to its own name and
# sources this file first.
#   $peltrix             the program: the one $PELTRIX names, or peltrix on the PATH
#   fail TEXT...         prints "SCRIPT: TEXT" on standard error and exits with status 1
#   usable_name NAME     whether NAME can be given to the program: it may not hold
#                        a character that the program refuses in paths, nor ';',
#                        which separates the names of a file list
#   program_path PATH    the program's form of PATH: absolute, '\' between folders
#   leading_hex FILE     the first four bytes of FILE as hexadecimal digits
# shellcheck shell=bash
# shellcheck disable=SC2034  # read by the scripts that source this file
peltrix=${PELTRIX:-peltrix}

fail() {
  echo "${script:-example}: $*" >&2
  exit 1
}

usable_name() {
  [[ $1 != *[\\\;\*\?\"\<\>\|]* ]]
}

program_path() {
  local path=$1
  [[ $path == /* ]] || path=$PWD/$path
  printf '%s' "${path//\//\\}"
}

leading_hex() {
  head -c 4 -- "$1" | od -An -v -tx1 | tr -d ' \n'
}
