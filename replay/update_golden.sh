#!/bin/sh
# Regenerates tests/golden/NAME.jsonl from NAME.script with the built driver.
# Run it only after reading the new output and finding it right: the golden
# test takes whatever this writes as the truth. A change of the rules or About
# text alone needs no new golden files: the comparison leaves those texts out.
#
#   replay/update_golden.sh NAME...      (NAME, NAME.script or a path to it)
#
# The driver is $VURP_REPLAY, by default build/replay/vurp-replay.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
golden=$root/tests/golden
driver=${VURP_REPLAY:-$root/build/replay/vurp-replay}

if [ $# -eq 0 ]; then
    echo "usage: $0 NAME..." >&2
    exit 2
fi
if [ ! -x "$driver" ]; then
    echo "$0: no driver at $driver: build vurp-replay or set VURP_REPLAY" >&2
    exit 2
fi

for argument in "$@"; do
    name=$(basename "$argument" .script)
    script=$golden/$name.script
    if [ ! -f "$script" ]; then
        echo "$0: $script does not exist" >&2
        exit 2
    fi
    partial=$golden/.$name.jsonl.partial
    if ! "$driver" "$script" >"$partial"; then
        rm -f "$partial"
        echo "$0: $name.script did not replay to its end; $name.jsonl is unchanged" >&2
        exit 1
    fi
    mv "$partial" "$golden/$name.jsonl"
    echo "updated tests/golden/$name.jsonl"
done
