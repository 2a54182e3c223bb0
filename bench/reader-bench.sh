#!/usr/bin/env bash
# Per-call time of each schema request of the reader process (table list, fields, indexes, whole schema) on
# the largest Access fixture. Every request opens and reads the file anew, as the program's reader does; the
# time of starting the process is measured apart and left out.
#
# Usage: bench/reader-bench.sh [BUILD_DIR] [DATABASE] [TABLE]
#   BUILD_DIR  default: build     DATABASE  default: the largest file in ../shared/fixtures
#   TABLE      the table for the fields and indexes requests (default: the table with the most columns
#              of the default database, Table2)
#   CALLS=N    requests per operation (default 500)
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
reader=$build/bin/veltrane-reader
fixtures=$root/../shared/fixtures
database=${2:-$(ls -S "$fixtures"/*.mdb "$fixtures"/*.accdb 2>/dev/null | head -n 1)}
table=${3:-Table2}
calls=${CALLS:-500}

[[ -x $reader ]] || { echo "no reader at $reader: build the veltrane-reader target first" >&2; exit 1; }
[[ -f $database ]] || { echo "no database at '$database'" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

u32() {
    local v=$1
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255)))"
}
text() { u32 ${#1}; printf '%s' "$1"; }

# One framed request: kind 1 table list, 2 fields, 3 indexes, 4 whole schema.
request() {
    local kind=$1 path=$2 name=${3-}
    local size=$((4 + 4 + ${#path}))
    ((kind == 2 || kind == 3)) && size=$((size + 4 + ${#name}))
    u32 $size
    u32 "$kind"
    text "$path"
    if ((kind == 2 || kind == 3)); then text "$name"; fi
}

now_ns() { date +%s%N; }

# Runs the reader over a file of requests; prints the elapsed nanoseconds.
run() {
    local start end
    start=$(now_ns)
    "$reader" <"$1" >/dev/null
    end=$(now_ns)
    echo $((end - start))
}

: >"$work/none"
startup=0
for _ in 1 2 3 4 5; do startup=$((startup + $(run "$work/none"))); done
startup=$((startup / 5))

echo "database: $database ($(stat -c %s "$database") bytes), table: $table, $calls calls each"
printf '%-14s %12s\n' "operation" "ms per call"
for op in "1 table-list" "2 fields" "3 indexes" "4 whole-schema"; do
    kind=${op%% *}
    label=${op#* }
    one=$work/one-$kind
    request "$kind" "$database" "$table" >"$one"
    for ((i = 0; i < calls; i++)); do cat "$one"; done >"$work/many-$kind"
    elapsed=$(($(run "$work/many-$kind") - startup))
    awk -v ns="$elapsed" -v n="$calls" -v label="$label" 'BEGIN { printf "%-14s %12.3f\n", label, ns / n / 1e6 }'
done
awk -v ns="$startup" 'BEGIN { printf "%-14s %12.3f\n", "(start-up)", ns / 1e6 }'
