#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vurp, builds it, and then either starts the
# game (`./build.sh run`) or runs the whole test suite (`./build.sh test`).
set -euo pipefail

cd "$(dirname "$0")"
mode="${1:-run}"

packages=(cmake make g++ zlib1g-dev qt6-base-dev qt6-qpa-plugins libqt6test6 googletest libgtest-dev
          fonts-dejavu-core desktop-file-utils appstream qt6-translations-l10n)
tools/install-packages.sh "${packages[@]}"

jobs="$(nproc 2>/dev/null || echo 2)"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"

case "$mode" in
run)
    # The game reads its pictures from Pict/ under the working directory.
    exec ./build/ui/vurp
    ;;
test)
    ctest --preset default -j "$jobs"
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
