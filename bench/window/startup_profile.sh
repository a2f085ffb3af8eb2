#!/usr/bin/env bash
# Where the simulator's start-up spends its processor time up to the first
# painted frame: one start under `perf record`, the samples split by the step
# of main() they fall in (the dynamic loader before it, other threads apart).
# Needs perf and an X display; measure.sh runs it. Figures are CPU time with
# perf's own unwinding added, so they run a little above the start's wall time.
# Usage: bench/window/startup_profile.sh TIKO BINDIR WORKDIR [ENV=VALUE...]
set -euo pipefail
tiko=$1 bindir=$2 work=$3
shift 3
rate=4000  # samples a second: one is 0.25 ms
if ! command -v perf > /dev/null; then
  echo "  (perf is not installed: no profile)"
  exit 0
fi
fifo=$work/profile_fifo
rm -f "$fifo" "$work/perf.data"
mkfifo "$fifo"
(cd "$bindir" && exec env TIKO_REPORT_FIRST_FRAME=1 "$@" perf record -q -F "$rate" \
  --call-graph dwarf,16384 -o "$work/perf.data" -- "$tiko" > "$fifo" 2> /dev/null) &
recorder=$!
read -r own < "$fifo" || true
# The program is perf's child: ending it ends the record.
child=$(pgrep -P "$recorder" -f "$tiko" | head -1 || true)
[[ -z $child ]] && child=$(pgrep -f "^$tiko" | tail -1 || true)
[[ -n $child ]] && kill "$child" 2> /dev/null || true
wait "$recorder" 2> /dev/null || true
echo "  ${own:-no first frame reported}"
perf script -i "$work/perf.data" 2> /dev/null | awk -v rate="$rate" '
  # One sample: a head line, then its stack innermost first, then a blank line.
  function flush(   i, key) {
    if (n == 0) return
    key = ""
    for (i = 1; i <= n; ++i) if (sym[i] == "main") { key = (i > 1 ? sym[i - 1] : "main itself"); break }
    if (key == "") {
      for (i = 1; i <= n; ++i) if (sym[i] ~ /^_dl_start/) { key = "dynamic loader, before main"; break }
    }
    if (key == "") key = (tid == main_tid ? "main thread, stack not unwound to main" : "thread " comm)
    count[key]++
    total++
    n = 0
  }
  /^[^ \t]/ { flush(); comm = $1; tid = $2; if (main_tid == "") main_tid = tid; next }
  /^[ \t]*$/ { flush(); next }
  {
    line = $0
    sub(/^[ \t]*[0-9a-f]+ /, "", line)
    sub(/ \([^()]*\)$/, "", line)
    sub(/\+0x[0-9a-f]+$/, "", line)
    sym[++n] = line
  }
  END {
    flush()
    for (k in count) printf "%8.1f ms  %s\n", count[k] * 1000 / rate, k
    printf "%8.1f ms  in all (%d samples)\n", total * 1000 / rate, total
  }' | sort -rn | head -16
