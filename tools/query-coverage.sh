#!/bin/bash
# How many of the visible SELECT and UNION queries of a set of databases become views in each kind of complete
# script, and why the others do not: the figure the saved-query work is measured by.
#   tools/query-coverage.sh BUILD_DIR DATABASE... [-- TYPES]
# TYPES defaults to "PostgreSQL MySQL SQLite". Prints, per type, views/candidates and the reasons, most frequent
# first. Crosstabs (whose Access SQL begins with TRANSFORM) are counted on a line of their own with their
# reasons; action, data-definition and pass-through queries are counted apart, and the functions and procedures
# made of parameter and action queries on another line.
set -u
build=$1; shift
dbs=(); types=(PostgreSQL MySQL SQLite)
while [ $# -gt 0 ]; do
    if [ "$1" = -- ]; then shift; types=("$@"); break; fi
    dbs+=("$1"); shift
done
cli=$build/bin/veltrane-cli
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
others='^(action query(: .*)?|data-definition query|pass-through query)$'
for type in "${types[@]}"; do
    : > "$tmp/reasons"
    : > "$tmp/crosstabs"
    views=0; xviews=0; functions=0; procedures=0
    for db in "${dbs[@]}"; do
        "$cli" -t "$type" --lf "$db" > "$tmp/script" 2>/dev/null
        v=$(grep -c '^CREATE VIEW' "$tmp/script")
        x=$(grep -c '^-- Query .* is a crosstab: ' "$tmp/script")
        views=$((views + v - x)); xviews=$((xviews + x))
        # The routines of parameter and action queries, not the script's own helper functions.
        f=$(grep -E '^CREATE (OR REPLACE )?FUNCTION ' "$tmp/script" | grep -vcE '^CREATE (OR REPLACE )?FUNCTION .?veltrane[._]')
        p=$(grep -cE '^CREATE (OR REPLACE )?PROCEDURE ' "$tmp/script")
        functions=$((functions + f)); procedures=$((procedures + p))
        # Each reason goes to the crosstabs' list when the query's Access SQL, after its comment, begins with
        # TRANSFORM (past a PARAMETERS line).
        awk -v q="$tmp/reasons" -v x="$tmp/crosstabs" '
            pending != "" && /^-- PARAMETERS / { next }
            pending != "" { print pending >> (/^-- TRANSFORM / ? x : q); pending = "" }
            /^-- Query .* is not a view here: / { sub(/^-- Query .* is not a view here: /, ""); pending = $0 }
        ' "$tmp/script"
    done
    other=$(grep -cE "$others" "$tmp/reasons")
    failed=$(( $(wc -l < "$tmp/reasons") - other ))
    total=$((views + failed))
    pct=0; [ $total -gt 0 ] && pct=$((100 * views / total))
    echo "== $type: $views of $total SELECT and UNION queries are views ($pct %); $other action/other"
    echo "   routines of parameter and action queries: $functions functions, $procedures procedures"
    grep -vE "$others" "$tmp/reasons" |
        sed -E 's/"[^"]*"/"…"/g; s/`[^`]*`/`…`/g' | sort | uniq -c | sort -rn | head -${TOP:-25}
    echo "== $type: $xviews of $((xviews + $(wc -l < "$tmp/crosstabs"))) crosstabs are views"
    sed -E 's/"[^"]*"/"…"/g; s/`[^`]*`/`…`/g' "$tmp/crosstabs" | sort | uniq -c | sort -rn | head -${TOP:-25}
done
