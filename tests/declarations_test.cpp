#include <gtest/gtest.h>

#include <array>
#include <string>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// No seat holds a trump (c) or anything strong under the later candidates
// (b, then k): the computer seats pass every candidate without a random draw.
const std::string kAllPass = "6p7p8k9b"
                             "1p2p3k4b"
                             "2k3p4k5b"
                             "5c"
                             "6b7k";

TEST(SeatOrder, NextSeatGoesRoundTheTableAndStaysOnIt) {
    Fixture f;
    Game &g = f.game;
    g.CurSeat = 1;
    g.NextSeat();
    EXPECT_EQ(g.CurSeat, 2);
    g.NextSeat();
    EXPECT_EQ(g.CurSeat, 3);
    g.NextSeat();
    EXPECT_EQ(g.CurSeat, 1);
    // Before the first deal nobody has the word; the circle starts at seat 1.
    g.CurSeat = 0;
    g.NextSeat();
    EXPECT_EQ(g.CurSeat, 1);
}

TEST(FirstRound, DealersPassTurnsTheNextCandidatesThenTheThirdAllPassDealsAgain) {
    Fixture f;
    const std::string second = DeckStartingWith("9c8c7c6c");
    f.game.Dealer = 3;
    f.ArrangeDeck(DeckStartingWith(kAllPass));
    f.ArrangeDeck(second);
    ASSERT_TRUE(f.game.Click(Control::Razd));
    Game &g = f.game;

    ASSERT_TRUE(g.Click(Control::PasVurp));
    EXPECT_EQ(g.TurnedCard, "6b");
    EXPECT_EQ(g.Trump, "b");
    EXPECT_EQ(g.TrumpsOut, "6b");
    EXPECT_EQ(g.DeckPos, 15);
    EXPECT_EQ(f.view.Picture(Control::PictKoz), "6b");
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_EQ(g.Status, (std::array<DeclarationStatus, 4>{}));
    // Earlier words stay on view until the seat speaks again.
    EXPECT_EQ(f.Text(Control::talk, 1), "Пас");
    EXPECT_EQ(f.Text(Control::talk, 3), "Пас");

    ASSERT_TRUE(g.Click(Control::PasVurp));
    EXPECT_EQ(g.TurnedCard, "7k");
    EXPECT_EQ(g.TrumpsOut, "7k");
    EXPECT_EQ(g.DeckPos, 16);
    EXPECT_EQ(f.Text(Control::bank), " 12");

    ASSERT_TRUE(g.Click(Control::PasVurp));
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(f.Text(Control::Money, s), "-8");
        EXPECT_EQ(f.Text(Control::talk, s), "");
    }
    EXPECT_EQ(f.Text(Control::bank), " 24");
    EXPECT_EQ(g.Deck, second);
    EXPECT_EQ(f.random.Queued(), 0u);
    EXPECT_EQ(g.DeckPos, 14);
    EXPECT_EQ(g.TurnedCard, "9p");
    EXPECT_EQ(g.Dealer, 3);
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_TRUE(f.Enabled(Control::PasVurp));
}

TEST(Helicopter, HumanWithSixAndAceAsOnlyTrumpsSaysItAndBothOthersMustHelp) {
    Fixture f;
    Deal(f, "1c9c2p3k"
            "1p2k3b4b"
            "2b3p4k5b"
            "5c");
    Game &g = f.game;
    ASSERT_TRUE(f.Enabled(Control::Vert));
    ASSERT_TRUE(g.Click(Control::Vert));
    EXPECT_EQ(f.Text(Control::talk, 1), "Вертолет ");
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу ");
    EXPECT_EQ(f.Text(Control::talk, 3), "Помогу ");
    EXPECT_EQ(g.Status[1], DeclarerReady);
    EXPECT_EQ(g.Status[2], SupporterReady);
    EXPECT_EQ(g.Status[3], SupporterReady);
    EXPECT_TRUE(g.PlayPhase);
    EXPECT_FALSE(AnyFirstRoundButton(f));
    EXPECT_FALSE(AnySecondRoundButton(f));
    // Nobody drew: the helicopter has no exchange.
    EXPECT_EQ(g.DeckPos, 14);
}

