#!/usr/bin/env bash
# Times PELTRIX against the standard tool for the same work, with the files
# in the page cache, and prints for each row the median of the ratios
# PELTRIX / tool of the turns (each turn runs both, back to back),
# the ratio of the fastest runs (the work itself, without the machine's
# interference), and PELTRIX's peak memory. The verdict follows the median.
#   bench/run.sh [RUNS]          (needs dos2unix, python3, GNU time)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
for tool in dos2unix unix2dos python3 dd /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "bench/run.sh needs $tool (apt-get install dos2unix python3 time)" >&2; exit 2; }
done
cmake --workflow --preset release >/dev/null
peltrix=$(readlink -f build/release/peltrix)

work=$(mktemp -d "${TMPDIR:-/tmp}/peltrix-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "generating data in $work" >&2
python3 - <<'PY'
import os
gib = int(os.environ.get("PELTRIX_BENCH_MIB", "1024")) << 20
line = b"x" * 78
with open("lf", "wb") as f:
    chunk = (line + b"\n") * (1 << 16)
    for _ in range(gib // len(chunk)): f.write(chunk)
with open("crlf", "wb") as f:
    chunk = (line[:-1] + b"\r\n") * (1 << 16)
    for _ in range(gib // len(chunk)): f.write(chunk)
block = os.urandom(1 << 20)
for name in "abc":
    with open(name, "wb") as f:
        for _ in range(gib >> 20): f.write(block)
os.makedirs("tree")
for d in range(100):
    folder = os.path.join("tree", "d%03d" % d)
    os.makedirs(folder)
    for i in range(100):
        with open(os.path.join(folder, "f%03d.txt" % i), "wb") as f:
            f.write(block[: 1024 + 37 * i])
PY
cat lf crlf a b c > /dev/null  # into the page cache

# row NAME TARGET INPUTS PELTRIX_COMMAND TOOL_COMMAND [SETUP]
# SETUP runs first before every run (an in-place row makes its input anew).
# Before every run the inputs are read into the page cache again (this
# machine may drop it between runs), nothing is left to write back, and the
# outputs go last: the memory they free is what the run writes into, before
# the machine hands it back to its host and must fetch it again, which would
# make a run several times slower at random.
results=()
row() {
  local name=$1 target=$2 inputs=$3 mine=$4 tool=$5 setup=${6:-true}
  echo "running: $name" >&2
  local prepare="$setup; cat $inputs > /dev/null; sync; rm -rf o copy out"
  # The two commands take turns, run after run, so that a change in the
  # machine's load falls on both alike.
  local ratios ratio best
  ratios=$(python3 - "$runs" "$prepare" "$mine" "$tool" <<'PY'
import statistics, subprocess, sys, time
runs, prepare, mine, tool = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
times = {mine: [], tool: []}
ratios = []  # one per turn: the two commands ran back to back, in the same phase of the machine
for turn in range(runs + 1):
    turn_times = {}
    for command in (mine, tool) if turn % 2 == 0 else (tool, mine):
        subprocess.run(prepare, shell=True, check=True)
        start = time.perf_counter()
        subprocess.run(command, shell=True, check=True, stdout=subprocess.DEVNULL)
        turn_times[command] = time.perf_counter() - start
    if turn > 0:  # the first turn warms up
        for command, seconds in turn_times.items(): times[command].append(seconds)
        ratios.append(turn_times[mine] / turn_times[tool])
print("%.3f %.3f" % (statistics.median(ratios), min(times[mine]) / min(times[tool])))
PY
)
  read -r ratio best <<<"$ratios"
  eval "$prepare"
  # GNU time, not Python: a child forked from Python reports Python's memory
  # as its own peak. KiB, rounded up to MiB.
  local rss
  /usr/bin/time -f %M -o "$work/rss" sh -c "$mine" >/dev/null
  rss=$(( ($(tail -n 1 "$work/rss") + 1023) / 1024 ))
  eval "$prepare"
  local verdict=ok
  python3 -c "import sys; sys.exit(0 if $ratio <= $target and $rss <= 16 else 1)" || verdict=MISSED
  results+=("$(printf '| %-38s | %6s | %6s | %6s | %4s MiB | %s |' "$name" "$ratio" "$best" "$target" "$rss" "$verdict")")
}

P=$peltrix
# The record rows take 10 million of the 1 GiB file's 13.6 million records,
# and as large a part of a smaller file; their names say how many.
mib=${PELTRIX_BENCH_MIB:-1024}
records=$(( 10000000 * mib / 1024 ))
count=$(python3 -c "print('10 million' if $records == 10000000 else f'{$records:,}')")
row "copy one file (cp)" 1.5 a "$P /I/IFa /O/OFcopy/OU2" "cp a copy"
row "join three files (cat)" 1.05 "a b c" "$P '/I/IFa;b;c' /O/OFo/OU2" "cat a b c > o"
row "to standard output (cat)" 1.05 a "$P /I/IFa > o" "cat a > o"
row "CR LF to LF (dos2unix)" 0.2 crlf "$P /I/IFcrlf /O/OFo/OU2/OR1" "dos2unix -q -n crlf o"
row "LF to CR LF (unix2dos)" 0.2 lf "$P /I/IFlf /O/OFo/OU2/OR2" "unix2dos -q -n lf o"
row "skip $count records (tail)" 1.0 lf "$P /I/IFlf/IL$records /O/OFo/OU2" "tail -n +$((records + 1)) lf > o"
row "first $count records (head)" 1.0 lf "$P /I/IFlf/IP$records /O/OFo/OU2" "head -n $records lf > o"
row "byte window (dd)" 1.0 a "$P /I/IFa/IT1000/IB500000000 /O/OFo/OU2" \
  "dd if=a of=o bs=1M iflag=skip_bytes,count_bytes skip=1000 count=500000000 status=none"
row "CR LF to LF in place (dos2unix)" 1.5 ip "$P /I/IFip /O/OFip/OU2/OR1" "dos2unix -q ip" "cp crlf ip"
row "count records while copying" 1.15 lf "$P /I/IFlf /O/OFo/OU2 /M/MT3 > /dev/null" "$P /I/IFlf /O/OFo/OU2"
row "10,000 small files, tree copy (cp -r)" 1.2 "tree/*/*" "$P /I/IDtree /S /N /O/ODout/OU2" "cp -r tree out"

echo
echo "| work | median ratio | fastest-run ratio | target | peak memory | |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${results[@]}"
