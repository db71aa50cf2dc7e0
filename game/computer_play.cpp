#include "computer_play.h"

#include "cards.h"
#include "hand_queries.h"

namespace vurp {

namespace {

// The queries answer "0" (highest-type) or "a" (lowest-type) in place of a
// rank when no card qualifies.
bool IsCard(const std::string &answer, char none) {
    return !answer.empty() && answer[0] != none;
}

// The seat holds a card of a suit that is not trumps.
bool HoldsPlain(const Table &t, int seat, const std::string &suit) {
    return suit != t.Trump && SuitCount(t, seat, suit) > 0;
}

} // namespace

CardChoice ChooseCard(const Table &t, int seat, int slot) {
    if (slot < 1 || slot > 12) {
        return {};
    }
    const int trick = TrickOf(slot);
    if (trick == 4) {
        // The last card is the whole hand; the winner rule decides.
        return {Trim(HandOf(t, seat)), false};
    }
    switch (PositionOf(slot)) {
    case 1:
        return {trick == 1 ? ChooseFirstLead(t, seat) : ChooseLead(t, seat, trick), true};
    case 2:
        return ChooseSecond(t, seat, t.Played[static_cast<std::size_t>(slot - 1)]);
    default:
        return ChooseThird(t, seat);
    }
}

std::string ChooseFirstLead(const Table &t, int seat) {
    // Promotion lifts each trump over the higher trumps already seen, so a
    // promoted "9" and "8" of trumps are the two highest trumps still unseen.
    const std::string promoted = PromotedHand(t, seat);
    if (Holds(promoted, "9" + t.Trump) && Holds(promoted, "8" + t.Trump)) {
        return HighestOfSuit(t, seat, t.Trump);
    }
    const std::string longSuit = HighestOfLongSuit(t, seat);
    if (IsCard(longSuit, '0')) {
        return longSuit;
    }
    return HighestOfSuit(t, seat, t.Trump);
}

std::string ChooseLead(const Table &t, int seat, int trick) {
    if (Holds(PromotedHand(t, seat), "9" + t.Trump)) {
        return HighestOfSuit(t, seat, t.Trump);
    }
    const std::string firstLed = SuitOf(t.Played[1]);
    if (HoldsPlain(t, seat, firstLed)) {
        return HighestOfSuit(t, seat, firstLed);
    }
    if (trick == 3) {
        const std::string secondLed = SuitOf(t.Played[4]);
        if (HoldsPlain(t, seat, secondLed)) {
            return HighestOfSuit(t, seat, secondLed);
        }
    }
    const std::string plain = HighestNonTrump(t, seat);
    if (IsCard(plain, '0')) {
        return plain;
    }
    return HighestOfSuit(t, seat, t.Trump);
}

CardChoice ChooseSecond(const Table &t, int seat, const std::string &lead) {
    const std::string highest = HighestOfSuit(t, seat, t.LedSuit);
    // Without a card of the suit the answer's rank is "0", below every lead.
    if (!lead.empty() && RankAbove(highest, lead[0])) {
        return {highest, true};
    }
    const std::string lowest = LowestOfSuit(t, seat, t.LedSuit);
    if (IsCard(lowest, 'a')) {
        return {lowest, false};
    }
    const std::string lowestTrump = LowestOfSuit(t, seat, t.Trump);
    if (IsCard(lowestTrump, 'a')) {
        return {lowestTrump, true};
    }
    return {LowestNonTrump(t, seat), false};
}

CardChoice ChooseThird(const Table &t, int seat) {
    const std::string &best = t.TrickBest;
    const bool trumped = SuitOf(best) == t.Trump;
    if (HoldsPlain(t, seat, t.LedSuit)) {
        if (trumped) {
            return {LowestOfSuit(t, seat, t.LedSuit), false};
        }
        const std::string beater = LowestBeater(t, seat, best);
        if (IsCard(beater, 'a')) {
            return {beater, true};
        }
        return {LowestOfSuit(t, seat, t.LedSuit), false};
    }
    if (SuitCount(t, seat, t.Trump) > 0) {
        if (!trumped) {
            return {LowestOfSuit(t, seat, t.Trump), true};
        }
        const std::string beater = LowestBeater(t, seat, best);
        if (IsCard(beater, 'a')) {
            return {beater, true};
        }
        return {LowestOfSuit(t, seat, t.Trump), false};
    }
    return {LowestNonTrump(t, seat), false};
}

} // namespace vurp
