#!/usr/bin/env bash
# Compiles the program's sources as a Windows build sees them (MinGW-w64, _WIN32 and Q_OS_WIN
# defined, UNICODE as Qt sets it), so that the Windows-only code (the loader's Windows host, the
# system menu's About entry) is compiled on every test run. Debian has no Qt built for Windows:
# the sources are checked against Qt's Linux headers and nothing is linked, so this proves the
# code compiles, not that a Windows build links or runs.
# Usage: scripts/check-windows-sources.sh [--all]   (needs the packages of WINDOWS_CHECK_PACKAGES)
set -euo pipefail
cd "$(dirname "$0")/.."

cxx=""
for candidate in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++; do
    command -v "$candidate" >/dev/null && { cxx=$candidate; break; }
done
[ -n "$cxx" ] || { echo "check-windows-sources: no MinGW-w64 g++ found" >&2; exit 1; }

qt_headers=$(qtpaths6 --query QT_INSTALL_HEADERS)
uic="$(qtpaths6 --query QT_HOST_LIBEXECS)/uic"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The layouts' generated headers, as AUTOUIC makes them.
for form in res/*.ui; do
    name=$(basename "$form" .ui)
    "$uic" "$form" -o "$work/ui_$name.h"
done

flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror
    -DUNICODE -D_UNICODE "-DVELMORA_VERSION=\"0\"" -I. -I"$work")
for module in "" QtCore QtGui QtWidgets QtSerialPort QtSvg; do
    flags+=(-isystem "$qt_headers/$module")
done

# The sources with code of their own for a platform (Q_OS_..., _WIN32, windows.h), or with --all
# every source of the program (the velmora target and the libraries it links). The test host and
# the simulator are POSIX-only and not part of a Windows build.
mapfile -t sources < <(git ls-files 'app/*.cpp' 'forms/*.cpp' 'rules/*.cpp' 'link/*.cpp' \
    'loader/*.cpp' 'model/*.cpp' 'programmer/*.cpp')
if [ "${1:-}" != --all ]; then
    mapfile -t sources < <(grep -lE 'Q_OS_|_WIN32|<windows\.h>' "${sources[@]}")
fi
for required in loader/windowsloaderhost.cpp app/mainwindow.cpp; do
    printf '%s\n' "${sources[@]}" | grep -qx "$required" \
        || { echo "check-windows-sources: $required is missing" >&2; exit 1; }
done

if ! printf '%s\0' "${sources[@]}" | xargs -0 -n1 -P"$(nproc)" "$cxx" "${flags[@]}"; then
    echo "check-windows-sources: the sources above do not compile for Windows" >&2
    exit 1
fi
echo "${#sources[@]} sources compile for Windows with $cxx (Qt's Linux headers, not linked)"
