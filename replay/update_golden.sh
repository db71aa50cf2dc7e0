#!/bin/sh
# Regenerates tests/golden/NAME.jsonl from NAME.script with the built driver;
# with --events first, NAME.events.jsonl from the driver's --events output.
# Run it only after reading the new output and finding it right: the golden
# test takes whatever this writes as the truth. A change of the rules or About
# text alone needs no new golden files: the comparison leaves those texts out.
#
#   replay/update_golden.sh NAME...      (NAME, NAME.script or a path to it)
#   replay/update_golden.sh --events NAME...
#
# The driver is $VURP_REPLAY, by default build/replay/vurp-replay; the golden
# folder is $VURP_GOLDEN, by default tests/golden. A golden file is replaced
# only by the whole output of a run that ended with status 0; on the first
# failure the script stops, keeps that golden file as it was and exits 1.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
golden=${VURP_GOLDEN:-$root/tests/golden}
driver=${VURP_REPLAY:-$root/build/replay/vurp-replay}

options=
suffix=jsonl
if [ "${1:-}" = --events ]; then
    options=--events
    suffix=events.jsonl
    shift
fi
if [ $# -eq 0 ]; then
    echo "usage: $0 [--events] NAME..." >&2
    exit 2
fi
if [ ! -x "$driver" ]; then
    echo "$0: no driver at $driver: build vurp-replay or set VURP_REPLAY" >&2
    exit 2
fi

# The output is written beside the golden file and moved over it only when
# whole; an interrupted run leaves neither it nor a half-written golden file.
partial=
trap 'rm -f "$partial"' EXIT
trap 'exit 1' HUP INT TERM

for argument in "$@"; do
    name=$(basename "$argument" .script)
    script=$golden/$name.script
    if [ ! -f "$script" ]; then
        echo "$0: $script does not exist" >&2
        exit 2
    fi
    partial=$golden/.$name.$suffix.partial
    status=0
    # $options is empty or one word.
    # shellcheck disable=SC2086
    "$driver" $options "$script" >"$partial" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$0: the driver ended with status $status on $name.script; $name.$suffix is unchanged" >&2
        exit 1
    fi
    mv "$partial" "$golden/$name.$suffix"
    partial=
    echo "updated $golden/$name.$suffix"
done
