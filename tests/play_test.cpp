#include <gtest/gtest.h>

#include <array>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

TEST(FirstLeader, DeclarerLeadsWhenNobodyTookFive) {
    Fixture f;
    f.game.Status = {Silent, SupporterReady, Out, DeclarerReady};
    f.game.FirstLeader();
    EXPECT_EQ(f.game.CurSeat, 3);
}

TEST(FirstLeader, TheOneSeatThatTookFiveLeads) {
    for (int five = 1; five <= 3; ++five) {
        Fixture f;
        for (int s = 1; s <= 3; ++s) {
            f.game.Status[s] = s == five ? TookFive : (s % 3 + 1 == five ? DeclarerReady : Out);
        }
        f.game.FirstLeader();
        EXPECT_EQ(f.game.CurSeat, five);
    }
}

TEST(FirstLeader, TwoSeatsTookFiveTheSeatAfterTheDeclarerLeads) {
    Fixture f;
    f.game.Status = {Silent, TookFive, DeclarerReady, TookFive};
    f.game.FirstLeader();
    EXPECT_EQ(f.game.CurSeat, 3);
    f.game.Status = {Silent, TookFive, TookFive, DeclarerReady};
    f.game.FirstLeader();
    EXPECT_EQ(f.game.CurSeat, 1);
}

TEST(FirstLeader, TableWithoutDeclarerStillNamesARealSeat) {
    Fixture f;
    f.game.Status = {Silent, Out, Out, Out};
    f.game.FirstLeader();
    EXPECT_EQ(f.game.CurSeat, 1);
}

TEST(TrickWinner, HighestTrumpElseHighestOfTheLedSuit) {
    Fixture f;
    Game &g = f.game;
    g.Trump = "c";
    g.TrickBest.clear();
    g.CurSeat = 2;
    g.UpdateTrickBest("3p");
    EXPECT_EQ(g.TrickBest, "3p2");
    g.CurSeat = 3;
    g.UpdateTrickBest("9k"); // another plain suit never wins
    EXPECT_EQ(g.TrickBest, "3p2");
    g.CurSeat = 1;
    g.UpdateTrickBest("1c"); // the lowest trump beats any plain card
    EXPECT_EQ(g.TrickBest, "1c1");

    g.TrickBest = "4c2";
    g.CurSeat = 3;
    g.UpdateTrickBest("2c");
    EXPECT_EQ(g.TrickBest, "4c2");
    g.UpdateTrickBest("7c");
    EXPECT_EQ(g.TrickBest, "7c3");

    g.TrickBest = "5p1";
    g.UpdateTrickBest("6p");
    EXPECT_EQ(g.TrickBest, "6p3");
    g.UpdateTrickBest("1p");
    EXPECT_EQ(g.TrickBest, "6p3");
}

TEST(TakeTrick, CreditsTheWinnerWhoLeadsNext) {
    Fixture f;
    Game &g = f.game;
    f.view.SetText(Control::KolVz, 3, "0");
    g.TrickBest = "1c3";
    g.CurSeat = 2;
    g.TakeTrick();
    EXPECT_EQ(g.Tricks[3], 1);
    EXPECT_EQ(g.CurSeat, 3);
    EXPECT_EQ(f.Text(Control::KolVz, 3), " 1");
    EXPECT_TRUE(g.TrickBest.empty());
    g.TrickBest = "9p3";
    g.TakeTrick();
    EXPECT_EQ(f.Text(Control::KolVz, 3), " 2");
}

TEST(TakeTrick, WithoutACompleteTrickNothingChanges) {
    Fixture f;
    Game &g = f.game;
    g.PlayPhase = true;
    g.PlayMode = 12;
    g.CurSeat = 2;
    g.TrickBest.clear();
    g.TakeTrick();
    g.CollectTrick();
    EXPECT_EQ(g.CurSeat, 2);
    EXPECT_EQ(g.Tricks, (std::array<int, 4>{}));
    EXPECT_EQ(f.Text(Control::KolVz, 1), "0");
    // A stale PlayMode of 12 does not settle a deal that was never played.
    EXPECT_TRUE(g.PlayPhase);
    EXPECT_EQ(f.Text(Control::bank), "0");
}

