#!/bin/bash
# How many of the visible SELECT and UNION queries of a set of databases become views in each kind of complete
# script, and why the others do not: the figure the saved-query work is measured by.
#   tools/query-coverage.sh BUILD_DIR DATABASE... [-- TYPES]
# TYPES defaults to "PostgreSQL MySQL SQLite". Prints, per type, views/candidates and the reasons, most frequent
# first. Crosstab, action, data-definition and pass-through queries are counted on their own line.
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
    views=0
    for db in "${dbs[@]}"; do
        "$cli" -t "$type" --lf "$db" > "$tmp/script" 2>/dev/null
        v=$(grep -c '^CREATE VIEW' "$tmp/script")
        views=$((views + v))
        grep -o '^-- Query .* is not a view here: .*' "$tmp/script" | sed 's/^-- Query .* is not a view here: //' \
            >> "$tmp/reasons"
    done
    other=$(grep -cE '^(crosstab|action query|data-definition query|pass-through query)$' "$tmp/reasons")
    failed=$(( $(wc -l < "$tmp/reasons") - other ))
    total=$((views + failed))
    pct=0; [ $total -gt 0 ] && pct=$((100 * views / total))
    echo "== $type: $views of $total SELECT and UNION queries are views ($pct %); $other crosstab/action/other"
    grep -vE '^(crosstab|action query|data-definition query|pass-through query)$' "$tmp/reasons" |
        sed -E 's/"[^"]*"/"…"/g; s/`[^`]*`/`…`/g' | sort | uniq -c | sort -rn | head -${TOP:-25}
done
