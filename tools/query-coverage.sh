#!/bin/bash
# How many of the visible SELECT and UNION queries of a set of databases become views in each kind of complete
# script, and why the others do not: the figure the saved-query work is measured by.
#   tools/query-coverage.sh BUILD_DIR DATABASE... [-- TYPES]
# TYPES defaults to "PostgreSQL MySQL SQLite". Prints, per type, views/candidates and the reasons, most frequent
# first. Crosstab, action, data-definition and pass-through queries are counted on their own line, and the
# functions and procedures made of parameter and action queries on another.
set -u
build=$1; shift
dbs=(); types=(PostgreSQL MySQL SQLite)
while [ $# -gt 0 ]; do
    if [ "$1" = -- ]; then shift; types=("$@"); break; fi
    dbs+=("$1"); shift
done
cli=$build/bin/veltrane-cli
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for type in "${types[@]}"; do
    : > "$tmp/reasons"
    views=0; functions=0; procedures=0
    for db in "${dbs[@]}"; do
        "$cli" -t "$type" --lf "$db" > "$tmp/script" 2>/dev/null
        v=$(grep -c '^CREATE VIEW' "$tmp/script")
        views=$((views + v))
        # The routines of parameter and action queries, not the script's own helper functions.
        f=$(grep -E '^CREATE (OR REPLACE )?FUNCTION ' "$tmp/script" | grep -vcE '^CREATE (OR REPLACE )?FUNCTION .?veltrane[._]')
        p=$(grep -cE '^CREATE (OR REPLACE )?PROCEDURE ' "$tmp/script")
        functions=$((functions + f)); procedures=$((procedures + p))
        grep -o '^-- Query .* is not a view here: .*' "$tmp/script" | sed 's/^-- Query .* is not a view here: //' \
            >> "$tmp/reasons"
    done
    other=$(grep -cE '^(crosstab|action query(: .*)?|data-definition query|pass-through query)$' "$tmp/reasons")
    failed=$(( $(wc -l < "$tmp/reasons") - other ))
    total=$((views + failed))
    pct=0; [ $total -gt 0 ] && pct=$((100 * views / total))
    echo "== $type: $views of $total SELECT and UNION queries are views ($pct %); $other crosstab/action/other"
    echo "   routines of parameter and action queries: $functions functions, $procedures procedures"
    grep -vE '^(crosstab|action query(: .*)?|data-definition query|pass-through query)$' "$tmp/reasons" |
        sed -E 's/"[^"]*"/"…"/g; s/`[^`]*`/`…`/g' | sort | uniq -c | sort -rn | head -${TOP:-25}
done
