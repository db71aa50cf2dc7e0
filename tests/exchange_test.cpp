#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "cards.h"
#include "computer_decisions.h"
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

// A table after the declarations: the hands, the given statuses, trump "p",
// the word with `cur`.
void Declared(Fixture &f, std::array<std::string, 3> hands,
              std::array<DeclarationStatus, 3> statuses, int cur) {
    SetUpTable(
        f, {.hands = hands, .statuses = statuses, .turned = "7p", .deck = kDeck, .curSeat = cur});
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

struct ExchangeRow {
    const char *name;
    int seat;
    std::string hand;
    std::string kept;
    std::string thrown;
    int trumpsKept;
    int acesKept;
};

// Trump p.
TEST(ExchangeDecision, KeepsTrumpsAndAces) {
    const std::vector<ExchangeRow> rows = {
        {"an ace and a trump kept", 2, "9k2p3b5c  ", "9k2p", "3b5c", 1, 1},
        {"kings replaced like any card below the ace", 2, "8k8c2p9c  ", "2p9c", "8k8c", 1, 1},
        {"only trumps and aces: nothing replaced", 2, "9k9b2p3p  ", "9k9b2p3p", "", 2, 2},
        {"neither trump nor ace: all four replaced", 3, "1k2b3c4c  ", "", "1k2b3c4c", 0, 0},
        {"the ace of trumps counts as a trump", 3, "1k9p3c4c", "9p", "1k3c4c", 1, 0},
        {"seat 1", 1, "1p2k3b9c  ", "1p9c", "2k3b", 1, 1},
    };
    for (const ExchangeRow &row : rows) {
        SCOPED_TRACE(row.name);
        const ExchangeDecision d =
            DecideExchange(HandTable(row.seat, row.hand, "p", "7p"), row.seat);
        EXPECT_EQ(d.kept, row.kept);
        EXPECT_EQ(d.thrown, row.thrown);
        EXPECT_EQ(d.replaced, CardCount(row.thrown));
        EXPECT_EQ(d.trumpsKept, row.trumpsKept);
        EXPECT_EQ(d.acesKept, row.acesKept);
    }
}

struct ComputerExchangeCase {
    const char *name;
    std::string hand;
    std::string after;
    int drawn;
};

// Trump p. Seat 2 helps and exchanges at once; seat 3 is out, and the chain
// stops at the declarer's, seat 1's, exchange. Which cards go is
// ExchangeDecision's; here, the draw and the words.
TEST(ExchangeComputer, ReplacesTheCardsItThrowsAndSaysHowMany) {
    const std::vector<ComputerExchangeCase> cases = {
        {"an ace and a trump kept", "9k2p3b5c  ", "9k2p9b8b", 2},
        {"only trumps and aces: nothing drawn", "9k9b2p3p  ", "9k9b2p3p", 0},
        {"neither trump nor ace: all four replaced", "1k2b3c4c  ", "9b8b7b2b", 4},
    };
    for (const ComputerExchangeCase &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        Declared(f, {"1p2k3b4c  ", c.hand, "5k5b6c7c  "}, {Declarer, Supporter, Out}, 2);
        f.view.SetText(Control::talk, 2, "Помогу");
        f.game.ExchangeStep();
        EXPECT_EQ(f.game.Hands[2], c.after);
        // The count is written with its sign space, even when it is 0.
        EXPECT_EQ(f.Text(Control::talk, 2), "Помогу заменил  " + std::to_string(c.drawn));
        EXPECT_EQ(f.game.DeckPos, 14 + c.drawn);
        EXPECT_EQ(f.game.Status[2], SupporterReady);
        EXPECT_EQ(f.game.CurSeat, 1);
        EXPECT_TRUE(f.Visible(Control::Change));
    }
}

TEST(ExchangeComputer, BothComputerSeatsExchangeBeforeTheHuman) {
    Fixture f;
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
    for (DeclarationStatus passed :
         {SupporterGoingFor, TookFive, DeclarerReady, SupporterReady, Out}) {
        SCOPED_TRACE(StatusNumber(passed));
        Fixture f;
        Declared(f, {"1p2k3b4c  ", "1k2k3k4k  ", "9p8p7p6k  "}, {Supporter, passed, Declarer}, 2);
        f.view.SetText(Control::talk, 2, "Пас");
        f.game.ExchangeStep();
        EXPECT_EQ(f.game.Hands[2], "1k2k3k4k  ");
        EXPECT_EQ(f.Text(Control::talk, 2), "Пас");
        EXPECT_EQ(f.game.Status[2], passed);
        EXPECT_EQ(f.game.CurSeat, 1);
    }
}

TEST(ExchangeEnd, PlayStartsWhenAnyoneIsLeftToPlayAgainstTheDeclarer) {
    for (DeclarationStatus other : {SupporterGoingFor, TookFive, SupporterReady}) {
        SCOPED_TRACE(StatusNumber(other));
        Fixture f;
        Declared(f, {"1p2k3b4c  ", "1k2k3k4k  ", "9p8p7p6k  "}, {Out, other, DeclarerReady}, 1);
        f.game.ExchangeStep();
        EXPECT_TRUE(f.game.PlayPhase);
        // The first card is on the table: seat 3 leads, or seat 2 after
        // taking five.
        EXPECT_NE(f.game.Played[1], "--");
        EXPECT_TRUE(f.Visible(Control::Hod, other == TookFive ? 2 : 3));
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
    EXPECT_EQ(f.Text(Control::Money, 3), " 8");
    EXPECT_EQ(f.Text(Control::KolVz, 3), "0");
    EXPECT_EQ(f.game.Dealer, 3);
    EXPECT_FALSE(f.game.PlayPhase);
    EXPECT_TRUE(f.Enabled(Control::Razd));
}

} // namespace
} // namespace vurp::testing
