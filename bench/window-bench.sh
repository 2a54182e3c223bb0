#!/usr/bin/env bash
# The window's conversion beside veltrane-cli's on the same generated databases (those of
# bench/schema-bench.sh: 20 columns and 4 indexes a table). The window is the real main window, driven
# offscreen by veltrane-window-run: it clicks "Gen SQL" and times the run until the window shows "Done...",
# with the progress captions and the growing script painted as a user sees them. veltrane-cli is timed as a
# whole process (start, reader process, conversion, output). Prints the best of RUNS runs of each, and how long
# closing the window took after the run (settings saved, reader process ended).
#
# Usage: bench/window-bench.sh [BUILD_DIR] [TABLE_COUNTS...]
#   BUILD_DIR     default: build (needs bin/mkmdb, bin/veltrane-cli, bin/veltrane-window-run)
#   TABLE_COUNTS  default: 1000 3000
#   RUNS=N        runs per measurement, the best one counts (default 3)
set -euo pipefail
export LC_ALL=C QT_QPA_PLATFORM=offscreen

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(1000 3000)
runs=${RUNS:-3}
cli=$build/bin/veltrane-cli
window=$build/bin/veltrane-window-run
cache=$build/bench

for program in "$cli" "$window" /usr/bin/time; do
    [[ -x $program ]] || { echo "missing: $program (build veltrane-cli and veltrane-window-run)" >&2; exit 1; }
done
# The databases are made by schema-bench.sh; run it for the sizes missing (it times veltrane-cli too).
for n in "${sizes[@]}"; do
    [[ -f $cache/tables-$n.mdb ]] || RUNS=1 bash "$root/bench/schema-bench.sh" "$build" "$n" >/dev/null
done
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

best() { sort -g | head -n 1; }

cli_seconds() { # DB TYPE
    for ((r = 0; r < runs; r++)); do
        /usr/bin/time -f '%e' -o "$cache/time.txt" "$cli" --script-type "$2" "$1" >/dev/null
        cat "$cache/time.txt"
    done | best
}

window_seconds() { # DB TYPE: "run process close" of the fastest run
    for ((r = 0; r < runs; r++)); do
        local out run length close
        out=$(/usr/bin/time -f '%e' -o "$cache/time.txt" "$window" "$1" "$2" 2>/dev/null)
        read -r run length close <<<"$out"
        echo "$run $(cat "$cache/time.txt") $close"
    done | sort -g | head -n 1
}

printf '%s\n' "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
printf '%s\n' "Date: $(date -u '+%Y-%m-%d %H:%M UTC'), best of $runs runs"
printf '%-7s %-11s %8s %13s %17s %15s %10s\n' tables dialect "cli s" "window run s" "window process s" "window close s" "run / cli"
for n in "${sizes[@]}"; do
    db=$cache/tables-$n.mdb
    for type in "Access SQL" T-SQL; do
        c=$(cli_seconds "$db" "$type")
        read -r w p x < <(window_seconds "$db" "$type")
        ratio=$(awk -v a="$w" -v b="$c" 'BEGIN { printf "%.2f", a / b }')
        printf '%-7s %-11s %8s %13s %17s %15s %10s\n' "$n" "$type" "$c" "$w" "$p" "$x" "$ratio"
    done
done
