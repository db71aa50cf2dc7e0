#include <gtest/gtest.h>

#include <array>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// The stock after card 14 of this deck: cards 15, 16, ... are 9b, 8b, 7b, 2b.
const std::string kDeck = DeckStartingWith("1p2k3b4c"
                                           "5p5k5b5c"
                                           "6p6k6b6c"
                                           "7p"
                                           "1k"
                                           "9b8b7b2b");

// A table after the declarations: the deal's hands and boxes, the given
// statuses, trump "p", the word with `cur`.
void Declared(Fixture &f, std::array<std::string, 3> hands, std::array<int, 3> statuses, int cur) {
    Game &g = f.game;
    g.Deck = kDeck;
    g.DeckPos = 14;
    g.Trump = "p";
    g.TurnedCard = "7p";
    g.TrumpsOut = "7p";
    for (int s = 1; s <= 3; ++s) {
        g.Hands[s] = hands[s - 1];
        g.Status[s] = statuses[s - 1];
        f.view.SetVisible(Control::KolVz, s, true);
        f.view.SetVisible(Control::talk, s, true);
    }
    for (int b = 1; b <= 4; ++b) {
        g.ShowPicture(Control::Pict1, b, CardAt(g.Hands[1], b));
        f.view.SetVisible(Control::Pict1, b, true);
        f.view.SetVisible(Control::Pict2, b, statuses[1] != Out);
        f.view.SetVisible(Control::Pict3, b, statuses[2] != Out);
    }
    f.view.SetText(Control::bank, 0, " 12");
    g.CurSeat = cur;
}

TEST(ExchangeHuman, KeepingEveryCardDrawsNothing) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9k8k7b6b  ", "5k5b6c7c  "}, {Declarer, Out, Out}, 1);
    f.game.ExchangeStep();
    for (int b = 1; b <= 4; ++b) {
        EXPECT_TRUE(f.Enabled(Control::Pict1, b));
    }
    ASSERT_TRUE(f.Visible(Control::Change));
    EXPECT_EQ(f.Text(Control::Change), "Не менять");

    ASSERT_TRUE(f.game.Click(Control::Change));
    EXPECT_EQ(f.game.Hands[1], "1p2k3b4c");
    EXPECT_EQ(f.game.DeckPos, 14);
    EXPECT_EQ(f.game.Status[1], DeclarerReady);
    for (int b = 1; b <= 4; ++b) {
        EXPECT_TRUE(f.Visible(Control::Pict1, b));
        EXPECT_FALSE(f.Enabled(Control::Pict1, b));
    }
    EXPECT_FALSE(f.Visible(Control::Change));
    EXPECT_EQ(f.Text(Control::talk, 1), "");
}

TEST(ExchangeHuman, SupporterAfterTheDeclarerThenPlayBegins) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9p8p7k6k  ", "9k8k7b6b  "}, {Supporter, Declarer, Out}, 2);
    f.game.ExchangeStep();
    // Seat 2 keeps its trumps 9p, 8p and draws the first two stock cards.
    EXPECT_EQ(f.game.Hands[2], "9p8p9b8b");
    EXPECT_EQ(f.game.Status[2], DeclarerReady);
    EXPECT_EQ(f.game.CurSeat, 1);
    ASSERT_TRUE(f.game.Click(Control::Change));
    EXPECT_EQ(f.game.Status[1], SupporterReady);
    EXPECT_EQ(f.game.DeckPos, 16);
    // The declarer leads its top trump; seat 3 is out, seat 1 must follow.
    EXPECT_TRUE(f.game.PlayPhase);
    EXPECT_EQ(f.game.Played[1], "9p");
    EXPECT_EQ(f.game.Hands[1], "1p2k3b4c");
    EXPECT_TRUE(f.Enabled(Control::Pict1, 1));
    EXPECT_FALSE(f.Enabled(Control::Pict1, 2));
}

