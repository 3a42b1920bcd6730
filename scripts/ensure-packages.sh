# Sourced by run.sh and test.sh: makes sure the Debian packages named in "$@" are installed.
# As root it installs what is missing with apt-get; otherwise it prints the exact command.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq || return 1
        apt-get install -y -qq "${missing[@]}" || return 1
    else
        echo "Missing Debian packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        return 1
    fi
}

# What every build needs.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgl-dev
    qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
    qt6-l10n-tools qt6-tools-dev
    libgtest-dev)
# What the fuzz targets need: clang++ with libFuzzer and the sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What running the window needs besides: fonts with Chinese glyphs.
RUN_PACKAGES=(fonts-noto-cjk)
# What building and checking the Debian package needs: dpkg-shlibdeps (dpkg-dev), which CPack
# runs through `file`, desktop-file-validate, and groff for the manual page.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils groff-base)
# What compiling the Windows-only sources needs: the MinGW-w64 C++ compiler.
WINDOWS_CHECK_PACKAGES=(g++-mingw-w64-x86-64-posix)
