#!/usr/bin/env bash
# tools/install-packages.sh PACKAGE...: installs those of the Debian packages
# that are missing, with sudo when not root. Used by build.sh, CI and the
# benchmarks, so a fresh Debian 12 machine gets what each needs.
set -euo pipefail
missing=()
for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
