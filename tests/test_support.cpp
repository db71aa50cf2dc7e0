#include "test_support.h"

#include <algorithm>
#include <stdexcept>

#include <gtest/gtest.h>

#include "cards.h"
#include "controls.h"
#include "shuffle_draws.h"

namespace vurp {

void PrintTo(DeclarationStatus status, std::ostream *os) {
    static const char *const names[] = {"Silent",           "Declarer",          "Supporter",
                                        "DeclarerGoingFor", "SupporterGoingFor", "TookFive",
                                        "DeclarerReady",    "SupporterReady",    "Out"};
    const int number = StatusNumber(status);
    if (number >= 0 && number <= 8) {
        *os << names[number] << " (" << number << ")";
    } else {
        *os << "status " << number;
    }
}

} // namespace vurp

namespace vurp::testing {

std::string DeckStartingWith(const std::string &head) {
    std::string deck = head;
    for (int k = 1; k <= 36; ++k) {
        const std::string card = CardAt(DeckLiteral, k);
        bool used = false;
        for (std::size_t p = 0; p + 1 < head.size(); p += 2) {
            used = used || head.compare(p, 2, card) == 0;
        }
        if (!used) {
            deck += card;
        }
    }
    if (deck.size() != 72) {
        throw std::invalid_argument("DeckStartingWith: repeated or unknown card in " + head);
    }
    return deck;
}

Table HandTable(int seat, const std::string &hand, const std::string &trump,
                const std::string &trumpsOut) {
    Table t;
    t.Hands[static_cast<std::size_t>(seat)] = hand;
    t.Trump = trump;
    t.TrumpsOut = trumpsOut;
    return t;
}

void Deal(Fixture &f, const std::string &head, int dealer) {
    f.game.Dealer = dealer;
    f.ArrangeDeck(DeckStartingWith(head));
    ASSERT_TRUE(f.game.Click(Control::Razd));
}

void SetUpTable(Fixture &f, const TableSetup &setup) {
    Game &g = f.game;
    g.Deck = setup.deck;
    g.DeckPos = 14;
    g.TurnedCard = setup.turned;
    g.Trump = Mid(setup.turned, 2, 1);
    g.TrumpsOut = setup.turned;
    g.PlayPhase = setup.playPhase;
    g.CurSeat = setup.curSeat;
    for (auto &card : g.Played) {
        card = "--";
    }
    for (int s = 1; s <= 3; ++s) {
        const std::size_t at = static_cast<std::size_t>(s - 1);
        g.Hands[s] = setup.hands[at];
        g.Status[s] = setup.statuses[at];
        g.Tricks[s] = setup.tricks[at];
        f.view.SetText(Control::Money, s, setup.money);
        f.view.SetVisible(Control::Money, s, true);
        f.view.SetText(Control::KolVz, s, "0");
        f.view.SetVisible(Control::KolVz, s, true);
        f.view.SetVisible(Control::talk, s, true);
        const int held = CardCount(g.Hands[s]);
        for (int b = 1; b <= 5; ++b) {
            if (b <= held) {
                g.ShowPicture(Game::HandBoxes(s), b,
                              s == HumanSeat ? CardAt(g.Hands[s], b) : CardBack);
            }
            f.view.SetVisible(Game::HandBoxes(s), b, b <= held && setup.statuses[at] != Out);
            f.view.SetEnabled(Game::HandBoxes(s), b, false);
        }
    }
    f.view.SetText(Control::bank, 0, setup.bank);
    f.view.SetEnabled(Control::Razd, 0, false);
    f.view.SetVisible(Control::Sled, 0, true);
}

bool AnyFirstRoundButton(const Fixture &f) {
    return std::any_of(kFirstRoundButtons.begin(), kFirstRoundButtons.end(),
                       [&f](Control button) { return f.Enabled(button); });
}

bool AnySecondRoundButton(const Fixture &f) {
    return std::any_of(kSecondRoundButtons.begin(), kSecondRoundButtons.end(),
                       [&f](Control button) { return f.Enabled(button); });
}

bool AnyRankButton(const Fixture &f) {
    for (int k = 1; k <= 9; ++k) {
        if (f.Enabled(Control::GoKats, k)) {
            return true;
        }
    }
    return false;
}

void Fixture::ArrangeDeck(const std::string &order) {
    const std::vector<double> draws = ShuffleDrawsFor(order);
    if (draws.empty()) {
        throw std::invalid_argument("ArrangeDeck: not a pack order");
    }
    for (const double draw : draws) {
        random.Push(draw);
    }
}

} // namespace vurp::testing