TEST(StartPlay, SledIsDisabledWhenPlayBegins) {
    Fixture f;
    SetUpTable(f, {.hands = {"1p2k3b4c  ", "9c8c3k4b  ", "2k5k7b1c  "},
                   .statuses = {SupporterReady, DeclarerReady, SupporterReady}});
    f.view.SetVisible(Control::Sled, 0, true);
    f.view.SetEnabled(Control::Sled, 0, true);
    f.game.CurSeat = 1;
    f.game.PlayPhase = true;
    f.game.StartPlay();
    // Seat 1 leads: the game waits for its card, Sled cannot collect.
    EXPECT_FALSE(f.Enabled(Control::Sled));
    EXPECT_FALSE(f.game.Click(Control::Sled));
    for (int b = 1; b <= 4; ++b) {
        EXPECT_TRUE(f.Enabled(Control::Pict1, b));
    }
    EXPECT_EQ(f.game.PlayMode, 1);
}

TEST(FourOfAKind, HigherRankTakesAllTricksWithoutPlay) {
    Fixture f;
    SetUpTable(f, {.hands = {"9p9k1b2b  ", "7p7k7b7c", "8p8k8b8c"},
                   .statuses = {DeclarerReady, SupporterReady, SupporterReady}});
    f.game.BeginPlay();
    for (int b = 1; b <= 4; ++b) {
        EXPECT_EQ(f.view.Picture(Control::Pict3, b), CardAt("8p8k8b8c", b));
        EXPECT_EQ(f.view.Picture(Control::Pict2, b), "rubashka");
    }
    EXPECT_EQ(f.Text(Control::KolVz, 3), "4");
    EXPECT_EQ(f.Text(Control::KolVz, 2), "0");
    EXPECT_EQ(f.game.Tricks[3], 4);
    EXPECT_EQ(f.game.Played[1], "--");
    // Settled at once: seat 3 takes 12, the declarer and seat 2 pay.
    EXPECT_FALSE(f.game.PlayPhase);
    EXPECT_EQ(f.Text(Control::Money, 3), " 8");
    EXPECT_EQ(f.Text(Control::Money, 1), "-28");
    EXPECT_EQ(f.Text(Control::Money, 2), "-16");
    EXPECT_EQ(f.Text(Control::bank), " 36");
    EXPECT_TRUE(f.Enabled(Control::Razd));
    EXPECT_FALSE(f.Enabled(Control::Sled));
}

TEST(FourOfAKind, SeatOutOfPlayTakesTheTricksToo) {
    Fixture f;
    SetUpTable(f, {.hands = {"1p2k3b4c  ", "9c8c3k4b  ", "1p1k1b1c"},
                   .statuses = {SupporterReady, DeclarerReady, Out}});
    f.game.BeginPlay();
    EXPECT_EQ(f.game.Tricks[3], 4);
    EXPECT_EQ(f.Text(Control::Money, 3), " 8");
    EXPECT_EQ(f.Text(Control::Money, 2), "-28");
}

TEST(FourOfAKind, HumanSeatKeepsItsCardsAsTheyAre) {
    Fixture f;
    SetUpTable(f, {.hands = {"6p6k6b6c", "9c8c3k4b  ", "2k5k7b1c  "},
                   .statuses = {DeclarerReady, SupporterReady, Out}});
    f.game.BeginPlay();
    EXPECT_EQ(f.Text(Control::KolVz, 1), "4");
    EXPECT_EQ(f.Text(Control::Money, 1), " 8");
    EXPECT_EQ(f.game.Dealer, 1);
}