TEST(ExchangeHuman, ThrowingTheSecondCardClosesUpTheHand) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9p8p7k6k  ", "9k8k7b6b  "}, {Supporter, Declarer, Out}, 1);
    f.game.ExchangeStep();
    ASSERT_TRUE(f.game.Click(Control::Pict1, 2));
    EXPECT_EQ(f.game.Hands[1], "1p3b4c  ");
    const std::array<std::string, 3> left = {"1p", "3b", "4c"};
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(f.view.Picture(Control::Pict1, b), left[b - 1]);
        EXPECT_TRUE(f.Visible(Control::Pict1, b));
        EXPECT_TRUE(f.Enabled(Control::Pict1, b));
    }
    EXPECT_FALSE(f.Visible(Control::Pict1, 4));
    EXPECT_EQ(f.Text(Control::Change), "Поменять");
    // The turn stays with seat 1 until Change.
    EXPECT_EQ(f.game.CurSeat, 1);
    EXPECT_EQ(f.game.Status[1], Supporter);
    EXPECT_EQ(f.game.DeckPos, 14);

    ASSERT_TRUE(f.game.Click(Control::Change));
    EXPECT_EQ(f.game.Hands[1], "1p3b4c9b");
    EXPECT_EQ(f.view.Picture(Control::Pict1, 4), "9b");
    EXPECT_TRUE(f.Visible(Control::Pict1, 4));
    EXPECT_EQ(f.Text(Control::Change), "Не менять");
}

TEST(ExchangeHuman, ThrowingEveryCardDrawsFourFromTheStockInOrder) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9k8k7b6b  ", "5k5b6c7c  "}, {Declarer, Out, Out}, 1);
    f.view.SetText(Control::Money, 1, "-4");
    f.game.ExchangeStep();
    for (int n = 0; n < 4; ++n) {
        ASSERT_TRUE(f.game.Click(Control::Pict1, 1));
    }
    for (int b = 1; b <= 4; ++b) {
        EXPECT_FALSE(f.Visible(Control::Pict1, b));
    }
    EXPECT_EQ(f.Text(Control::Change), "Поменять");
    EXPECT_EQ(Trim(f.game.Hands[1]), "");
    ASSERT_TRUE(f.game.Click(Control::Change));
    EXPECT_EQ(f.game.Hands[1], "9b8b7b2b");
    EXPECT_EQ(f.game.DeckPos, 18);
    // Nobody plays against seat 1: all four tricks are its own at once.
    EXPECT_EQ(f.game.Tricks[1], 4);
    EXPECT_FALSE(f.game.PlayPhase);
    EXPECT_EQ(f.Text(Control::Money, 1), " 8");
    EXPECT_EQ(f.Text(Control::bank), "0");
    EXPECT_TRUE(f.Enabled(Control::Razd));
}

TEST(ExchangeHuman, ClickOnAnEmptyPositionIsIgnored) {
    Fixture f;
    Declared(f, {"1p2k    ", "9k8k7b6b  ", "5k5b6c7c  "}, {Declarer, Out, Out}, 1);
    f.game.ThrowAwayCard(3);
    f.game.ThrowAwayCard(0);
    EXPECT_EQ(f.game.Hands[1], "1p2k    ");
}

TEST(ExchangeComputer, KeepsTrumpsAndAcesAndSaysHowManyItReplaced) {
    Fixture f;
    // Seats 2 and 3 exchange at once; the chain stops at seat 1's turn.
    Declared(f, {"1p2k3b4c  ", "9k2p3b5c  ", "9p8p7p6k  "}, {Supporter, Supporter, Declarer}, 2);
    f.view.SetText(Control::talk, 2, "Помогу");
    f.view.SetText(Control::talk, 3, "Вурп ");
    f.game.ExchangeStep();
    EXPECT_EQ(f.game.Hands[2], "9k2p9b8b");
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу заменил  2");
    EXPECT_EQ(f.game.Status[2], SupporterReady);
    EXPECT_EQ(f.game.Hands[3], "9p8p7p7b");
    EXPECT_EQ(f.Text(Control::talk, 3), "Вурп  заменил  1");
    EXPECT_EQ(f.game.Status[3], DeclarerReady);
    EXPECT_EQ(f.game.DeckPos, 17);
    EXPECT_EQ(f.game.CurSeat, 1);
    EXPECT_TRUE(f.Visible(Control::Change));
    EXPECT_FALSE(f.game.PlayPhase);
}

