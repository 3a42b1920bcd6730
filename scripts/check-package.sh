#!/usr/bin/env bash
# Builds the Debian package with the release preset's settings into a temporary folder (nothing
# reused from other builds) and checks what it holds: the package's name, version and
# dependencies, its file list, the desktop entry and the manual page. Installing it is not done
# here: it needs root and changes the machine.
# Usage: scripts/check-package.sh   (needs the packages of PACKAGE_PACKAGES, see ensure-packages.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "check-package: $*" >&2
    failures=$((failures + 1))
}

# The benchmarks are not packaged, so the check does not build them.
start=$SECONDS
cmake --preset release -B "$work/build" -DVELMORA_BUILD_BENCH=OFF >"$work/configure.log" \
    || { cat "$work/configure.log" >&2; exit 1; }
if ! cmake --build "$work/build" -j"$(nproc)" --target package >"$work/build.log" 2>&1; then
    tail -n 60 "$work/build.log" >&2
    exit 1
fi
echo "Package built in $((SECONDS - start)) s"

version=$(sed -n 's/^project(velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb="$work/build/velmora_${version}_${arch}.deb"
[ -n "$version" ] || { echo "check-package: no project version in CMakeLists.txt" >&2; exit 1; }
[ -f "$deb" ] || { echo "check-package: $deb was not made" >&2; ls "$work/build" >&2; exit 1; }

# Control fields: the project version, and library dependencies found by dpkg-shlibdeps.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project's is $version"
depends=$(field Depends)
for dep in libqt6widgets6 libqt6serialport6 libqt6svg6 qt6-translations-l10n libc6; do
    grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

# Exactly the programs and their desktop files, nothing of tests or benchmarks.
programs=(velmora velmora-programmer-sim)
[ -f cli/CMakeLists.txt ] && programs+=(velmora-cli)
expected=("${programs[@]/#/usr/bin/}"
    usr/share/applications/velmora.desktop
    usr/share/icons/hicolor/scalable/apps/velmora.svg)
[ -f cli/CMakeLists.txt ] && expected+=(usr/share/man/man1/velmora-cli.1.gz)
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '/$' | sort >"$work/files"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/files" >"$work/files.diff"; then
    fail "the file list differs from the expected one (- expected, + packaged):"
    cat "$work/files.diff" >&2
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
for program in "${programs[@]}"; do
    [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

# The desktop entry: valid, in English and Chinese, starting the packaged program with the
# packaged icon.
entry="$root/usr/share/applications/velmora.desktop"
if [ -f "$entry" ]; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects velmora.desktop"
    key() { sed -n "s/^$1=//p" "$entry"; }
    [ "$(key Type)" = Application ] || fail "the entry's Type is '$(key Type)'"
    [ "$(key Exec)" = velmora ] || fail "the entry's Exec is '$(key Exec)'"
    [ "$(key Icon)" = velmora ] || fail "the entry's Icon is '$(key Icon)'"
    [ -n "$(key Name)" ] || fail "the entry has no Name"
    grep -Pq '^Name\[zh_CN\]=.*[\x{4e00}-\x{9fff}]' "$entry" || fail "the entry has no Chinese Name[zh_CN]"
    categories=";$(key Categories)"
    for category in Utility Electronics; do
        [[ $categories == *";$category;"* ]] || fail "the entry's Categories lack $category"
    done
fi
svg="$root/usr/share/icons/hicolor/scalable/apps/velmora.svg"
if [ -f "$svg" ] && ! grep -q '<svg' "$svg"; then
    fail "velmora.svg is not an SVG image"
fi

# The packaged programs run without the build tree (no build paths in their search paths).
if readelf -d "$root"/usr/bin/* 2>/dev/null | grep -E 'RPATH|RUNPATH' | grep -q "$work"; then
    fail "a packaged program still searches the build tree for libraries"
fi
# The packaged program starts and keeps running (its main window is a modal loop) until stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/velmora" >"$work/velmora.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    fail "the packaged velmora ended by itself (status $status): $(head -c 500 "$work/velmora.log")"
fi

if [ -f cli/CMakeLists.txt ]; then
    page="$root/usr/share/man/man1/velmora-cli.1.gz"
    if [ -f "$page" ]; then
        gzip -dc "$page" >"$work/velmora-cli.1"
        # groff -ww warns of every questionable construct; -z discards the output.
        warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$work/velmora-cli.1" 2>&1 || true)
        [ -z "$warnings" ] || fail "groff warns on the manual page: $warnings"
        grep -q "Velmora $version" "$work/velmora-cli.1" || fail "the manual page lacks the version"
    fi
    # The project version reaches the command.
    cli_version=$("$root/usr/bin/velmora-cli" --version 2>&1 || true)
    [[ $cli_version == *"$version"* ]] || fail "velmora-cli --version prints '$cli_version'"
else
    echo "No cli/ yet: velmora-cli and its manual page are not checked."
fi

if [ "$failures" -ne 0 ]; then
    echo "check-package: $failures check(s) failed" >&2
    exit 1
fi
echo "Package velmora_${version}_${arch}.deb: file list, control fields and desktop entry are right"
