#!/usr/bin/env python3
"""Writes a script of the page as it is served: without its comment lines,
its indentation and its empty lines, which only its readers need.

lean_js.py SOURCE OUT: every line is kept as it is but for the blanks before
it; a line that holds only a // comment, or nothing, is left out. What is
left means what the source means, for no line is joined to another. A
template literal or a string that runs over lines would change, so a source
with one (an odd number of backticks on a line, or a line ending in a
backslash) is refused with status 1.
"""
import sys
from pathlib import Path


def lean(text: str, name: str) -> str:
    kept = []
    for number, line in enumerate(text.splitlines(), 1):
        if line.count("`") % 2 or line.endswith("\\"):
            sys.exit(f"{name}:{number}: a text over several lines cannot be made lean")
        bare = line.strip()
        if bare and not bare.startswith("//"):
            kept.append(bare)
    return "\n".join(kept) + "\n"


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit("usage: lean_js.py SOURCE OUT")
    source, out = Path(sys.argv[1]), Path(sys.argv[2])
    out.write_text(lean(source.read_text(encoding="utf-8"), source.name), encoding="utf-8")


if __name__ == "__main__":
    main()