// Seat 1 passed: every trick has two cards and its slots stay unwritten.
TEST(PlaySequence, SeatOutOfPlayMakesTwoCardTricks) {
    Fixture f;
    SetUpTable(f, {.hands = {"1p2p3p4p  ", "9c8c3k4b  ", "2k5k7b1c  "},
                   .statuses = {Out, DeclarerReady, SupporterReady}});
    Game &g = f.game;
    g.BeginPlay();
    // Trick 1: the declarer leads its two top trumps' higher one, seat 3
    // follows with its only trump; seat 1 is skipped.
    EXPECT_EQ(g.Played[1], "9c");
    EXPECT_EQ(g.Played[2], "1c");
    EXPECT_EQ(g.Played[3], "--");
    EXPECT_EQ(g.PlayMode, 3);
    EXPECT_EQ(g.TrickBest, "9c2");
    EXPECT_EQ(g.TrumpsOut, "5c9c1c");
    EXPECT_TRUE(f.Visible(Control::Hod, 2));
    EXPECT_TRUE(f.Visible(Control::Hod, 3));
    EXPECT_FALSE(f.Visible(Control::Hod, 1));
    EXPECT_FALSE(f.Visible(Control::Pict2, 4));
    EXPECT_FALSE(f.Visible(Control::Pict3, 4));
    EXPECT_TRUE(f.Visible(Control::Pict2, 3));
    EXPECT_TRUE(f.Enabled(Control::Sled));

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::KolVz, 2), " 1");
    // Trick 2: the eight of trumps is now the highest unseen; seat 3 has no
    // trump left and throws its lowest card.
    EXPECT_EQ(g.Played[4], "8c");
    EXPECT_EQ(g.Played[5], "2k");
    EXPECT_EQ(g.Played[6], "--");
    EXPECT_EQ(g.TrumpsOut, "5c9c1c8c");
    EXPECT_FALSE(f.Visible(Control::Pict2, 3));

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::KolVz, 2), " 2");
    // Trick 3: seat 2 leads its highest plain card; seat 3 wins with 7b.
    EXPECT_EQ(g.Played[7], "4b");
    EXPECT_EQ(g.Played[8], "7b");
    EXPECT_EQ(g.Played[9], "--");
    EXPECT_EQ(g.TrickBest, "7b3");
    EXPECT_EQ(g.LedSuit, "b");

    ASSERT_TRUE(g.Click(Control::Sled));
    // Trick 4: seat 3 leads; seat 1's slot is skipped, seat 2 plays last.
    EXPECT_EQ(g.Played[10], "5k");
    EXPECT_EQ(g.Played[11], "--");
    EXPECT_EQ(g.Played[12], "3k");
    EXPECT_EQ(g.TrickBest, "5k3");
    EXPECT_EQ(g.PlayMode, 12);
    EXPECT_TRUE(g.Hands[2].empty());
    EXPECT_TRUE(g.Hands[3].empty());
    for (int b = 1; b <= 4; ++b) {
        EXPECT_FALSE(f.Visible(Control::Pict2, b));
        EXPECT_FALSE(f.Visible(Control::Pict3, b));
    }
    EXPECT_TRUE(g.PlayPhase);

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::KolVz, 3), " 2");
    EXPECT_FALSE(g.PlayPhase);
    EXPECT_EQ(f.Text(Control::Money, 2), " 2");
    EXPECT_EQ(f.Text(Control::Money, 3), " 2");
    EXPECT_EQ(f.Text(Control::Money, 1), "-4");
    EXPECT_EQ(f.Text(Control::bank), "0");
    EXPECT_EQ(g.Dealer, 2);
    EXPECT_FALSE(f.Enabled(Control::Sled));
    EXPECT_FALSE(g.Click(Control::Sled));
    for (int s = 1; s <= 3; ++s) {
        EXPECT_FALSE(f.Visible(Control::Hod, s));
    }
}

TEST(PlaySequence, ComputerTrumpsOfTrickFourAreNotRecorded) {
    Fixture f;
    SetUpTable(f, {.hands = {"1p2p3p4p  ", "9c8c3k4b  ", "2k5k7b1c  "},
                   .statuses = {Out, DeclarerReady, SupporterReady}});
    Game &g = f.game;
    // Straight to trick 4 with seat 2 to lead its last card, a trump.
    g.Hands[2] = "6c";
    g.Hands[3] = "2k";
    g.PlayPhase = true;
    g.CurSeat = 2;
    g.PlayMode = 9;
    g.PlayStep();
    EXPECT_EQ(g.Played[10], "6c");
    EXPECT_EQ(g.Played[11], "2k");
    EXPECT_EQ(g.Played[12], "--");
    EXPECT_EQ(g.TrickBest, "6c2");
    EXPECT_EQ(g.TrumpsOut, "5c");
    EXPECT_FALSE(f.Visible(Control::Pict2, 1));
}

} // namespace
} // namespace vurp::testing
