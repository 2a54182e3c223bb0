#!/usr/bin/env bash
# Cost of the rows: veltrane-cli writing a table of N rows (mkmdb's benchmark table "Orders": an AutoNumber
# key, text, Currency, Double, Date/Time, Yes/No, Integer and a Memo in every fourth row) as each complete
# script with --data and as CSV, next to mdbtools' mdb-export of the same table (CSV, and -I postgres for
# INSERT statements), on databases of 200,000 and 1,000,000 rows written once by mkmdb into BUILD_DIR/bench.
#
# Each command runs RUNS times and the median wall time counts. Printed per command: the median seconds, rows
# per second, MB of output per second, the largest peak memory (maximum resident set of the command's own
# process, which for veltrane-cli leaves out its reader process) and the output's size.
#
# Usage: bench/data-bench.sh [BUILD_DIR] [ROW_COUNTS...]
#   BUILD_DIR   default: build (needs bin/mkmdb and bin/veltrane-cli; a Release build for real figures)
#   ROW_COUNTS  default: 200000 1000000
#   RUNS=N      runs of each command (default 3)
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(200000 1000000)
runs=${RUNS:-3}
mkmdb=$build/bin/mkmdb
cli=$build/bin/veltrane-cli
cache=$build/bench

[[ -x $mkmdb ]] || { echo "no mkmdb at $mkmdb: build the mkmdb target first" >&2; exit 1; }
[[ -x $cli ]] || { echo "no veltrane-cli at $cli: build the veltrane-cli target first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs GNU time (/usr/bin/time, Debian package time)" >&2; exit 1; }
mdbexport=$(command -v mdb-export || true)
mkdir -p "$cache"

# Runs a command once with its output into $cache/out; prints "seconds kilobytes bytes".
run_once() {
    local start end
    rm -rf "$cache/out" "$cache/csv"
    start=$EPOCHREALTIME
    if ! /usr/bin/time -f '%M' -o "$cache/time.txt" "$@" >"$cache/out" 2>"$cache/stderr.txt"; then
        # veltrane-cli's 65 (a value a server cannot hold) still writes the whole output.
        [[ $(tail -n 1 "$cache/time.txt") =~ ^[0-9]+$ ]] || {
            echo "failed: $* ($(head -c 200 "$cache/stderr.txt"))" >&2
            return 1
        }
    fi
    end=$EPOCHREALTIME
    local bytes
    bytes=$( (du -cb "$cache/out" "$cache/csv" 2>/dev/null || true) | tail -n 1 | cut -f 1)
    awk -v a="$start" -v b="$end" -v k="$(tail -n 1 "$cache/time.txt")" -v s="$bytes" \
        'BEGIN { printf "%.4f %d %d\n", b - a, k, s }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
largest() { sort -n | tail -n 1; }

printf '%s\n' "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
printf '%s\n' "Date: $(date -u '+%Y-%m-%d %H:%M UTC'), median of $runs runs"
printf '%-8s %-30s %9s %12s %8s %9s %9s\n' rows command seconds rows/s MB/s "peak MiB" "out MiB"
for n in "${sizes[@]}"; do
    db=$cache/rows-$n.mdb
    [[ -f $db ]] || "$mkmdb" --benchmark "$n" "$db"
    commands=(
        "veltrane PostgreSQL|$cli -t PostgreSQL --data $db"
        "veltrane MySQL|$cli -t MySQL --data $db"
        "veltrane SQLite|$cli -t SQLite --data $db"
        "veltrane SQL Server|$cli -t SQL\\ Server --data $db"
        "veltrane --csv|$cli --csv $cache/csv $db"
    )
    if [[ -n $mdbexport ]]; then
        commands+=("mdb-export CSV|$mdbexport $db Orders" "mdb-export -I postgres|$mdbexport -I postgres $db Orders")
    fi
    for entry in "${commands[@]}"; do
        label=${entry%%|*}
        command=${entry#*|}
        seconds=() kilobytes=() size=0
        for ((r = 0; r < runs; r++)); do
            read -r s k b < <(eval run_once "$command") || continue
            seconds+=("$s")
            kilobytes+=("$k")
            size=$b
        done
        ((${#seconds[@]})) || continue
        med=$(printf '%s\n' "${seconds[@]}" | median)
        peak=$(printf '%s\n' "${kilobytes[@]}" | largest)
        awk -v n="$n" -v l="$label" -v s="$med" -v k="$peak" -v b="$size" 'BEGIN {
            printf "%-8d %-30s %9.3f %12.0f %8.1f %9.1f %9.1f\n", n, l, s, n / s, b / s / 1e6, k / 1024, b / 1048576 }'
    done
done
