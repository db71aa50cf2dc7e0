#!/usr/bin/env python3
"""Prints the `rand` lines of a replay script that make the next deal lay out a chosen deck.

The deal shuffles by one pass of swaps over the pack order: for i = 1..36 it draws r,
takes j = Int(r * 36) + 1 and swaps card i with card j. Choosing j, at each step, as the
position where the wanted i-th card now lies builds the wanted order front to back; the
printed r = (j - 0.5) / 36 sits in the middle of the values that give that j.

    replay/arrange_deck.py DECK

DECK is 36 card codes (72 characters), or only the first cards of the deck, the rest
then following in pack order. Blanks between codes are allowed. Cards 1-4 go to seat 1,
5-8 to seat 2, 9-12 to seat 3, card 13 is turned, the stock starts at card 14.

Paste the output right before the action that deals (`click Razd`, or the action after
which the game re-deals). The driver draws queued values first, so the queue must be
empty before them and no other draw may come between them and the shuffle.

Example: replay/arrange_deck.py 9c8c7c6c1p2p3p4p1k2k3k4k5b
"""

import sys

PACK = "1p2p3p4p5p6p7p8p9p1k2k3k4k5k6k7k8k9k1b2b3b4b5b6b7b8b9b1c2c3c4c5c6c7c8c9c"
CARDS = [PACK[k:k + 2] for k in range(0, 72, 2)]


def wanted_deck(text):
    """The full deck order from a whole deck or its first cards."""
    codes = "".join(text.split())
    if len(codes) % 2:
        raise ValueError("odd number of characters: card codes are two characters each")
    head = [codes[k:k + 2] for k in range(0, len(codes), 2)]
    for card in head:
        if card not in CARDS:
            raise ValueError(f"{card!r} is not a card code (rank 1-9, suit p, k, b or c)")
    repeated = sorted({card for card in head if head.count(card) > 1})
    if repeated:
        raise ValueError("repeated cards: " + " ".join(repeated))
    return head + [card for card in CARDS if card not in head]


def draws(deck):
    """The 36 values of r, as text, that shuffle the pack into `deck`."""
    current = list(CARDS)
    values = []
    for i, card in enumerate(deck):
        j = current.index(card, i)
        current[i], current[j] = current[j], current[i]
        text = f"{(j + 0.5) / 36:.6f}"
        # The driver reads the text back as a double: it must land on the same j.
        assert int(float(text) * 36) == j
        values.append(text)
    assert current == deck
    return values


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        print("usage: arrange_deck.py DECK", file=sys.stderr)
        return 2
    try:
        deck = wanted_deck(argv[1])
    except ValueError as problem:
        print(f"arrange_deck.py: {problem}", file=sys.stderr)
        return 2
    print("# deck " + "".join(deck))
    print(f"# seat 1 {''.join(deck[0:4])}, seat 2 {''.join(deck[4:8])}, "
          f"seat 3 {''.join(deck[8:12])}, turned {deck[12]}")
    for value in draws(deck):
        print(f"rand {value}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
