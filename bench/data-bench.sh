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
#   PARTS=...   "scripts" (the timings above), "loads" (below) or both (default)
#   SERVERS=... the servers of the loads: any of "postgres mariadb sqlite" (default: all three)
#   BENCH_RAW=1 also print each run's seconds on standard error
#   LOADS=...   the loads: any of "into verify sync sync1 script mdbtools" (default: all)
#               (the runs of the loads take turns: one run of each, then the next)
#
# loads: the same table loaded into real servers, each started here in a temporary folder on a Unix socket
# (PostgreSQL as the postgres user when run as root, MariaDB, SQLite files), four ways a fresh database
# each time: veltrane-cli --into (the direct load), the same with --verify (every row read back and compared),
# --into --sync of a database migrated just before (untimed) with nothing changed and with 1 % of the rows'
# Customer changed,
# veltrane-cli's script with --data through the server's client (psql -f, mariadb, sqlite3), and mdb-schema
# plus mdb-export -I through the same client. Printed:
# the median seconds end to end and rows per second.
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

parts=${PARTS:-scripts loads}

printf '%s\n' "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
printf '%s\n' "Date: $(date -u '+%Y-%m-%d %H:%M UTC'), median of $runs runs"
[[ $parts == *scripts* ]] && printf '%-8s %-30s %9s %12s %8s %9s %9s\n' rows command seconds rows/s MB/s "peak MiB" "out MiB"
for n in "${sizes[@]}"; do
    [[ $parts == *scripts* ]] || break
    db=$cache/rows-$n.mdb
    [[ -f $db ]] || "$mkmdb" --benchmark "$n" "$db"
    # The same table with its text column Required: PostgreSQL counts the column's NULLs as it writes the
    # rows and adds NOT NULL after them; the other servers have the rows read once more before the script.
    required=$cache/rows-required-$n.mdb
    [[ -f $required ]] || "$mkmdb" --benchmark-required "$n" "$required"
    commands=(
        "veltrane PostgreSQL|$cli -t PostgreSQL --data $db"
        "veltrane PostgreSQL, Required|$cli -t PostgreSQL --data $required"
        "veltrane MySQL|$cli -t MySQL --data $db"
        "veltrane MySQL, Required|$cli -t MySQL --data $required"
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

[[ $parts == *loads* ]] || exit 0

# The servers, in a temporary folder that goes with the script.
servers=$(mktemp -d)
chmod 755 "$servers"
pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
as_pg=()
[[ $(id -u) -eq 0 ]] && as_pg=(runuser -u postgres --)
stop_servers() {
    [[ -n ${pgbin:-} && -d $servers/pg ]] && "${as_pg[@]}" "$pgbin/pg_ctl" -D "$servers/pg" -m immediate -w stop >/dev/null 2>&1 || true
    [[ -S $servers/my.sock ]] && mariadb-admin --no-defaults --socket="$servers/my.sock" -uroot shutdown >/dev/null 2>&1 || true
    rm -rf "$servers"
}
trap stop_servers EXIT
have_pg=0 have_my=0
if [[ -x $pgbin/initdb ]]; then
    [[ $(id -u) -eq 0 ]] && chown postgres "$servers"
    if "${as_pg[@]}" "$pgbin/initdb" -D "$servers/pg" -A trust -U postgres -E UTF8 --no-sync --locale=C >/dev/null &&
        "${as_pg[@]}" "$pgbin/pg_ctl" -D "$servers/pg" -l "$servers/pg.log" -w start \
            -o "-c listen_addresses='' -c unix_socket_directories='$servers' -c fsync=off -c full_page_writes=off -c synchronous_commit=off" >/dev/null; then
        have_pg=1
    fi
fi
if command -v mariadbd >/dev/null 2>&1 || [[ -x /usr/sbin/mariadbd ]]; then
    user=()
    [[ $(id -u) -eq 0 ]] && user=(--user=root)
    if mariadb-install-db --no-defaults --datadir="$servers/my" --tmpdir="$servers" --auth-root-authentication-method=normal \
        --skip-test-db --skip-name-resolve "${user[@]}" >/dev/null 2>&1; then
        /usr/sbin/mariadbd --no-defaults --datadir="$servers/my" --tmpdir="$servers" --socket="$servers/my.sock" --skip-networking \
            --pid-file="$servers/my.pid" --log-error="$servers/my.log" --innodb-buffer-pool-size=256M \
            --innodb-log-file-size=256M --innodb-flush-log-at-trx-commit=0 "${user[@]}" &
        for ((i = 0; i < 300; i++)); do
            mariadb-admin --no-defaults --socket="$servers/my.sock" -uroot ping >/dev/null 2>&1 && { have_my=1; break; }
            sleep 0.1
        done
    fi
fi
psql_=("${as_pg[@]}" psql -X -q -h "$servers" -U postgres -v ON_ERROR_STOP=1)
mariadb_=(mariadb --no-defaults --socket="$servers/my.sock" -uroot)
database=0
# A fresh database for each run, named in $target (the --into URL) and $client (the client with it).
fresh() {
    database=$((database + 1))
    case $1 in
    postgres)
        "${psql_[@]}" -d postgres -c "CREATE DATABASE load$database" >/dev/null
        target="postgresql://postgres@/load$database?host=$servers"
        client="${psql_[*]} -d load$database -f -" ;;
    mariadb)
        "${mariadb_[@]}" -e "CREATE DATABASE load$database CHARACTER SET utf8mb4"
        target="mysql://root@localhost/load$database?socket=$servers/my.sock"
        client="${mariadb_[*]} load$database" ;;
    sqlite)
        target="sqlite:$servers/load$database.db"
        client="sqlite3 -bail $servers/load$database.db" ;;
    esac
}
# Runs a load into a fresh database once; prints its seconds. The database is dropped afterwards.
load_once() {
    local server=$1 how=$2 db=$3 start end
    fresh "$server"
    chmod -R a+rX "$cache" 2>/dev/null || true
    # A sync's target: migrated first, and for sync1 with 1 % of its rows changed, neither timed.
    if [[ $how == sync* ]]; then
        "$cli" --into "$target" "$db" >/dev/null 2>"$cache/stderr.txt" || [[ $? -eq 65 ]] || return 1
        if [[ $how == sync1 ]]; then
            local change="UPDATE Orders SET Customer = 'changed' WHERE ID % 100 = 0"
            case $server in
            postgres) "${psql_[@]}" -d "load$database" -c "UPDATE \"Orders\" SET \"Customer\" = 'changed' WHERE \"ID\" % 100 = 0" >/dev/null ;;
            mariadb) "${mariadb_[@]}" "load$database" -e "$change" ;;
            sqlite) sqlite3 "$servers/load$database.db" "$change" ;;
            esac
        fi
        # A migrated database has been written out long before its cutover: the pages the migration just
        # wrote are flushed now, or the timed sync would pay for them.
        case $server in
        postgres) "${psql_[@]}" -d "load$database" -c "CHECKPOINT" >/dev/null ;;
        mariadb) "${mariadb_[@]}" "load$database" -e "FLUSH TABLES Orders FOR EXPORT; UNLOCK TABLES" ;;
        esac
        sync
    fi
    start=$EPOCHREALTIME
    case $how in
    sync*) "$cli" --into "$target" --sync "$db" >/dev/null 2>"$cache/stderr.txt" || [[ $? -eq 65 ]] ;;
    into) "$cli" --into "$target" "$db" >/dev/null 2>"$cache/stderr.txt" || [[ $? -eq 65 ]] ;;
    verify) "$cli" --into "$target" --verify "$db" >/dev/null 2>"$cache/stderr.txt" || [[ $? -eq 65 ]] ;;
    script) "$cli" -t "$4" --data "$db" 2>/dev/null | eval "$client" >/dev/null 2>"$cache/stderr.txt" ;;
    mdbtools) { mdb-schema "$db" "$5"; mdb-export -I "$5" ${6:-} "$db" Orders; } 2>/dev/null | eval "$client" >/dev/null 2>"$cache/stderr.txt" ;;
    esac || { echo "failed: $server $how ($(head -c 300 "$cache/stderr.txt"))" >&2; return 1; }
    end=$EPOCHREALTIME
    case $server in
    postgres) "${psql_[@]}" -d postgres -c "DROP DATABASE load$database" >/dev/null ;;
    mariadb) "${mariadb_[@]}" -e "DROP DATABASE load$database" ;;
    sqlite) rm -f "$servers/load$database.db" ;;
    esac
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}
echo
printf '%-8s %-10s %-34s %9s %12s\n' rows server load seconds rows/s
for n in "${sizes[@]}"; do
    db=$cache/rows-$n.mdb
    [[ -f $db ]] || "$mkmdb" --benchmark "$n" "$db"
    for server in ${SERVERS:-postgres mariadb sqlite}; do
        [[ $server == postgres && $have_pg == 0 ]] && continue
        [[ $server == mariadb && $have_my == 0 ]] && continue
        case $server in
        # mdb-export's 0 and 1 do not go into mdb-schema's PostgreSQL booleans: -B writes TRUE and FALSE.
        postgres) type=PostgreSQL mdbtype=postgres client_name="psql -f" mdbflags=-B ;;
        mariadb) type=MySQL mdbtype=mysql client_name=mariadb mdbflags= ;;
        sqlite) type=SQLite mdbtype=sqlite client_name=sqlite3 mdbflags= ;;
        esac
        # The runs of the loads take turns (one of each, then the next of each), so that the machine's
        # changing load weighs on every load alike and the ratios between them hold.
        hows=()
        for how in ${LOADS:-into verify sync sync1 script mdbtools}; do
            [[ $how == mdbtools ]] && ! command -v mdb-export >/dev/null && continue
            hows+=("$how")
        done
        declare -A seconds=()
        for ((r = 0; r < runs; r++)); do
            for how in "${hows[@]}"; do
                s=$(load_once "$server" "$how" "$db" "$type" "$mdbtype" "$mdbflags") || continue
                seconds[$how]+="$s "
                if [[ -n ${BENCH_RAW:-} ]]; then echo "$server $how $s" >&2; fi
            done
        done
        for how in "${hows[@]}"; do
            case $how in
            into) label="veltrane-cli --into" ;;
            verify) label="veltrane-cli --into --verify" ;;
            sync) label="--into --sync, nothing changed" ;;
            sync1) label="--into --sync, 1 % changed" ;;
            script) label="veltrane-cli --data | $client_name" ;;
            mdbtools) label="mdb-schema+mdb-export | $client_name" ;;
            esac
            [[ -n ${seconds[$how]:-} ]] || continue
            med=$(printf '%s\n' ${seconds[$how]} | median)
            awk -v n="$n" -v sv="$server" -v l="$label" -v s="$med" 'BEGIN {
                printf "%-8d %-10s %-34s %9.3f %12.0f\n", n, sv, l, s, n / s }'
        done
        unset seconds
    done
done
