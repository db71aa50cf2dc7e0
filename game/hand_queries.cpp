#include "hand_queries.h"

#include <algorithm>
#include <cstddef>

#include "cards.h"

namespace vurp {

namespace {

// The scans that do not trim the hand look at five positions whatever its
// length: a hand never holds more than five cards.
constexpr int FixedPositions = 5;

// One character of a hand string, or nothing past its end.
std::string_view CharAt(std::string_view hand, int index) {
    const auto i = static_cast<std::size_t>(index - 1);
    return i < hand.size() ? hand.substr(i, 1) : std::string_view{};
}

std::string_view RankAt(std::string_view hand, int p) {
    return CharAt(hand, 2 * p - 1);
}
std::string_view SuitAt(std::string_view hand, int p) {
    return CharAt(hand, 2 * p);
}

// A missing position carries no letter, so it matches no suit; neither does a
// suit argument that is not a single character.
bool IsSuit(std::string_view s, std::string_view suit) {
    return s.size() == 1 && s == suit;
}

// Only single characters compare: a missing rank is neither above nor below
// anything, so a position past the end never becomes a candidate.
bool Below(std::string_view rank, char best) {
    return rank.size() == 1 && rank[0] < best;
}
bool Above(std::string_view rank, char best) {
    return rank.size() == 1 && rank[0] > best;
}

int SuitCountIn(std::string_view hand, std::string_view suit) {
    int count = 0;
    for (int p = 1; p <= FixedPositions; ++p) {
        if (IsSuit(SuitAt(hand, p), suit)) {
            ++count;
        }
    }
    return count;
}

} // namespace

const std::string &HandOf(const Table &t, int seat) {
    static const std::string noHand;
    if (seat < 0 || static_cast<std::size_t>(seat) >= t.Hands.size()) {
        return noHand;
    }
    return t.Hands[static_cast<std::size_t>(seat)];
}

bool HoldsHelicopter(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    return Holds(hand, "1" + t.Trump) && Holds(hand, "9" + t.Trump) &&
           SuitCount(t, seat, t.Trump) == 2;
}

bool IsAceOrNone(std::string_view answer) {
    // "9" and a suit letter sort after "9", and so does "a" with anything.
    return answer > std::string_view("9");
}

int SuitCount(const Table &t, int seat, std::string_view suit) {
    return SuitCountIn(HandOf(t, seat), suit);
}

int RankCount(const Table &t, int seat, int rank) {
    const std::string &hand = HandOf(t, seat);
    int count = 0;
    for (int p = 1; p <= FixedPositions; ++p) {
        if (RankNumber(RankAt(hand, p)) == rank) {
            ++count;
        }
    }
    return count;
}

int FourOfAKindRank(const Table &t, int seat) {
    int found = 0;
    for (int r = 1; r <= 9; ++r) {
        if (RankCount(t, seat, r) == 4) {
            found = r;
        }
    }
    return found;
}

std::string HighestOfSuit(const Table &t, int seat, std::string_view suit) {
    const std::string &hand = HandOf(t, seat);
    char best = '0';
    for (int p = 1; p <= FixedPositions; ++p) {
        if (IsSuit(SuitAt(hand, p), suit) && Above(RankAt(hand, p), best)) {
            best = RankAt(hand, p)[0];
        }
    }
    return best + std::string(suit);
}

std::string LowestOfSuit(const Table &t, int seat, std::string_view suit) {
    const std::string &hand = HandOf(t, seat);
    char best = 'a';
    for (int p = 1; p <= FixedPositions; ++p) {
        if (IsSuit(SuitAt(hand, p), suit) && Below(RankAt(hand, p), best)) {
            best = RankAt(hand, p)[0];
        }
    }
    return best + std::string(suit);
}

std::string LowestBeater(const Table &t, int seat, std::string_view card) {
    const std::string &hand = HandOf(t, seat);
    const std::string_view rank = CharAt(card, 1);
    const std::string_view suit = CharAt(card, 2);
    char best = 'a';
    for (int p = 1; p <= FixedPositions; ++p) {
        const std::string_view r = RankAt(hand, p);
        if (IsSuit(SuitAt(hand, p), suit) && Below(r, best) && rank.size() == 1 &&
            Above(r, rank[0])) {
            best = r[0];
        }
    }
    return best + std::string(suit);
}

std::string LowestNonTrump(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    std::string candidate = "a ";
    for (int p = 1; p <= CardCount(hand); ++p) {
        if (!IsSuit(SuitAt(hand, p), t.Trump) && Below(RankAt(hand, p), candidate[0])) {
            candidate = CardAt(hand, p);
        }
    }
    return candidate;
}

std::string HighestNonTrump(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    std::string candidate = "0 ";
    for (int p = 1; p <= CardCount(hand); ++p) {
        if (!IsSuit(SuitAt(hand, p), t.Trump) && Above(RankAt(hand, p), candidate[0])) {
            candidate = CardAt(hand, p);
        }
    }
    return candidate;
}

std::string LowestSingleton(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    std::string candidate = "a ";
    for (int p = 1; p <= FixedPositions; ++p) {
        const std::string_view suit = SuitAt(hand, p);
        if (!IsSuit(suit, t.Trump) && suit != " " && Below(RankAt(hand, p), candidate[0]) &&
            SuitCountIn(hand, suit) == 1) {
            candidate = CardAt(hand, p);
        }
    }
    return candidate;
}

std::string HighestOfLongSuit(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    std::string candidate = "0 ";
    int length = 0;
    for (int p = 1; p <= CardCount(hand); ++p) {
        const std::string_view suit = SuitAt(hand, p);
        const int count = SuitCountIn(hand, suit);
        if (!IsSuit(suit, t.Trump) && Above(RankAt(hand, p), candidate[0]) && count >= length) {
            candidate = CardAt(hand, p);
            length = count;
        }
    }
    return candidate;
}

std::string HandWithout(const Table &t, int seat, std::string_view card) {
    const std::string &hand = HandOf(t, seat);
    // Only a whole card code can leave a hand; an empty text would otherwise
    // be "found" at the start and cut off the first card.
    if (card.size() != 2) {
        return hand;
    }
    const std::size_t k = hand.find(card);
    if (k == std::string::npos) {
        return hand;
    }
    return Trim(hand.substr(0, k) + hand.substr(k + 2));
}

std::string PromotedHand(const Table &t, int seat) {
    const std::string &hand = HandOf(t, seat);
    std::string result = Trim(hand);
    const std::string seen = Trim(t.TrumpsOut);
    const int m = static_cast<int>(seen.size() / 2);
    // Trimming moves every card left by the hand's leading spaces; the digit
    // raised must be the trump's own, not whatever now sits at its position.
    const std::size_t shift = std::min(hand.find_first_not_of(' '), hand.size());
    for (int p = 1; p <= FixedPositions; ++p) {
        const auto at = static_cast<std::size_t>(2 * p - 2);
        if (!IsSuit(SuitAt(hand, p), t.Trump) || at < shift || at - shift >= result.size()) {
            continue;
        }
        const char rank = hand[at];
        char &digit = result[at - shift];
        for (int j = 1; j <= m; ++j) {
            // A malformed TrumpsOut (a card twice, or one also in the hand)
            // could lift an ace past "9"; a rank stays a rank digit.
            if (rank < seen[static_cast<std::size_t>(2 * j - 2)] && digit >= '0' && digit < '9') {
                ++digit;
            }
        }
    }
    return result;
}

} // namespace vurp
