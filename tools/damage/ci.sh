#!/usr/bin/env bash
# CI's robustness step: a fixed-seed batch of damaged databases through veltrane-cli, then each libFuzzer
# target for a bounded time. Fails when veltrane-cli crashed, hung, wrote a file or changed a database, or
# when fuzzing found a fault in our code.
#
#   tools/damage/ci.sh [BUILD_DIR]    (default build: the build of the test step, which has veltrane-damage)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build}
fixtures=$root/../shared/fixtures
sources=("$root/examples/sample.mdb")
[ -d "$fixtures" ] && sources+=("$fixtures")
# Three real databases with VBA projects (Access 97, 2000 and 2007), so that damage reaches --code's reading
# too.
projects=$(mktemp -d)
trap 'rm -rf "$projects"' EXIT
for name in jleefish__c-Website2__NWIND.MDB statdata__Northwind-Databse__Northwind.mdb \
    JDelve__birch_equipment_db__Inventory.accdb; do
    [ -f "$fixtures/realworld/$name.gz" ] && gzip -dc "$fixtures/realworld/$name.gz" >"$projects/$name"
done
sources+=("$projects")

echo "== damaged databases"
cmake --build "$build" --target veltrane-damage >/dev/null
"$build/bin/veltrane-damage" --seed 1 --count 300 --timeout 5 --margin 5 --jobs 2 --generated \
    "${sources[@]}"

seeds=$(mktemp -d)
trap 'rm -rf "$seeds" "$projects"' EXIT
"$build/bin/veltrane-damage" --generated --sources-to "$seeds" "$root/examples/sample.mdb"
bash "$root/fuzz/run-fuzz.sh" "$root/build-fuzz" 40 "$seeds" "$fixtures"
