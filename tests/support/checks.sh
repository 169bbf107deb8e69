# What the shell check scripts share; each sources it first.
#   $repository              the repository's top folder
#   $work                    a temporary folder, removed when the script ends
#   check NAME CONDITION...  runs CONDITION and counts it; names it when it fails
#   checks_done LABEL        prints "LABEL: N passed, N failed"; fails when any failed
repository=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
passes=0

check() {
  local name=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAILED: $name"
    failures=$((failures + 1))
  fi
}

checks_done() {
  echo "$1: $passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
