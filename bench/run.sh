#!/usr/bin/env bash
# Measures Calcaro CM1 against the floor of any Qt Widgets program, on a virtual X display:
# start-up time and memory, CPU while idle and during a question, and the real length of a
# question and of a pause. Prints medians as a table, with ratios to the floor or to nominal.
# usage: bench/run.sh [--smoke]   (--smoke: one short run of everything, to see that it works)
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages "${calcaro_packages_display[@]}"

smoke=false
[ "${1:-}" = --smoke ] && smoke=true
if $smoke; then runs=1 idle=1 play=2 timing_runs=1 speeds=(rapide); else
    runs=7 idle=10 play=8 timing_runs=5 speeds=(lent moyen rapide); fi

build=$calcaro_root/build-bench
calcaro_workflow bench
calcaro=$build/widgets/calcaro
bare=$build/bench/bare_window

# A folder of its own, also for Qt's runtime files, gone at the end; a display number of its own:
# Xvfb picks a free one and tells it.
work=$(mktemp -d)
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
displayfile=$work/display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb ${XEV_PID:-} 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$displayfile")
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
clk_tck=$(getconf CLK_TCK)

# Start-up: from exec to the mapping of its first window, as the X server reports it (polling
# for the window instead would load the server and slow down what it measures); then resident
# memory after 3 s.
coproc XEV { stdbuf -oL xev -root -event substructure 2>/dev/null; }
sleep 0.5
startup() { # program -> "ms kib"
    local t0 pid t1 line
    t0=$(now_ms)
    "$1" >/dev/null 2>"$work/bench-stderr" &
    pid=$!
    while :; do
        if ! IFS= read -r -t 20 line <&"${XEV[0]}"; then
            echo "$1 showed no window:" >&2
            cat "$work/bench-stderr" >&2
            exit 1
        fi
        [[ $line == MapNotify* ]] && break
    done
    t1=$(now_ms)
    sleep 3
    echo "$((t1 - t0)) $(awk '/VmRSS/ { print $2 }' "/proc/$pid/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # What the window's end reported meanwhile is not for the next run.
    while IFS= read -r -t 0.3 line <&"${XEV[0]}"; do :; done
}

declare -A start mem
: >"$work/bench-bare"
: >"$work/bench-calcaro"
startup "$bare" >/dev/null # warms the caches for both
for _ in $(seq $runs); do # interleaved, so that neither gains from going first
    startup "$bare" >>"$work/bench-bare"
    startup "$calcaro" >>"$work/bench-calcaro"
done
for program in bare calcaro; do
    start[$program]=$(cut -d' ' -f1 "$work/bench-$program" | median)
    mem[$program]=$(cut -d' ' -f2 "$work/bench-$program" | median)
    rm -f "$work/bench-$program"
done

# CPU: the game idle, then while a question runs at "Lent" (bench_timing presses "Démarrer").
cpu_use() { # settle-seconds measured-seconds decimals command... -> % of one core
    local settle=$1 span=$2 decimals=$3 pid c0 c1
    shift 3
    "$@" >/dev/null 2>&1 &
    pid=$!
    sleep "$settle"
    c0=$(cpu_ticks $pid)
    sleep "$span"
    c1=$(cpu_ticks $pid)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v t=$((c1 - c0)) -v s="$span" -v hz="$clk_tck" -v d="$decimals" \
        'BEGIN { printf "%.*f", d, 100 * t / hz / s }'
}
idle_cpu=$(cpu_use 2 "$idle" 1 "$calcaro")
play_cpu=$(cpu_use 1 "$play" 2 "$build/bench/bench_timing" play)

# Real lengths of questions and pauses on the Qt timers.
declare -A question pause nominal=([lent]=10000 [moyen]=5000 [rapide]=2500)
for speed in "${speeds[@]}"; do
    "$build/bench/bench_timing" "$speed" "$timing_runs" 2>/dev/null >"$work/bench-timing"
    question[$speed]=$(cut -f1 "$work/bench-timing" | median)
    pause[$speed]=$(cut -f2 "$work/bench-timing" | median)
    rm -f "$work/bench-timing"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
echo
echo "| measure | calcaro | floor or nominal | ratio | target |"
echo "| --- | --- | --- | --- | --- |"
echo "| start-up to first window (ms) | ${start[calcaro]} | ${start[bare]} | $(ratio "${start[calcaro]}" "${start[bare]}") | ≤ 1.2 |"
echo "| resident memory after 3 s (KiB) | ${mem[calcaro]} | ${mem[bare]} | $(ratio "${mem[calcaro]}" "${mem[bare]}") | ≤ 1.15 |"
echo "| CPU while idle (% of a core) | $idle_cpu | 0.0 | | 0.0 |"
echo "| CPU during a question at Lent (% of a core) | $play_cpu | | | < 1 |"
for speed in "${speeds[@]}"; do
    echo "| question at $speed, to the time-out (ms) | ${question[$speed]} | ${nominal[$speed]} | $(ratio "${question[$speed]}" "${nominal[$speed]}") | within 0.5 % |"
done
speed=${speeds[-1]}
echo "| feedback pause (ms) | ${pause[$speed]} | 1000 | $(ratio "${pause[$speed]}" 1000) | within 0.5 % |"
echo
echo "$runs runs each for start-up and memory, $timing_runs questions per speed; medians."