TEST(Helicopter, NotOfferedWithAThirdTrumpAndWithdrawnByThePass) {
    {
        Fixture f;
        Deal(f, "1c9c2c3k"
                "1p2k3b4b"
                "2b3p4k5b"
                "5c");
        EXPECT_FALSE(f.Enabled(Control::Vert));
    }
    Fixture f;
    Deal(f, "1c9c2p3k"
            "1p2k3b4b"
            "2b3p4k5b"
            "5c"
            "6p7k");
    ASSERT_TRUE(f.Enabled(Control::Vert));
    ASSERT_TRUE(f.game.Click(Control::PasVurp));
    // Under the new candidate (p) the hand is no helicopter any more.
    EXPECT_EQ(f.game.Trump, "p");
    EXPECT_FALSE(f.Enabled(Control::Vert));
}

TEST(Helicopter, ComputerSeatThreeSaysItAndSeatsOneAndTwoHelp) {
    Fixture f;
    Deal(f,
         "6p7p8k9b"
         "1p2p3k4b"
         "1c9c2k3b"
         "5c",
         1);
    Game &g = f.game;
    EXPECT_EQ(f.Text(Control::talk, 3), "Вертолет ");
    EXPECT_EQ(f.Text(Control::talk, 1), "Помогу ");
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу ");
    EXPECT_EQ(g.Status[3], DeclarerReady);
    EXPECT_EQ(g.Status[1], SupporterReady);
    EXPECT_EQ(g.Status[2], SupporterReady);
    EXPECT_TRUE(g.PlayPhase);
    EXPECT_FALSE(AnyFirstRoundButton(f));
}

// Seat 3 deals and says vurp on three trumps after seat 1 and seat 2 pass;
// seat 2 holds one trump queen, so after seat 1 it goes for queens, which
// stops the chain before the exchange. The stock after card 14 starts with
// 9p9k9b8p8k.
const std::string kSeatThreeVurps = "2p2k3b4p"
                                    "7c3k2b3p"
                                    "8c6c4c5p"
                                    "5c"
                                    "6p"
                                    "9p9k9b8p8k";

TEST(TakeFive, HumanGetsCardsFifteenToNineteenAndDiscardsOne) {
    Fixture f;
    Deal(f, kSeatThreeVurps);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::PasVurp));
    ASSERT_EQ(g.Status[3], Declarer);
    ASSERT_EQ(g.CurSeat, 1);
    ASSERT_TRUE(g.Click(Control::five));

    EXPECT_EQ(f.Text(Control::talk, 1), "Беру 5");
    EXPECT_EQ(g.Status[1], TookFive);
    EXPECT_EQ(g.Hands[1], "9p9k9b8p8k");
    EXPECT_EQ(g.DeckPos, 19);
    EXPECT_FALSE(AnySecondRoundButton(f));
    for (int i = 1; i <= 5; ++i) {
        EXPECT_TRUE(f.Visible(Control::Pict1, i));
        EXPECT_TRUE(f.Enabled(Control::Pict1, i));
        EXPECT_EQ(f.view.Picture(Control::Pict1, i), CardAt(g.Hands[1], i));
    }

    ASSERT_TRUE(g.Click(Control::Pict1, 2));
    EXPECT_EQ(g.Hands[1], "9p9b8p8k");
    EXPECT_EQ(g.Status[1], TookFive);
    EXPECT_FALSE(f.Visible(Control::Pict1, 5));
    const std::string shown[] = {"9p", "9b", "8p", "8k"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(f.Visible(Control::Pict1, i));
        EXPECT_FALSE(f.Enabled(Control::Pict1, i));
        EXPECT_EQ(f.view.Picture(Control::Pict1, i), shown[i - 1]);
    }
    // The word went on to seat 2, which went for queens.
    EXPECT_EQ(g.CurSeat, 2);
    EXPECT_EQ(g.Status[2], SupporterGoingFor);
    EXPECT_EQ(f.Text(Control::Talk2, 1), "Нет дам");
    EXPECT_FALSE(g.Click(Control::Pict1, 1));
}

