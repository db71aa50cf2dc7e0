#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "cards.h"
#include "computer_play.h"
#include "table.h"
#include "test_support.h"

namespace vurp {
namespace {

constexpr int Seat = 3;

Table WithHand(const std::string &hand, const std::string &trump,
               const std::string &trumpsOut = "") {
    return testing::HandTable(Seat, hand, trump, trumpsOut);
}

// Seat `Seat` is to play second to `lead`.
CardChoice Second(const std::string &hand, const std::string &lead, const std::string &trump) {
    Table t = WithHand(hand, trump);
    t.LedSuit = lead.substr(1, 1);
    t.TrickBest = lead + "1";
    return ChooseSecond(t, Seat, lead);
}

// Seat `Seat` is to play third; `best` is TrickBest with its seat digit.
CardChoice Third(const std::string &hand, const std::string &ledSuit, const std::string &best,
                 const std::string &trump) {
    Table t = WithHand(hand, trump);
    t.LedSuit = ledSuit;
    t.TrickBest = best;
    return ChooseThird(t, Seat);
}

void ExpectChoice(const CardChoice &choice, const std::string &card, bool wins) {
    EXPECT_EQ(choice.card, card);
    EXPECT_EQ(choice.wins, wins);
}

TEST(ComputerFirstLead, TwoTopTrumpsDrawTrumps) {
    EXPECT_EQ(ChooseFirstLead(WithHand("2p9c5k8c", "c", "3c"), Seat), "9c");
    // Queen and king are the top two once the ace has been turned.
    EXPECT_EQ(ChooseFirstLead(WithHand("2p7c5k8c", "c", "9c"), Seat), "8c");
}

TEST(ComputerFirstLead, OneTopTrumpLeadsTheLongSuit) {
    // The king of trumps has not been seen, so the ace alone is not enough.
    EXPECT_EQ(ChooseFirstLead(WithHand("9c2p5p3k", "c", "1c"), Seat), "5p");
    // Nor the ace with the queen: the unseen king lies between them.
    EXPECT_EQ(ChooseFirstLead(WithHand("9c7c2p5p", "c", "1c"), Seat), "5p");
    // Nor king and queen while the ace is unseen.
    EXPECT_EQ(ChooseFirstLead(WithHand("8c7c2p5p", "c", "1c"), Seat), "5p");
    // Neither is a promoted king without the ace.
    EXPECT_EQ(ChooseFirstLead(WithHand("7c2p5p6k", "c", "9c"), Seat), "5p");
}

TEST(ComputerFirstLead, AllTrumpsLeadsTheHighest) {
    EXPECT_EQ(ChooseFirstLead(WithHand("2c5c6c3c", "c", "1c"), Seat), "6c");
}

TEST(ComputerLead, TopUnseenTrumpLeadsTheHighestTrump) {
    // The queen reads as the ace once ace and king are out; the seat also
    // holds the suit led to trick 1 but draws trumps first.
    Table t = WithHand("2k7c3b", "c", "1c9c8c");
    t.Played[1] = "5k";
    EXPECT_EQ(ChooseLead(t, Seat, 2), "7c");
    t.Played[4] = "4b";
    EXPECT_EQ(ChooseLead(t, Seat, 3), "7c");
}

TEST(ComputerLead, ReturnsToTheSuitOfTrickOne) {
    Table t = WithHand("2k8k9p", "c", "1c");
    t.Played[1] = "5k";
    EXPECT_EQ(ChooseLead(t, Seat, 2), "8k");
    // A trump lead to trick 1 is not returned to.
    t.Played[1] = "5c";
    EXPECT_EQ(ChooseLead(t, Seat, 2), "9p");
    // A king of trumps with the ace unseen is no top trump to lead.
    t = WithHand("8c2k3b", "c", "1c");
    t.Played[1] = "5k";
    EXPECT_EQ(ChooseLead(t, Seat, 2), "2k");
}

TEST(ComputerLead, TrickThreeFallsBackToTheSuitOfTrickTwo) {
    Table t = WithHand("3b9k", "c", "1c");
    t.Played[1] = "4p";
    t.Played[4] = "6b";
    EXPECT_EQ(ChooseLead(t, Seat, 3), "3b");
    // Trick 2 does not look at its own lead.
    EXPECT_EQ(ChooseLead(t, Seat, 2), "9k");
    // Trick 1's suit still comes first.
    t.Hands[Seat] = "3b9k2p";
    EXPECT_EQ(ChooseLead(t, Seat, 3), "2p");
}

TEST(ComputerLead, TrumpLeadToTrickTwoIsNotReturnedTo) {
    Table t = WithHand("3b2c", "c", "1c6c");
    t.Played[1] = "4k";
    t.Played[4] = "6c";
    EXPECT_EQ(ChooseLead(t, Seat, 3), "3b");
}

TEST(ComputerLead, OnlyTrumpsLeftLeadsTheHighestTrump) {
    Table t = WithHand("2c3c", "c", "1c");
    t.Played[1] = "5k";
    t.Played[4] = "6b";
    EXPECT_EQ(ChooseLead(t, Seat, 3), "3c");
    EXPECT_EQ(ChooseLead(t, Seat, 2), "3c");
}

TEST(ComputerSecond, FollowsSuit) {
    // Wins with its highest card, not the cheapest winner.
    ExpectChoice(Second("5p9p2k", "3p", "c"), "9p", true);
    // Cannot win: its lowest card of the suit, trumps or not.
    ExpectChoice(Second("2p5p9c", "8p", "c"), "2p", false);
    // One rank above the lead wins; one rank below does not.
    ExpectChoice(Second("2p6p", "5p", "c"), "6p", true);
    ExpectChoice(Second("4p2p", "5p", "c"), "2p", false);
}

TEST(ComputerSecond, VoidTrumpsWithItsLowestTrump) {
    ExpectChoice(Second("2k7c4c", "3p", "c"), "4c", true);
}

TEST(ComputerSecond, VoidAndNoTrumpsThrowsItsLowestCard) {
    ExpectChoice(Second("5k2b9b", "3p", "c"), "2b", false);
}

TEST(ComputerSecond, TrumpLead) {
    ExpectChoice(Second("7c9c2p", "5c", "c"), "9c", true);
    ExpectChoice(Second("2c3c9p", "5c", "c"), "2c", false);
    ExpectChoice(Second("9p2k", "5c", "c"), "2k", false);
}

TEST(ComputerThird, FollowsPlainSuit) {
    // The lowest card that wins.
    ExpectChoice(Third("6p9p", "p", "5p1", "c"), "6p", true);
    // One rank below the best card does not win, and no trump is spent.
    ExpectChoice(Third("4p9c", "p", "5p1", "c"), "4p", false);
    // Nothing wins: the lowest of the suit, keeping its trump.
    ExpectChoice(Third("5p3p7c", "p", "9p2", "c"), "3p", false);
    // Already trumped: follow low even with higher trumps in hand.
    ExpectChoice(Third("8p3p9c", "p", "2c2", "c"), "3p", false);
}

TEST(ComputerThird, VoidInThePlainSuit) {
    // Not yet trumped: any trump wins, so the lowest.
    ExpectChoice(Third("7c2c3k", "p", "5p1", "c"), "2c", true);
    // Trumped: overtrump as cheaply as possible, else give the lowest.
    ExpectChoice(Third("2c7c", "p", "4c2", "c"), "7c", true);
    ExpectChoice(Third("2c3c", "p", "4c2", "c"), "2c", false);
}

TEST(ComputerThird, TrumpsLed) {
    ExpectChoice(Third("6p7c5c", "c", "4c1", "c"), "5c", true);
    ExpectChoice(Third("2c6p", "c", "4c1", "c"), "2c", false);
    ExpectChoice(Third("6p2k", "c", "4c1", "c"), "2k", false);
}

TEST(ComputerThird, NeitherSuitThrowsTheLowestCard) {
    ExpectChoice(Third("6k2b", "p", "5p1", "c"), "2b", false);
    ExpectChoice(Third("6k2b", "p", "2c2", "c"), "2b", false);
}

// A seat or slot that does not exist gives no card, and reads nothing
// outside the table.
TEST(ComputerPlay, NoSuchSeatOrSlotGivesNoCard) {
    Table t;
    for (const int seat : {-1, 4, 1000}) {
        EXPECT_EQ(ChooseCard(t, seat, 10).card, "") << seat;
    }
    EXPECT_EQ(ChooseCard(t, 2, 0).card, "");
    EXPECT_EQ(ChooseCard(t, 2, 13).card, "");
}

// The same checks over many dealt situations, against the game's two rules
// written out independently: follow suit (else trump, else anything) and the
// trick-winner rule that `wins` must agree with.
bool HasSuit(const std::string &hand, char suit) {
    for (std::size_t i = 1; i < hand.size(); i += 2) {
        if (hand[i] == suit) {
            return true;
        }
    }
    return false;
}

bool Legal(const std::string &hand, const std::string &card, char led, char trump) {
    if (HasSuit(hand, led)) {
        return card[1] == led;
    }
    if (HasSuit(hand, trump)) {
        return card[1] == trump;
    }
    return true;
}

bool Beats(const std::string &card, const std::string &best, char trump) {
    if (card[1] == best[1]) {
        return card[0] > best[0];
    }
    return card[1] == trump && best[1] != trump;
}

bool Holds(const std::string &hand, const std::string &card) {
    for (int i = 1; i <= CardCount(hand); ++i) {
        if (CardAt(hand, i) == card) {
            return true;
        }
    }
    return false;
}

struct Deal {
    std::string hands[4];
    char trump;
};

Deal RandomDeal(std::mt19937 &gen, int cards) {
    std::vector<std::string> pack;
    for (int k = 1; k <= 36; ++k) {
        pack.push_back(CardAt(DeckLiteral, k));
    }
    std::shuffle(pack.begin(), pack.end(), gen);
    Deal d{};
    for (int s = 1; s <= 3; ++s) {
        for (int c = 0; c < cards; ++c) {
            d.hands[s] += pack[static_cast<std::size_t>(s * 5 + c)];
        }
    }
    d.trump = "pkbc"[gen() % 4];
    return d;
}

TEST(ComputerPlay, ChoicesAreLegalCardsAndWinExactlyWhenTheyTakeTheLead) {
    std::mt19937 gen(20240601);
    for (int round = 0; round < 3000; ++round) {
        const int cards = 2 + round % 3;
        const Deal d = RandomDeal(gen, cards);
        Table t;
        t.Trump = std::string(1, d.trump);
        t.TrumpsOut = "";
        for (int s = 1; s <= 3; ++s) {
            t.Hands[static_cast<std::size_t>(s)] = d.hands[s];
        }
        // A fresh hand still carries its blank position.
        if (cards == 4 && round % 2 == 0) {
            t.Hands[2] += "  ";
            t.Hands[3] += "  ";
        }
        const std::string lead = CardAt(d.hands[1], 1 + static_cast<int>(gen() % 2));
        t.LedSuit = lead.substr(1, 1);
        t.TrickBest = lead + "1";

        const CardChoice second = ChooseSecond(t, 2, lead);
        SCOPED_TRACE(t.Hands[2] + " / " + t.Hands[3] + " lead " + lead + " trump " + t.Trump);
        ASSERT_TRUE(Holds(t.Hands[2], second.card)) << second.card;
        EXPECT_TRUE(Legal(d.hands[2], second.card, t.LedSuit[0], d.trump)) << second.card;
        EXPECT_EQ(second.wins, Beats(second.card, lead, d.trump)) << second.card;
        if (second.wins) {
            t.TrickBest = second.card + "2";
        }

        const CardChoice third = ChooseThird(t, 3);
        ASSERT_TRUE(Holds(t.Hands[3], third.card)) << third.card;
        EXPECT_TRUE(Legal(d.hands[3], third.card, t.LedSuit[0], d.trump)) << third.card;
        EXPECT_EQ(third.wins, Beats(third.card, t.TrickBest, d.trump))
            << third.card << " against " << t.TrickBest;

        t.Played[1] = lead;
        t.Played[4] = CardAt(d.hands[2], 1);
        EXPECT_TRUE(Holds(t.Hands[3], ChooseFirstLead(t, 3)));
        EXPECT_TRUE(Holds(t.Hands[3], ChooseLead(t, 3, 2)));
        EXPECT_TRUE(Holds(t.Hands[3], ChooseLead(t, 3, 3)));
    }
}

} // namespace
} // namespace vurp
