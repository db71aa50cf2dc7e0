// What seats 2 and 3 declare: fixed thresholds on their hands, with a few
// random draws. Each decision runs the same command a button would.
#include <string>

#include "cards.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

namespace {

// The numeric value of a card's rank digit, 0 when it is not a rank.
int RankValue(const std::string &card) {
    if (card.empty() || card[0] < '1' || card[0] > '9') {
        return 0;
    }
    return card[0] - '0';
}

bool Holds(const std::string &hand, const std::string &card) {
    return hand.find(card) != std::string::npos;
}

// A king of trumps after promotion counts only with a nine or better beside it.
bool PromotedKingWithSupport(const std::string &promoted, const std::string &trump) {
    if (!Holds(promoted, "8" + trump)) {
        return false;
    }
    for (int p = 1; p <= 4; ++p) {
        const std::string card = CardAt(promoted, p);
        if (Mid(card, 2, 1) == trump && Mid(card, 1, 1) != "8" && RankValue(card) > 3) {
            return true;
        }
    }
    return false;
}

} // namespace

void Game::ComputerFirstRound() {
    const int s = CurSeat;
    const int trumps = SuitCount(*this, s, Trump);
    if (Holds(Hands[s], "1" + Trump) && Holds(Hands[s], "9" + Trump) && trumps == 2) {
        Vert_Click();
        return;
    }

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
    const int r = RankValue(HighestOfSuit(*this, s, Trump));
    random_.Reseed();
    const double u = random_.Next();
    if (!(u < 0.5 || RankCount(*this, s, r) > 1)) {
        PasVurp_Click();
        return;
    }
    SetText(Control::talk, s, "Вурп иду за " + RankName(RankInstrumental, r));
    for (Control c : {Control::vurp, Control::PasVurp, Control::VurpGo, Control::Vert}) {
        Enable(c, 0, false);
    }
    Status[s] = DeclarerGoingFor;
    AskForRank(r);
    Enable(Control::Sled, 0, true);
    GoRank = r;
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
            if (Mid(CardAt(Hands[s], p), 2, 1) == Trump) {
                rank = CardAt(Hands[s], p);
                promotedRank = Mid(CardAt(promoted, p), 1, 1);
            }
        }
        const int r = RankValue(rank);
        if (RankCount(*this, s, r) == 3 || promotedRank > "6") {
            SetText(Control::talk, s, "Помогу иду за " + RankName(RankInstrumental, r));
            Status[s] = SupporterGoingFor;
            AskForRank(r);
            Enable(Control::Sled, 0, true);
            for (Control c : {Control::Help, Control::PasHelp, Control::HelpGo, Control::five}) {
                Enable(c, 0, false);
            }
            Show(Control::Change, 0, false);
            GoRank = r;
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
            if (RankValue(card) != 0 && RankValue(card) != quad) {
                c = card;
            }
        }
    } else if (SuitCount(*this, s, Trump) > 0) {
        c = LowestSingleton(*this, s);
        if (!(Mid(c, 1, 1) <= "7")) {
            c = LowestNonTrump(*this, s);
            if (!(c <= "9")) {
                c = LowestOfSuit(*this, s, Trump);
            }
        }
    } else {
        c = LowestNonTrump(*this, s);
    }
    Hands[s] = HandWithout(*this, s, c);
    if (Status[s] == DeclarerGoingFor) {
        Status[s] = DeclarerReady;
    }
    NextSeat();
    if (AllDeclared()) {
        ExchangeStep();
    } else {
        SecondRoundTurn();
    }
}

} // namespace vurp
