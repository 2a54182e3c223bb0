#!/usr/bin/env bash
# Sets up a Debian machine for Veltrane (packages, build) and then starts the program or runs the tests.
#   tools/dev.sh run        install what is missing, build the programs, start the program
#   tools/dev.sh test       install what is missing, build, run the whole test suite
#   tools/dev.sh sanitize   the same tests, built with AddressSanitizer and UBSan
#   tools/dev.sh deb        build build/veltrane_<version>_amd64.deb
#   tools/dev.sh screenshots  take docs/*.png under Xvfb (installs the optional screenshot tools too)
#   tools/dev.sh robustness install clang for the fuzz targets too, then damaged databases and fuzzing
#                           (tools/damage/ci.sh; needs the build of "test")
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
action=${1:-run}

packages=(build-essential cmake ninja-build pkg-config git
          qt6-base-dev libgl-dev mdbtools-dev libsimpleini-dev libpq-dev libmariadb-dev libsqlite3-dev
          mdbtools desktop-file-utils xvfb xauth
          postgresql mariadb-server sqlite3)
# The reader process decrypts encrypted databases with OpenSSL and reads their XML description with libxml2.
packages+=(libssl-dev libxml2-dev)
# The reader process reads the compound files and compressed streams of VBA projects with libgsf.
packages+=(libgsf-1-dev)
# Only the libFuzzer targets need clang and its fuzzer and sanitizer runtime.
fuzz_packages=(clang libclang-rt-14-dev)
# The Debian package and its test: dpkg-shlibdeps (dpkg-dev, file) computes the dependencies; the test
# validates the AppStream file, the MIME package (update-mime-database, gio) and runs lintian.
packages+=(dpkg-dev file appstream shared-mime-info libglib2.0-bin lintian)
# Optional, for developers only: the tools behind tools/screenshot/take-screenshots.sh.
screenshot_packages=(openbox xdotool imagemagick)
if [ "$action" = screenshots ]; then packages+=("${screenshot_packages[@]}"); fi
# For the tests: a headless browser renders the HTML assessment report (TestAssessment).
test_packages=(chromium)
case "$action" in test | sanitize) packages+=("${test_packages[@]}") ;; esac
# node and npm run the independent reader check; a machine that already has node keeps it.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    stop_services "${sudo[@]}"
}

# The tests start their own database servers in temporary folders; a service that a package's installation
# started is stopped again, so that nothing listens and no test can come to depend on it.
stop_services() {
    local service
    for service in mariadb postgresql; do
        if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet "$service" 2>/dev/null; then
            "$@" systemctl stop "$service" || true
        elif [ -x "/etc/init.d/$service" ]; then
            "$@" "/etc/init.d/$service" stop >/dev/null 2>&1 || true
        fi
    done
}

install_node_modules() {
    if [ -f "$root/tests/node/package-lock.json" ] && [ ! -d "$root/tests/node/node_modules" ]; then
        (cd "$root/tests/node" && npm ci --no-audit --no-fund --loglevel=error) ||
            echo "npm install failed: the independent reader check will be skipped" >&2
    fi
}

configure() { # configure DIR [cmake args...]
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja "$@"
}

build() { # build DIR [cmake args...]: every target, tests and benchmarks included
    configure "$@"
    cmake --build "$1"
}

if [ "$action" = robustness ]; then packages+=("${fuzz_packages[@]}"); fi
install_packages
install_node_modules
case "$action" in
run)
    # The programs and the reader only; "test" builds the rest in the same folder.
    configure "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$root/build" --target veltrane_programs
    if [ -x "$root/build/bin/veltrane" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec "$root/build/bin/veltrane"
    fi
    echo "No display: converting the bundled sample with veltrane-cli instead."
    exec "$root/build/bin/veltrane-cli" --script-type T-SQL "$root/examples/sample.mdb"
    ;;
test)
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir "$root/build" --output-on-failure -j2
    ;;
sanitize)
    build "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVELTRANE_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$root/build-asan" --output-on-failure -j2
    ;;
deb)
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$root/build" --target deb
    ;;
screenshots)
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --install "$root/build" --prefix "$root/build/screenshot-prefix" >/dev/null
    exec bash "$root/tools/screenshot/take-screenshots.sh" "$root/build/screenshot-prefix"
    ;;
robustness)
    bash "$root/tools/damage/ci.sh" "$root/build"
    ;;
*)
    echo "usage: tools/dev.sh run|test|sanitize|robustness|deb|screenshots" >&2
    exit 64
    ;;
esac
