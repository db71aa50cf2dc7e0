#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vurp, builds it, and then either starts the
# game (`./build.sh run`) or runs the whole test suite (`./build.sh test`).
# `./build.sh web` builds the browser edition instead, into build-web/site/,
# and serves it on 127.0.0.1.
set -euo pipefail

cd "$(dirname "$0")"
mode="${1:-run}"
jobs="$(nproc 2>/dev/null || echo 2)"

if [ "$mode" = web ]; then
    # Debian's own Emscripten, and nothing fetched from elsewhere: the web
    # preset finds its toolchain file and gives it the node modules it needs.
    tools/install-packages.sh cmake make emscripten
    cmake --preset web >/dev/null
    cmake --build --preset web -j "$jobs"
    echo "The browser edition is in build-web/site/; serving it on this machine (Ctrl+C stops):"
    # Any free port unless VURP_PORT names one; the address is printed.
    exec node web/serve.mjs build-web/site "${VURP_PORT:-0}"
fi

packages=(cmake make g++ zlib1g-dev qt6-base-dev qt6-qpa-plugins libqt6test6 googletest libgtest-dev
          fonts-dejavu-core desktop-file-utils appstream qt6-translations-l10n)
tools/install-packages.sh "${packages[@]}"

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
    echo "usage: $0 [run|test|web]" >&2
    exit 2
    ;;
esac
