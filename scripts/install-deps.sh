#!/usr/bin/env bash
# Installs what building, running and testing Quorlin needs on Debian 12. Quiet and quick when
# everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    # clang for the fuzz targets; the CI build (scripts/test.sh) takes clang 16 with its
    # sanitizer and libFuzzer runtimes, the first of Debian 12's that compiles the C++20 the
    # sources use (structured bindings captured by lambdas), and its linker, which links a
    # sanitized test in a fifth of the time ld takes
    clang clang-16 libclang-rt-16-dev lld-16
    # the layering check (scripts/check-layers.py)
    python3
    xvfb xauth
    # the program in a real X server with a window manager (scripts/screen-test.sh)
    openbox xdotool x11-utils
    # readers that the export tests hand our files to
    libxml2-utils librsvg2-bin ghostscript poppler-utils emf2svg
    texlive-pictures texlive-latex-base texlive-plain-generic
    # a font many desktops have, which "Arial" then resolves to: the tests must pass beside it
    fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
