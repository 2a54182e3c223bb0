#!/usr/bin/env bash
# Builds the Debian package of a finished build, installs it into a temporary root with dpkg -x and checks
# it as a user's system would: every file in place, dependencies computed, the installed veltrane-cli
# converts the sample as the build does, the desktop entry, AppStream and MIME files are valid (a file
# manager finds .mdb and .accdb files to be the Access type the entry takes), and lintian finds no error.
#   tests/packaging/package-check.sh BUILD_DIR SOURCE_DIR VERSION
# Runs as root or not, with no display. Tools that are missing skip their check with a message; CTest
# reports the whole test skipped only when dpkg-deb or cpack itself is missing.
set -euo pipefail
export LC_ALL=C.UTF-8

build=$1
source=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip_check() { echo "not checked: $*"; }

command -v dpkg-deb >/dev/null || { echo "SKIPPED: dpkg-deb is not installed (package dpkg)"; exit 0; }
cpack=$(dirname "$(command -v cmake)")/cpack
[ -x "$cpack" ] || { echo "SKIPPED: cpack is not installed"; exit 0; }

# The package, made as `cpack -G DEB` makes it, into a folder of the test's own.
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb=$work/out/veltrane_${version}_amd64.deb
[ -f "$deb" ] || { ls "$work/out"; fail "no veltrane_${version}_amd64.deb"; }

[ "$(dpkg-deb -f "$deb" Package)" = veltrane ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libmdb3 libqt6core6 libqt6widgets6 libqt6gui6 libc6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/veltrane usr/bin/veltrane-cli usr/libexec/veltrane/veltrane-reader \
    usr/libexec/veltrane/veltrane-cli-migrate; do
    [ -x "$root/$file" ] || fail "not installed or not executable: $file"
done
for file in usr/share/veltrane/help.txt usr/share/applications/veltrane.desktop \
    usr/share/icons/hicolor/scalable/apps/veltrane.svg usr/share/mime/packages/veltrane.xml \
    usr/share/metainfo/io.github.veltrane.Veltrane.metainfo.xml usr/share/man/man1/veltrane.1.gz \
    usr/share/man/man1/veltrane-cli.1.gz usr/share/doc/veltrane/copyright usr/share/doc/veltrane/changelog.gz; do
    [ -f "$root/$file" ] || fail "not installed: $file"
done
cmp -s "$root/usr/share/veltrane/help.txt" "$source/data/help.txt" || fail "help.txt differs from data/help.txt"

# The installed command line finds its installed reader process and writes what the build writes.
for dialect in access tsql; do
    type="Access SQL"
    [ $dialect = tsql ] && type=T-SQL
    # The options of the checked scripts (tests/TestCliEndToEnd.cpp), run from the sample's folder.
    (cd "$source/examples" && "$root/usr/bin/veltrane-cli" --go --system-tables --permissions --users public \
        --script-type "$type" sample.mdb) >"$work/$dialect.sql" ||
        fail "the installed veltrane-cli failed on examples/sample.mdb ($type)"
    cmp -s "$work/$dialect.sql" "$source/tests/data/expected/sample.mdb.$dialect.sql" ||
        fail "the installed veltrane-cli's $type script differs from tests/data/expected/sample.mdb.$dialect.sql"
done
# --into is handed to the installed migration program, which finds the installed reader too.
"$root/usr/bin/veltrane-cli" --into "sqlite:$work/sample.db" --verify "$source/examples/sample.mdb" \
    >"$work/into.txt" 2>&1 || fail "the installed veltrane-cli --into failed: $(cat "$work/into.txt")"
grep -q "Every row read back from the target is a row that was sent." "$work/into.txt" ||
    fail "the installed veltrane-cli --into --verify: $(cat "$work/into.txt")"
"$root/usr/bin/veltrane" --version | grep -qx "veltrane $version" || fail "veltrane --version"

# The desktop entry takes a file and declares the Access type; AppStream metadata is valid.
entry=$root/usr/share/applications/veltrane.desktop
grep -qx 'Exec=veltrane %f' "$entry" || fail "the desktop entry does not pass a file"
grep -qx 'MimeType=application/vnd.ms-access;' "$entry" || fail "the desktop entry lacks the Access type"
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
else
    skip_check "desktop-file-validate is not installed (package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.veltrane.Veltrane.metainfo.xml" ||
        fail "appstreamcli rejects the metainfo file"
else
    skip_check "appstreamcli is not installed (package appstream)"
fi

# The MIME package on top of the system's: *.accdb by name and ACE files by their signature become the
# Access type, as *.mdb and Jet files already are.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null &&
    [ -f /usr/share/mime/packages/freedesktop.org.xml ]; then
    mime=$work/share/mime
    mkdir -p "$mime/packages"
    cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/veltrane.xml" "$mime/packages/"
    update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database rejects the MIME package"
    mkdir -p "$work/files" "$work/home"
    printf '\0\1\0\0Standard ACE DB\0' >"$work/files/ace-signature"
    head -c 2048 /dev/zero >>"$work/files/ace-signature"
    printf '\0\1\0\0Standard Jet DB\0' >"$work/files/jet-signature"
    head -c 2048 /dev/zero >>"$work/files/jet-signature"
    head -c 4096 /dev/zero >"$work/files/zeros.accdb"
    cp "$source/examples/sample.mdb" "$work/files/sample.mdb"
    for file in ace-signature jet-signature zeros.accdb sample.mdb; do
        type=$(XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$work/share gio info -a standard::content-type \
            "$work/files/$file" | sed -n 's/.*standard::content-type: //p')
        [ "$type" = application/vnd.ms-access ] || fail "$file is taken for $type, not application/vnd.ms-access"
    done
else
    skip_check "update-mime-database or gio is not installed (packages shared-mime-info, libglib2.0-bin)"
fi

if command -v lintian >/dev/null; then
    lintian --fail-on error --allow-root --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 ||
        { cat "$work/lintian.txt"; fail "lintian reports errors"; }
    cat "$work/lintian.txt"
else
    skip_check "lintian is not installed (package lintian)"
fi
echo "veltrane_${version}_amd64.deb: installed into a temporary root, converted examples/sample.mdb"
