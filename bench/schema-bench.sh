#!/usr/bin/env bash
# Cost of a whole conversion against the size of the schema: veltrane-cli in both classic dialects and the
# four complete script types and, for comparison, mdbtools' mdb-schema (its access backend, and its
# postgres, mysql and sqlite backends next to the complete scripts) on the same generated databases of 100,
# 1,000 and 3,000 tables (20 columns and 4 indexes each). The databases are written once by mkmdb and kept in BUILD_DIR/bench.
# Prints wall time, peak memory (maximum resident set) and the time as a multiple of mdb-schema's.
#
# Usage: bench/schema-bench.sh [BUILD_DIR] [TABLE_COUNTS...]
#   BUILD_DIR     default: build (needs bin/mkmdb and bin/veltrane-cli)
#   TABLE_COUNTS  default: 100 1000 3000
#   RUNS=N        runs per measurement, the best one counts (default 3)
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(100 1000 3000)
runs=${RUNS:-3}
mkmdb=$build/bin/mkmdb
cli=$build/bin/veltrane-cli
cache=$build/bench

[[ -x $mkmdb ]] || { echo "no mkmdb at $mkmdb: build the mkmdb target first" >&2; exit 1; }
[[ -x $cli ]] || { echo "no veltrane-cli at $cli: build the veltrane-cli target first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs GNU time (/usr/bin/time, Debian package time)" >&2; exit 1; }
mdbschema=$(command -v mdb-schema || true)
mkdir -p "$cache"

# The schema description of a database of N tables: an AutoNumber key, 19 columns of mixed types with
# spaces in their names, the primary key and three more indexes (one over two columns).
describe() {
    awk -v n="$1" 'BEGIN {
        split("Text Long Double Date/Time Currency Yes/No Memo Integer Byte Single", types, " ")
        printf "{\"tables\": [\n"
        for (t = 1; t <= n; t++) {
            printf "{\"name\": \"Table %04d\", \"columns\": [", t
            printf "{\"name\": \"ID\", \"type\": \"Long\", \"autoNumber\": true, \"required\": true}"
            for (c = 1; c < 20; c++) {
                type = types[(c - 1) % 10 + 1]
                printf ", {\"name\": \"Field %02d %s\", \"type\": \"%s\"", c, type, type
                if (type == "Text") printf ", \"length\": %d, \"allowZeroLength\": true", 20 + c
                printf ", \"required\": %s}", (c % 3 == 0) ? "true" : "false"
            }
            printf "], \"indexes\": ["
            printf "{\"name\": \"PrimaryKey\", \"columns\": [\"ID\"], \"primary\": true}, "
            printf "{\"name\": \"Field 01\", \"columns\": [\"Field 01 Text\"]}, "
            printf "{\"name\": \"Field 02\", \"columns\": [\"Field 02 Long\"], \"unique\": true}, "
            printf "{\"name\": \"Date and amount\", \"columns\": [\"Field 04 Date/Time\", \"Field 05 Currency\"]}"
            printf "]}%s\n", (t < n) ? "," : ""
        }
        printf "]}\n"
    }'
}

# Runs a command RUNS times; prints "seconds kilobytes" of the fastest run (memory: its peak RSS).
measure() {
    local best="" out
    for ((r = 0; r < runs; r++)); do
        if ! /usr/bin/time -f '%e %M' -o "$cache/time.txt" "$@" >/dev/null 2>"$cache/stderr.txt"; then
            echo "failed: $* ($(head -c 200 "$cache/stderr.txt"))" >&2
            echo "- 0"
            return
        fi
        out=$(tail -n 1 "$cache/time.txt")
        if [[ -z $best ]] || awk -v a="${out% *}" -v b="${best% *}" 'BEGIN { exit !(a < b) }'; then
            best=$out
        fi
    done
    echo "$best"
}

printf '%s\n' "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
printf '%s\n' "Date: $(date -u '+%Y-%m-%d %H:%M UTC'), best of $runs runs"
printf '%-7s %-10s %-24s %9s %10s %13s\n' tables "file" program "seconds" "peak MiB" "x mdb-schema"
for n in "${sizes[@]}"; do
    db=$cache/tables-$n.mdb
    if [[ ! -f $db ]]; then
        describe "$n" >"$cache/tables-$n.json"
        "$mkmdb" "$cache/tables-$n.json" "$db"
    fi
    size=$(($(stat -c %s "$db") / 1048576))MiB
    reference=""
    if [[ -n $mdbschema ]]; then
        reference=$(measure "$mdbschema" "$db" access)
    fi
    for run in "mdb-schema access" "veltrane-cli Access SQL" "veltrane-cli T-SQL"; do
        case $run in
        mdb-schema*)
            [[ -n $reference ]] || continue
            result=$reference
            ;;
        "veltrane-cli Access SQL") result=$(measure "$cli" --script-type "Access SQL" "$db") ;;
        "veltrane-cli T-SQL") result=$(measure "$cli" --script-type T-SQL "$db") ;;
        esac
        seconds=${result% *}
        mib=$(awk -v k="${result#* }" 'BEGIN { printf "%.1f", k / 1024 }')
        ratio=-
        if [[ -n $reference ]]; then
            ratio=$(awk -v a="$seconds" -v b="${reference% *}" 'BEGIN { if (a != "-" && b > 0) printf "%.2f", a / b; else print "-" }')
        fi
        printf '%-7s %-10s %-24s %9s %10s %13s\n' "$n" "$size" "$run" "$seconds" "$mib" "$ratio"
    done
    # The complete scripts, each next to mdb-schema's backend for the same server (SQL Server has none).
    for pair in "postgres:PostgreSQL" "mysql:MySQL" "sqlite:SQLite" "-:SQL Server"; do
        backend=${pair%%:*}
        type=${pair#*:}
        reference=""
        if [[ -n $mdbschema && $backend != - ]]; then
            reference=$(measure "$mdbschema" "$db" "$backend")
            mib=$(awk -v k="${reference#* }" 'BEGIN { printf "%.1f", k / 1024 }')
            printf '%-7s %-10s %-24s %9s %10s %13s\n' "$n" "$size" "mdb-schema $backend" "${reference% *}" "$mib" "1.00"
        fi
        result=$(measure "$cli" --script-type "$type" "$db")
        seconds=${result% *}
        mib=$(awk -v k="${result#* }" 'BEGIN { printf "%.1f", k / 1024 }')
        ratio=-
        if [[ -n $reference ]]; then
            ratio=$(awk -v a="$seconds" -v b="${reference% *}" 'BEGIN { if (a != "-" && b > 0) printf "%.2f", a / b; else print "-" }')
        fi
        printf '%-7s %-10s %-24s %9s %10s %13s\n' "$n" "$size" "veltrane-cli $type" "$seconds" "$mib" "$ratio"
    done
done
