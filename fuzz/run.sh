#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a copy of its
# seed corpus. Prints the executions of each run; fails on any crash.
#   fuzz/run.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in command_line records; do
  mkdir -p "$work/$target"
  cp fuzz/corpus/"$target"/* "$work/$target"/
  log="$work/$target.log"
  if ! build/fuzz/peltrix_fuzz_"$target" "$work/$target" -max_total_time="$seconds" -close_fd_mask=2 \
      -artifact_prefix="$PWD/fuzz/" -print_final_stats=1 >"$log" 2>&1; then
    status=1
    tail -n 40 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz $target: ${runs:-?} executions in ${seconds}s"
done
exit $status