TEST(ExchangeComputer, OnlyTrumpsAndAcesDrawsNothingButStillSaysZero) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9k9b2p3p  ", "1k2b3c4c  "}, {Supporter, Declarer, Supporter}, 2);
    f.view.SetText(Control::talk, 2, "Вурп ");
    f.game.ExchangeStep();
    EXPECT_EQ(f.game.Hands[2], "9k9b2p3p");
    EXPECT_EQ(f.Text(Control::talk, 2), "Вурп  заменил  0");
    // Seat 3 holds neither trump nor ace and replaces all four cards.
    EXPECT_EQ(f.game.Hands[3], "9b8b7b2b");
    EXPECT_EQ(f.Text(Control::talk, 3), " заменил  4");
    EXPECT_EQ(f.game.DeckPos, 18);
}

TEST(ExchangeComputer, HidesChangeWhileAComputerSeatExchanges) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9k9b2p3p  ", "1k2b3c4c  "}, {Supporter, Declarer, Out}, 2);
    f.view.SetVisible(Control::Change, 0, true);
    f.game.ExchangeStep();
    // Hidden by seat 2's exchange, shown again for seat 1's own turn.
    EXPECT_EQ(f.game.CurSeat, 1);
    EXPECT_TRUE(f.Visible(Control::Change));
    EXPECT_EQ(f.Text(Control::talk, 2), " заменил  0");
}

TEST(ExchangeOrder, SeatsThatDoNotExchangeArePassedOver) {
    for (int passed : {SupporterGoingFor, TookFive, DeclarerReady, SupporterReady, Out}) {
        Fixture f;
        Declared(f, {"1p2k3b4c  ", "1k2k3k4k  ", "9p8p7p6k  "}, {Supporter, passed, Declarer}, 2);
        f.view.SetText(Control::talk, 2, "Пас");
        f.game.ExchangeStep();
        EXPECT_EQ(f.game.Hands[2], "1k2k3k4k  ") << passed;
        EXPECT_EQ(f.Text(Control::talk, 2), "Пас") << passed;
        EXPECT_EQ(f.game.Status[2], passed);
        EXPECT_EQ(f.game.CurSeat, 1) << passed;
    }
}

TEST(ExchangeEnd, PlayStartsWhenAnyoneIsLeftToPlayAgainstTheDeclarer) {
    for (int other : {SupporterGoingFor, TookFive, SupporterReady}) {
        Fixture f;
        Declared(f, {"1p2k3b4c  ", "1k2k3k4k  ", "9p8p7p6k  "}, {Out, other, DeclarerReady}, 1);
        f.game.ExchangeStep();
        EXPECT_TRUE(f.game.PlayPhase) << other;
        // The first card is on the table: seat 3 leads, or seat 2 after
        // taking five.
        EXPECT_FALSE(f.game.Played[1].empty()) << other;
        EXPECT_TRUE(f.Visible(Control::Hod, other == TookFive ? 2 : 3)) << other;
    }
}

TEST(ExchangeEnd, DeclarerAloneExchangesThenTakesAllFourTricks) {
    Fixture f;
    Declared(f, {"1p2k3b4c  ", "9k8k7b6b  ", "9p8p7p6k  "}, {Out, Out, Declarer}, 3);
    f.view.SetText(Control::talk, 3, "Вурп ");
    f.game.ExchangeStep();
    EXPECT_EQ(f.Text(Control::talk, 3), "Вурп  заменил  1");
    EXPECT_EQ(f.game.Status[3], DeclarerReady);
    EXPECT_EQ(f.game.Tricks[3], 4);
    EXPECT_EQ(f.Text(Control::Money, 3), " 12");
    EXPECT_EQ(f.Text(Control::KolVz, 3), "0");
    EXPECT_EQ(f.game.Dealer, 3);
    EXPECT_FALSE(f.game.PlayPhase);
    EXPECT_TRUE(f.Enabled(Control::Razd));
}

} // namespace
} // namespace vurp::testing
