#!/usr/bin/env bash
# Runs each libFuzzer target for a bounded time with AddressSanitizer and UBSan and judges what it finds.
#
#   fuzz/run-fuzz.sh [BUILD_DIR [SECONDS [SEED...]]]
#
# BUILD_DIR (default build-fuzz) is configured with clang and -DVELTRANE_FUZZ=ON when it is not yet; the
# targets are built there. SECONDS (default 60) is the time of each target. SEEDs are database files or
# folders of them for the reader target, besides examples/sample.mdb.
#
# Findings (crash-*, timeout-*, oom-*, leak-* inputs) stay in BUILD_DIR/fuzz-findings/TARGET. Each is run
# again to see where it happened:
# - fuzz_reader_requests: libmdb is not safe on damaged files, and the program only ever runs it inside the
#   reader process, which a crash, time limit or memory limit ends without harm. A finding whose first
#   frame outside the sanitizer runtime, libFuzzer, the C library and glib lies in libmdb (or libgsf, which
#   reads VBA projects in the same process) is such a contained one and is only reported; one that lies in our code fails the run. Timeouts and memory
#   exhaustion are contained by the reader's time and memory limits wherever they lie and are only listed
#   (run the target on such an input to see where it loops or grows).
# - fuzz_vba_project: libgsf runs in the reader process too; a finding in it is contained and reported, one
#   in our code fails the run.
# - fuzz_conversion_run, fuzz_query_rebuild, fuzz_encryption_info: every finding is in our code and fails the
#   run. Give the encrypted fixtures (../shared/fixtures) as SEEDs so that the encryption target starts from
#   real headers.
# Exit status: 0 when no finding lies in our code, 1 otherwise.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
max_len=262144

if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELTRANE_FUZZ=ON >/dev/null
fi
cmake --build "$build" --target fuzz_reader_requests fuzz_conversion_run fuzz_query_rebuild fuzz_encryption_info \
    fuzz_vba_project

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds"
for seed in "$root/examples/sample.mdb" "$@"; do
    if [ -d "$seed" ]; then
        find "$seed" -maxdepth 1 -type f \( -iname '*.mdb' -o -iname '*.accdb' \) -size -$((max_len / 1024))k \
            -exec cp {} "$work/seeds/" \;
    elif [ -f "$seed" ]; then
        cp "$seed" "$work/seeds/"
    fi
done
chmod -R u+w "$work/seeds"
# The encryption target's seeds: the encryption info of each encrypted seed (from 0x299 of its header page),
# behind the four bytes that choose the key, the form and the password.
mkdir -p "$work/crypt-seeds"
for seed in "$work"/seeds/*; do
    [ -f "$seed" ] || continue
    { printf '\x01\x00\x00\x01'; dd if="$seed" bs=1 skip=$((0x299)) count=$((4096 - 0x299)) status=none; } \
        >"$work/crypt-seeds/$(basename "$seed").info"
done

# The place of a finding: the first stack frame outside the sanitizers and libFuzzer (linked into the target
# without line information, so their frames name only the binary), the C and C++ runtime (whose frames name
# relative source paths) and glib (glib is a place only through its caller: libmdb, or our code).
place_of() {
    grep -E '^ +#[0-9]+ 0x[0-9a-f]+ in ' "$1" |
        grep -vE '/bin/fuzz_[a-z_]+\+0x|__interceptor_|__asan|__sanitizer|__ubsan|fuzzer::' |
        grep -vE 'libc\.so|ld-linux|libstdc\+\+\.so|libgcc_s|libglib-2| [A-Za-z][^ ]*\.[chS]:[0-9]+(:[0-9]+)?$' |
        head -1 | sed -E 's/^ +#[0-9]+ 0x[0-9a-f]+ in //; s/ \(BuildId: [0-9a-f]+\)//'
}

# UBSan reports carry their stack only when asked; the judge needs it.
export UBSAN_OPTIONS=print_stacktrace=1
failed=0
judge() { # judge TARGET LIBMDB_CONTAINED
    local target=$1 contained=$2 findings=$build/fuzz-findings/$1
    local finding place kind
    for finding in "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*; do
        [ -e "$finding" ] && [[ "$finding" != *.log ]] || continue
        kind=$(basename "$finding" | cut -d- -f1)
        if [ "$contained" = yes ] && { [ "$kind" = timeout ] || [ "$kind" = oom ]; }; then
            echo "  contained ($kind: the reader's time or memory limit ends it) [$finding]"
            continue
        fi
        ASAN_OPTIONS=$ASAN_OPTIONS_OF_TARGET timeout 60 "$build/bin/$target" -timeout=5 -rss_limit_mb=2048 \
            -malloc_limit_mb=1024 -close_fd_mask=3 "$finding" >"$finding.log" 2>&1 || true
        place=$(place_of "$finding.log")
        if [ "$contained" = yes ] && [[ "$place" == *libmdb.so* || "$place" == *libgsf-1.so* ]]; then
            echo "  contained ($kind in the reader process): ${place:-unknown place} [$finding]"
        else
            echo "  IN OUR CODE ($kind): ${place:-unknown place} [$finding, report in $finding.log]"
            failed=1
        fi
    done
}

run_target() { # run_target TARGET LIBMDB_CONTAINED MAX_LEN CORPUS_SEEDS...
    local target=$1 contained=$2 length=$3
    shift 3
    local corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings/$target
    mkdir -p "$corpus" "$findings"
    echo "== $target: $seconds s"
    # -fork keeps fuzzing past a finding, so a contained libmdb crash does not end the run early;
    # -close_fd_mask silences what libmdb prints (millions of lines on some inputs) but not the reports.
    ASAN_OPTIONS=$ASAN_OPTIONS_OF_TARGET "$build/bin/$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 \
        -ignore_ooms=1 -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -max_len="$length" -len_control=0 -print_funcs=0 -close_fd_mask=3 -artifact_prefix="$findings/" \
        "$corpus" "$@" >"$work/$target.log" 2>&1 || true
    grep -E '^#[0-9]+: cov' "$work/$target.log" | tail -1 | sed 's/^/  /' || true
    judge "$target" "$contained"
}

# libmdb frees little on its error paths; leaks there are not ours to fix and would only hide crashes.
ASAN_OPTIONS_OF_TARGET=detect_leaks=0 run_target fuzz_reader_requests yes $max_len "$work/seeds"
ASAN_OPTIONS_OF_TARGET=detect_leaks=1 run_target fuzz_conversion_run no 16384
ASAN_OPTIONS_OF_TARGET=detect_leaks=1 run_target fuzz_query_rebuild no 4096
ASAN_OPTIONS_OF_TARGET=detect_leaks=1 run_target fuzz_encryption_info no 8192 "$work/crypt-seeds"
# libgsf leaks on some of its error paths (gsf_vba_inflate's array on a bad signature).
ASAN_OPTIONS_OF_TARGET=detect_leaks=0 run_target fuzz_vba_project yes 65536 "$root/tests/data/vba"

if [ "$failed" -ne 0 ]; then
    echo "fuzzing found faults in our code (see above)"
    exit 1
fi
echo "fuzzing: no fault in our code"
