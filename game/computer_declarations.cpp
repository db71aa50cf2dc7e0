// What seats 2 and 3 declare: fixed thresholds on their hands, with a few
// random draws. Each decision runs the same command a button would.
#include <string>

#include "cards.h"
#include "game.h"
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

} // namespace

void Game::ComputerFirstRound() {
    const int s = CurSeat;
    if (HoldsHelicopter(s)) {
        Vert_Click();
        return;
    }

    const int trumps = SuitCount(*this, s, Trump);
    const std::string promoted = PromotedHand(*this, s);
    const bool promotedAce = Holds(promoted, "9" + Trump);
    const bool strong = FourOfAKindRank(*this, s) != 0 || trumps >= 3 || promotedAce ||
                        PromotedKingWithSupport(promoted, Trump);
    if (!strong) {
        PasVurp_Click();
        return;
    }
    if (!(trumps == 1 && promotedAce)) {
        SetText(Control::talk, s, "Вурп ");
        vurp_Click();
        return;
    }

    // A lone ace (or what counts as one) may be worth going for its rank.
    const int r = RankNumber(HighestOfSuit(*this, s, Trump));
    random_.Reseed();
    const double u = random_.Next();
    if (!(u < 0.5 || RankCount(*this, s, r) > 1)) {
        PasVurp_Click();
        return;
    }
    SetText(Control::talk, s, "Вурп иду за " + RankName(RankInstrumental, r));
    EnableFirstRoundButtons(false);
    Status[s] = DeclarerGoingFor;
    DeclareGoingFor(r);
}

void Game::ComputerSecondRound() {
    const int s = CurSeat;
    const int trumps = SuitCount(*this, s, Trump);
    if (trumps > 1 || FourOfAKindRank(*this, s) != 0) {
        Help_Click();
        return;
    }

    if (trumps == 1) {
        const std::string promoted = PromotedHand(*this, s);
        std::string rank;
        std::string promotedRank;
        for (int p = 1; p <= 5; ++p) {
            if (SuitOf(CardAt(Hands[s], p)) == Trump) {
                rank = CardAt(Hands[s], p);
                promotedRank = RankOf(CardAt(promoted, p));
            }
        }
        const int r = RankNumber(rank);
        // A queen or better once promoted.
        if (RankCount(*this, s, r) == 3 || RankAbove(promotedRank, '6')) {
            SetText(Control::talk, s, "Помогу иду за " + RankName(RankInstrumental, r));
            Status[s] = SupporterGoingFor;
            DeclareGoingFor(r);
            EnableSecondRoundButtons(false);
            Show(Control::Change, 0, false);
            return;
        }
    }

    random_.Reseed();
    const double a = random_.Next();
    const double b = random_.Next();
    if ((a < 0.75 && trumps == 0) || (b < 0.4 && trumps == 1)) {
        five_Click();
    } else {
        PasHelp_Click();
    }
}

void Game::ComputerDiscard() {
    const int s = CurSeat;
    std::string c;
    if (const int quad = FourOfAKindRank(*this, s); quad != 0) {
        for (int p = 1; p <= 5 && c.empty(); ++p) {
            const std::string card = CardAt(Hands[s], p);
            if (RankNumber(card) != 0 && RankNumber(card) != quad) {
                c = card;
            }
        }
    } else if (SuitCount(*this, s, Trump) > 0) {
        // A lone card of another suit up to the queen goes first, then the
        // lowest card of another suit unless that is an ace, else a trump.
        c = LowestSingleton(*this, s);
        if (RankAbove(c, '7')) {
            c = LowestNonTrump(*this, s);
            if (IsAceOrNone(c)) {
                c = LowestOfSuit(*this, s, Trump);
            }
        }
    } else {
        c = LowestNonTrump(*this, s);
    }
    Hands[s] = HandWithout(*this, s, c);
    Tell(GameEvent::Of(EventKind::Discard, s).WithCard(c));
    AfterDiscard();
}

} // namespace vurp
