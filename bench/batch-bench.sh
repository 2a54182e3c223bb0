#!/usr/bin/env bash
# Cost of a batch migration: ten databases (mkmdb's benchmark table "Orders" of ROWS rows each, written once
# into BUILD_DIR/bench/batch) migrated by one veltrane-cli --into with -j JOBS, against the same ten migrated
# by ten runs of veltrane-cli --into one after the other. The target is SQLite files by default (no server to
# start), or the server of TARGET (a URL such as postgresql:///bench?host=/run/postgresql into a database
# that exists; each run there makes and fills one schema or database a file, dropped again before the next).
#
# Each way runs RUNS times, alternating, and the median wall time counts. Printed: both medians with the
# median CPU time of each, their ratio (the goal on 2 cores: at most 0.6) and the load average when it started.
#
# Usage: bench/batch-bench.sh [BUILD_DIR]
#   BUILD_DIR   default: build (needs bin/mkmdb and bin/veltrane-cli; a Release build for real figures)
#   DATABASES=N databases (default 10)    ROWS=N rows each (default 100000)
#   JOBS=N      -j of the batch (default 2)  RUNS=N (default 3)
#   TARGET=URL  a PostgreSQL or MySQL address instead of SQLite files
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
count=${DATABASES:-10}
rows=${ROWS:-100000}
jobs=${JOBS:-2}
runs=${RUNS:-3}
target=${TARGET:-}
mkmdb=$build/bin/mkmdb
cli=$build/bin/veltrane-cli
cache=$build/bench/batch

[[ -x $mkmdb ]] || { echo "no mkmdb at $mkmdb: build the mkmdb target first" >&2; exit 1; }
[[ -x $cli ]] || { echo "no veltrane-cli at $cli: build the veltrane-cli target first" >&2; exit 1; }
mkdir -p "$cache/in"
for ((i = 1; i <= count; i++)); do
    db=$cache/in/shop$i.mdb
    [[ -s $db && $(cat "$cache/in/rows" 2>/dev/null) == "$rows" ]] || "$mkmdb" --benchmark "$rows" "$db" >/dev/null
done
echo "$rows" >"$cache/in/rows"

# Empties the target: the SQLite files, or the namespaces the runs made on the server.
clean() {
    rm -rf "$cache/out"
    [[ -z $target ]] && return
    local i sql=""
    for ((i = 1; i <= count; i++)); do
        case $target in
        mysql:* | mariadb:*) sql+="DROP DATABASE IF EXISTS shop$i;" ;;
        *) sql+="DROP SCHEMA IF EXISTS shop$i CASCADE;" ;;
        esac
    done
    case $target in
    mysql:* | mariadb:*) mariadb -e "$sql" ;;
    *) psql -q -d "$target" -c "$sql" >/dev/null ;;
    esac
}

# Prints "wall-seconds cpu-seconds": the CPU time of every process the run started (the readers too, which
# no one waits for) as perf counts it, or - without perf. Where the CPU time is far below the wall time on
# one core, the machine was busy with other work and the ratio says little.
seconds() {
    local start=$EPOCHREALTIME status=0 cpu=-
    if command -v perf >/dev/null; then
        perf stat -x , -e task-clock -o "$cache/perf.txt" "$@" >/dev/null 2>"$cache/stderr.txt" || status=$?
    else
        "$@" >/dev/null 2>"$cache/stderr.txt" || status=$?
    fi
    local end=$EPOCHREALTIME
    ((status == 0)) || { echo "failed ($status): $* $(head -c 300 "$cache/stderr.txt")" >&2; exit 1; }
    [[ -s $cache/perf.txt ]] && cpu=$(awk -F , '/task-clock/ { printf "%.3f", $1 / 1000 }' "$cache/perf.txt")
    rm -f "$cache/perf.txt"
    awk -v a="$start" -v b="$end" -v c="$cpu" 'BEGIN { printf "%.3f %s\n", b - a, c }'
}

one_by_one() {
    local i
    mkdir -p "$cache/out"
    for ((i = 1; i <= count; i++)); do
        if [[ -z $target ]]; then
            "$cli" --into "sqlite:$cache/out/shop$i.sqlite" "$cache/in/shop$i.mdb"
        else
            "$cli" --into "$target" --schema "shop$i" "$cache/in/shop$i.mdb"
        fi
    done
}

batch() {
    "$cli" --into "${target:-sqlite:$cache/out}" -j "$jobs" "$cache/in"
}

# perf starts programs, not shell functions: the two ways run in a shell of their own.
export -f one_by_one batch
export cache count target cli jobs

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

load=$(cut -d ' ' -f 1-3 /proc/loadavg)
seq=()
par=()
for ((r = 1; r <= runs; r++)); do
    clean
    seq+=("$(seconds bash -c one_by_one)")
    clean
    par+=("$(seconds bash -c batch)")
done
clean
column() { printf '%s\n' "${@:2}" | cut -d ' ' -f "$1" | median; }
s=$(column 1 "${seq[@]}")
p=$(column 1 "${par[@]}")
printf 'databases %d, rows each %d, target %s, load %s\n' "$count" "$rows" "${target:-SQLite files}" "$load"
printf '%-22s %8s %8s\n' "" "wall s" "CPU s" "one after the other" "$s" "$(column 2 "${seq[@]}")" \
    "batch -j $jobs" "$p" "$(column 2 "${par[@]}")"
awk -v s="$s" -v p="$p" 'BEGIN { printf "%-22s %8.2f  (goal: at most 0.60)\n", "ratio", p / s }'
