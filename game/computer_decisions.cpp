#include "computer_decisions.h"

#include "cards.h"
#include "hand_queries.h"

namespace vurp {

namespace {

// A king of trumps after promotion counts only with a nine or better beside
// it, read from the promoted ranks of the first four cards.
bool PromotedKingWithSupport(const std::string &promoted, const std::string &trump) {
    if (!Holds(promoted, "8" + trump)) {
        return false;
    }
    for (int p = 1; p <= 4; ++p) {
        const std::string card = CardAt(promoted, p);
        if (SuitOf(card) == trump && RankOf(card) != "8" && RankNumber(card) > 3) {
            return true;
        }
    }
    return false;
}

// The cards a seat keeps in its exchange: trumps and aces.
bool KeepsInExchange(const std::string &card, const std::string &trump) {
    const std::string suit = SuitOf(card);
    return RankOf(card) == "9" || (!suit.empty() && suit == trump);
}

} // namespace

FirstRoundDecision DecideFirstRound(const Table &t, int seat, Random &random) {
    FirstRoundDecision d;
    d.trumps = SuitCount(t, seat, t.Trump);
    if (HoldsHelicopter(t, seat)) {
        d.say = FirstRoundSay::Helicopter;
        d.rule = FirstRoundRule::Helicopter;
        return d;
    }

    const std::string promoted = PromotedHand(t, seat);
    const bool promotedAce = Holds(promoted, "9" + t.Trump);
    const bool fourOfAKind = FourOfAKindRank(t, seat) != 0;
    const bool kingWithSupport = PromotedKingWithSupport(promoted, t.Trump);
    if (!(fourOfAKind || d.trumps >= 3 || promotedAce || kingWithSupport)) {
        d.say = FirstRoundSay::Pass;
        d.rule = FirstRoundRule::Weak;
        return d;
    }
    if (!(d.trumps == 1 && promotedAce)) {
        d.say = FirstRoundSay::Vurp;
        d.rule = fourOfAKind     ? FirstRoundRule::FourOfAKind
                 : d.trumps >= 3 ? FirstRoundRule::ThreeTrumps
                 : promotedAce   ? FirstRoundRule::PromotedAce
                                 : FirstRoundRule::KingWithSupport;
        return d;
    }

    // A lone ace (or what counts as one) may be worth going for its rank.
    d.rank = RankNumber(HighestOfSuit(t, seat, t.Trump));
    random.Reseed();
    const double u = random.Next();
    d.draws = {u};
    const bool second = RankCount(t, seat, d.rank) > 1;
    d.rule = second ? FirstRoundRule::LoneAcePaired : FirstRoundRule::LoneAceDraw;
    d.say = second || u < 0.5 ? FirstRoundSay::VurpGoingFor : FirstRoundSay::Pass;
    return d;
}

SecondRoundDecision DecideSecondRound(const Table &t, int seat, Random &random) {
    SecondRoundDecision d;
    d.trumps = SuitCount(t, seat, t.Trump);
    if (d.trumps > 1 || FourOfAKindRank(t, seat) != 0) {
        d.say = SecondRoundSay::Help;
        d.rule = d.trumps > 1 ? SecondRoundRule::Trumps : SecondRoundRule::FourOfAKind;
        return d;
    }

    if (d.trumps == 1) {
        const std::string &hand = HandOf(t, seat);
        const std::string promoted = PromotedHand(t, seat);
        std::string promotedRank;
        for (int p = 1; p <= 5; ++p) {
            if (SuitOf(CardAt(hand, p)) == t.Trump) {
                d.rank = RankNumber(CardAt(hand, p));
                promotedRank = RankOf(CardAt(promoted, p));
            }
        }
        // A queen or better once promoted.
        const bool three = RankCount(t, seat, d.rank) == 3;
        if (three || RankAbove(promotedRank, '6')) {
            d.say = SecondRoundSay::HelpGoingFor;
            d.rule = three ? SecondRoundRule::ThreeOfItsRank : SecondRoundRule::HighTrump;
            return d;
        }
    }

    random.Reseed();
    const double a = random.Next();
    const double b = random.Next();
    d.draws = {a, b};
    d.rule = d.trumps == 0 ? SecondRoundRule::NoTrumpDraw : SecondRoundRule::LoneTrumpDraw;
    d.say = (a < 0.75 && d.trumps == 0) || (b < 0.4 && d.trumps == 1) ? SecondRoundSay::TakeFive
                                                                      : SecondRoundSay::Pass;
    return d;
}

DiscardDecision DecideDiscard(const Table &t, int seat) {
    if (const int quad = FourOfAKindRank(t, seat); quad != 0) {
        const std::string &hand = HandOf(t, seat);
        for (int p = 1; p <= 5; ++p) {
            const std::string card = CardAt(hand, p);
            if (RankNumber(card) != 0 && RankNumber(card) != quad) {
                return {card, DiscardRule::FourOfAKind};
            }
        }
        return {"", DiscardRule::FourOfAKind};
    }
    if (SuitCount(t, seat, t.Trump) == 0) {
        return {LowestNonTrump(t, seat), DiscardRule::LowestNoTrump};
    }
    // A lone card of another suit up to the queen goes first, then the
    // lowest card of another suit unless that is an ace, else a trump.
    if (std::string c = LowestSingleton(t, seat); !RankAbove(c, '7')) {
        return {c, DiscardRule::LowSingleton};
    }
    if (std::string c = LowestNonTrump(t, seat); !IsAceOrNone(c)) {
        return {c, DiscardRule::LowestPlain};
    }
    return {LowestOfSuit(t, seat, t.Trump), DiscardRule::LowestTrump};
}

ExchangeDecision DecideExchange(const Table &t, int seat) {
    ExchangeDecision d;
    const std::string &hand = HandOf(t, seat);
    for (int p = 1; p <= 4; ++p) {
        const std::string card = CardAt(hand, p);
        if (KeepsInExchange(card, t.Trump)) {
            d.kept += card;
            --d.replaced;
            if (SuitOf(card) == t.Trump) {
                ++d.trumpsKept;
            } else {
                ++d.acesKept;
            }
        } else if (!Trim(card).empty()) {
            d.thrown += card;
        }
    }
    return d;
}

} // namespace vurp