// Seat 2 says vurp on three trumps after seat 1 passes; seat 3 holds no trump
// and answers by its two random draws, before seat 1's second-round turn.
const std::string kSeatTwoVurps = "1p2k3b4p"
                                  "8c6c4c2p"
                                  "1k2b3p4k"
                                  "5c"
                                  "6p"
                                  "9p9k9b8p8k";

TEST(SecondRound, PassLeavesTheDealAndHidesTheSeatsCards) {
    Fixture f;
    Deal(f, kSeatTwoVurps);
    f.random.Push(0.9);
    f.random.Push(0.9);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::PasVurp));
    EXPECT_EQ(f.Text(Control::talk, 2), "Вурп ");
    EXPECT_EQ(g.Status[2], Declarer);
    EXPECT_EQ(f.Text(Control::talk, 3), "Пас");
    EXPECT_EQ(g.Status[3], Out);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(f.Visible(Control::Pict3, i));
        EXPECT_TRUE(f.Visible(Control::Pict2, i));
    }
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_TRUE(f.Enabled(Control::Help));
    EXPECT_TRUE(f.Enabled(Control::PasHelp));
    EXPECT_TRUE(f.Enabled(Control::HelpGo));
    EXPECT_TRUE(f.Enabled(Control::five));
    EXPECT_FALSE(AnyFirstRoundButton(f));

    // Seat 1 passes too: its own boxes are hidden and its buttons disabled.
    ASSERT_TRUE(g.Click(Control::PasHelp));
    EXPECT_EQ(f.Text(Control::talk, 1), "Пас");
    EXPECT_EQ(g.Status[1], Out);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(f.Visible(Control::Pict1, i));
    }
    EXPECT_FALSE(AnySecondRoundButton(f));
}

TEST(SecondRound, HumanHelpShowsChangeAndWaitsForHisExchange) {
    Fixture f;
    Deal(f, kSeatTwoVurps);
    f.random.Push(0.9);
    f.random.Push(0.9);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::PasVurp));
    ASSERT_TRUE(g.Click(Control::Help));
    EXPECT_EQ(f.Text(Control::talk, 1), "Помогу");
    EXPECT_EQ(g.Status[1], Supporter);
    EXPECT_TRUE(f.Visible(Control::Change));
    EXPECT_FALSE(AnySecondRoundButton(f));
}

TEST(SecondRound, ComputerTakesFiveAndDiscardsBeforeTheHumanSpeaks) {
    Fixture f;
    Deal(f, kSeatTwoVurps);
    // No trump: the first draw decides (below 0.75), the second is drawn too.
    f.random.Push(0.1);
    f.random.Push(0.9);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::PasVurp));
    EXPECT_EQ(f.Text(Control::talk, 3), "Беру 5");
    EXPECT_EQ(g.Status[3], TookFive);
    EXPECT_EQ(g.DeckPos, 19);
    // Cards 15 to 19 less the lowest card, the first of the two kings.
    EXPECT_EQ(g.Hands[3], "9p9k9b8k");
    EXPECT_EQ(f.random.Queued(), 0u);
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_TRUE(f.Enabled(Control::five));
}

TEST(Discard, ClickOutsideTheDiscardStatusesIsIgnored) {
    Fixture f;
    Deal(f, kSeatTwoVurps);
    Game &g = f.game;
    // Nothing routes a click to a card box while seat 1 is still silent.
    g.Pict1_Click(1);
    EXPECT_EQ(g.Hands[1], "1p2k3b4p  ");
    g.Status[1] = TookFive;
    g.DiscardFifth(0);
    g.DiscardFifth(6);
    EXPECT_EQ(g.Hands[1], "1p2k3b4p  ");
}

} // namespace
} // namespace vurp::testing
