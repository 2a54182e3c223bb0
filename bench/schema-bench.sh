#!/usr/bin/env bash
# Cost of a whole conversion against the size of the schema: veltrane-cli in both classic dialects and the
# four complete script types, each next to the closest backend of mdbtools' mdb-schema on the same file
# (Access SQL: access; T-SQL and SQL Server: sybase, its T-SQL; PostgreSQL: postgres; MySQL: mysql; SQLite:
# sqlite), on generated databases of 100, 1,000 and 3,000 tables (20 columns and 4 indexes each). The
# databases are written once by mkmdb and kept in BUILD_DIR/bench.
#
# Each pair is run RUNS times, the two programs alternating, and the median wall time counts. Printed per
# pair: the median seconds of each, veltrane-cli's time per table (in all, and from the previous size on,
# which leaves out the fixed cost of starting), the ratio of the medians, the largest peak memory (maximum
# resident set) of each, the script's size and the memory goal: twice mdb-schema's peak plus the script.
#
# Usage: bench/schema-bench.sh [BUILD_DIR] [TABLE_COUNTS...]
#   BUILD_DIR     default: build (needs bin/mkmdb and bin/veltrane-cli; a Release build for real figures)
#   TABLE_COUNTS  default: 100 1000 3000
#   RUNS=N        runs of each program per pair (default 5)
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(100 1000 3000)
runs=${RUNS:-5}
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

# Runs a command once; prints "seconds kilobytes" (wall time, peak resident set of its largest process).
run_once() {
    local start end
    start=$EPOCHREALTIME
    if ! /usr/bin/time -f '%M' -o "$cache/time.txt" "$@" >"$cache/out.txt" 2>"$cache/stderr.txt"; then
        echo "failed: $* ($(head -c 200 "$cache/stderr.txt"))" >&2
        return 1
    fi
    end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" -v k="$(tail -n 1 "$cache/time.txt")" 'BEGIN { printf "%.4f %d\n", b - a, k }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
largest() { sort -n | tail -n 1; }

printf '%s\n' "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
printf '%s\n' "Date: $(date -u '+%Y-%m-%d %H:%M UTC'), median of $runs alternating runs"
printf '%-6s %-11s %-11s %8s %8s %8s %8s %6s %8s %8s %8s %8s\n' tables veltrane mdb-schema "v s" "m s" "v us/tb" \
    "step" ratio "v MiB" "m MiB" "sql MiB" "goal MiB"
declare -A previous_seconds previous_size
for n in "${sizes[@]}"; do
    db=$cache/tables-$n.mdb
    if [[ ! -f $db ]]; then
        describe "$n" >"$cache/tables-$n.json"
        "$mkmdb" "$cache/tables-$n.json" "$db"
    fi
    for pair in "Access SQL:access" "T-SQL:sybase" "SQL Server:sybase" "PostgreSQL:postgres" "MySQL:mysql" \
        "SQLite:sqlite"; do
        type=${pair%%:*}
        backend=${pair#*:}
        ours=() theirs=()
        for ((r = 0; r < runs; r++)); do
            if [[ -n $mdbschema ]]; then
                theirs+=("$(run_once "$mdbschema" "$db" "$backend")") || continue 2
            fi
            ours+=("$(run_once "$cli" --script-type "$type" "$db")") || continue 2
        done
        script=$(stat -c %s "$cache/out.txt")
        v_s=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
        v_k=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | largest)
        m_s=- m_k=- ratio=- goal=-
        if ((${#theirs[@]})); then
            m_s=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f1 | median)
            m_k=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f2 | largest)
            ratio=$(awk -v a="$v_s" -v b="$m_s" 'BEGIN { printf "%.2f", a / b }')
            goal=$(awk -v k="$m_k" -v s="$script" 'BEGIN { printf "%.1f", (2 * k * 1024 + s) / 1048576 }')
            m_k=$(awk -v k="$m_k" 'BEGIN { printf "%.1f", k / 1024 }')
            m_s=$(awk -v s="$m_s" 'BEGIN { printf "%.3f", s }')
        fi
        step=-
        if [[ -n ${previous_seconds[$type]:-} ]]; then
            step=$(awk -v a="$v_s" -v b="${previous_seconds[$type]}" -v n="$n" -v m="${previous_size[$type]}" \
                'BEGIN { printf "%.1f", (a - b) / (n - m) * 1e6 }')
        fi
        previous_seconds[$type]=$v_s
        previous_size[$type]=$n
        printf '%-6s %-11s %-11s %8.3f %8s %8.1f %8s %6s %8.1f %8s %8.1f %8s\n' "$n" "$type" "$backend" "$v_s" \
            "$m_s" "$(awk -v s="$v_s" -v n="$n" 'BEGIN { print s / n * 1e6 }')" "$step" "$ratio" \
            "$(awk -v k="$v_k" 'BEGIN { print k / 1024 }')" "$m_k" "$(awk -v s="$script" 'BEGIN { print s / 1048576 }')" \
            "$goal"
    done
done
