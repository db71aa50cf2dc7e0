#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace vurp::testing {
namespace {

TEST(HumanGoingFor, RankHeldByAnotherSeatCountsAsAPlainVurp) {
    Fixture f;
    // Seat 1 holds one ace, seat 2 another; seats 2 and 3 hold two trumps.
    Deal(f, "9p1k2b3b9k2c3c4p6c7c1p2p5c", 3);
    Game &g = f.game;

    ASSERT_TRUE(g.Click(Control::VurpGo));
    EXPECT_EQ(f.Text(Control::talk, 1), "Вурп ");
    EXPECT_EQ(g.Status[1], DeclarerGoingFor);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_TRUE(f.Enabled(Control::GoKats, k));
    }
    EXPECT_FALSE(f.Enabled(Control::vurp));
    EXPECT_FALSE(f.Enabled(Control::PasVurp));
    EXPECT_FALSE(f.Enabled(Control::VurpGo));
    EXPECT_FALSE(f.Enabled(Control::Sled));

    ASSERT_TRUE(g.Click(Control::GoKats, 9));
    EXPECT_FALSE(AnyRankButton(f));
    EXPECT_EQ(f.Text(Control::talk, 1), "Вурп иду за тузами");
    EXPECT_TRUE(f.Visible(Control::Talk2, 2));
    EXPECT_TRUE(f.Visible(Control::Talk2, 3));
    EXPECT_FALSE(f.Visible(Control::Talk2, 1));
    EXPECT_EQ(f.Text(Control::Talk2, 2), "Есть тузы");
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Нет тузов");
    EXPECT_TRUE(f.Enabled(Control::Sled));
    EXPECT_EQ(g.GoRank, 9);
    EXPECT_EQ(g.CurSeat, 1);

    ASSERT_TRUE(g.Click(Control::Sled));
    for (int s = 1; s <= 3; ++s) {
        EXPECT_FALSE(f.Visible(Control::Talk2, s));
    }
    EXPECT_EQ(f.Text(Control::talk, 1), "Вурп ");
    EXPECT_EQ(g.Status[1], Declarer);
    // The second round went on from seat 2; seat 1 now waits for his exchange.
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу");
    EXPECT_EQ(f.Text(Control::talk, 3), "Помогу");
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_EQ(g.DeckPos, 14);
    EXPECT_FALSE(AnySecondRoundButton(f));
}

TEST(HumanGoingFor, RankNobodyElseHoldsKeepsItAndDrawsToFive) {
    Fixture f;
    // Seat 1 holds two aces, nobody else one. Seat 2's lone trump queen
    // makes it go for queens after seat 1's discard, which stops the chain.
    Deal(f, "9p2b3b9k7c1p1k1b2c3c4p5k5c6p8p8k8b", 3);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::VurpGo));
    ASSERT_TRUE(g.Click(Control::GoKats, 9));
    EXPECT_EQ(f.Text(Control::Talk2, 2), "Нет тузов");
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Нет тузов");

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.Hands[1], "9p9k8p8k8b");
    EXPECT_EQ(g.DeckPos, 17);
    EXPECT_EQ(g.Status[1], DeclarerGoingFor);
    EXPECT_EQ(f.Text(Control::talk, 1), "Вурп иду за тузами");
    EXPECT_TRUE(f.Visible(Control::Pict1, 5));
    for (int i = 1; i <= 5; ++i) {
        EXPECT_TRUE(f.Enabled(Control::Pict1, i));
        EXPECT_EQ(f.view.Picture(Control::Pict1, i), g.Hands[1].substr(2 * i - 2, 2));
    }
    EXPECT_FALSE(f.Visible(Control::Talk2, 2));
    EXPECT_FALSE(AnySecondRoundButton(f));

    ASSERT_TRUE(g.Click(Control::Pict1, 5));
    EXPECT_EQ(g.Hands[1], "9p9k8p8k");
    EXPECT_EQ(g.Status[1], DeclarerReady);
    EXPECT_FALSE(f.Visible(Control::Pict1, 5));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(f.Enabled(Control::Pict1, i));
    }
    EXPECT_EQ(g.CurSeat, 2);
    EXPECT_EQ(g.Status[2], SupporterGoingFor);
}

TEST(HumanGoingFor, SupporterGoingForARankHeNeverHadDrawsFiveNewCards) {
    Fixture f;
    // Seat 3 deals and says vurp; nobody holds a six.
    Deal(f, "2p2k3b4p7c3k2b3p8c6c4c5p5c6p9p9k9b8p8k", 3);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::PasVurp));
    ASSERT_EQ(g.Status[3], Declarer);

    ASSERT_TRUE(g.Click(Control::HelpGo));
    EXPECT_EQ(f.Text(Control::talk, 1), "Помогу ");
    EXPECT_EQ(g.Status[1], SupporterGoingFor);
    EXPECT_FALSE(AnySecondRoundButton(f));
    EXPECT_TRUE(f.Enabled(Control::GoKats, 1));

    ASSERT_TRUE(g.Click(Control::GoKats, 1));
    EXPECT_EQ(f.Text(Control::talk, 1), "Помогу иду за шестерками");
    EXPECT_EQ(f.Text(Control::Talk2, 2), "Нет шестерок");
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Нет шестерок");

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.Hands[1], "9p9k9b8p8k");
    EXPECT_EQ(g.DeckPos, 19);
    EXPECT_EQ(g.Status[1], SupporterGoingFor);

    ASSERT_TRUE(g.Click(Control::Pict1, 1));
    EXPECT_EQ(g.Hands[1], "9k9b8p8k");
    EXPECT_EQ(g.Status[1], SupporterGoingFor);
}

TEST(ComputerGoingFor, DeclarersRankHeldByTheHumanBecomesAVurp) {
    Fixture f;
    f.ArrangeDeck(DeckStartingWith("9p2p3p4p9c1p1k1b2c3c2k2b5c"));
    f.random.Push(0.2);
    f.game.Dealer = 1;
    ASSERT_TRUE(f.game.Click(Control::Razd));
    Game &g = f.game;
    ASSERT_EQ(g.Status[2], DeclarerGoingFor);
    EXPECT_EQ(f.Text(Control::Talk2, 1), "Есть тузы");
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Нет тузов");
    EXPECT_FALSE(AnySecondRoundButton(f));

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::talk, 2), "Вурп ");
    EXPECT_EQ(g.Status[2], Declarer);
    EXPECT_EQ(f.Text(Control::talk, 3), "Помогу");
    EXPECT_EQ(g.Status[3], Supporter);
    EXPECT_FALSE(f.Visible(Control::Talk2, 1));
    // The buttons the resolution enabled are seat 1's own now.
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_EQ(g.Status[1], Silent);
    EXPECT_TRUE(f.Enabled(Control::Help));
    EXPECT_TRUE(f.Enabled(Control::five));
    EXPECT_FALSE(f.Enabled(Control::Sled));
}

TEST(ComputerGoingFor, DeclarersRankNobodyHoldsDrawsDiscardsAndIsReady) {
    Fixture f;
    f.ArrangeDeck(DeckStartingWith("2p3p4p5p9c1p1k1b2c3c2k2b5c6p8p8k3b4b"));
    f.random.Push(0.2);
    f.game.Dealer = 1;
    ASSERT_TRUE(f.game.Click(Control::Razd));
    Game &g = f.game;
    EXPECT_EQ(f.Text(Control::Talk2, 1), "Нет тузов");
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Нет тузов");

    ASSERT_TRUE(g.Click(Control::Sled));
    // The ace kept, cards 15 to 18 drawn, the lowest non-singleton thrown.
    EXPECT_EQ(g.Hands[2], "9c8p8k4b");
    EXPECT_EQ(g.DeckPos, 18);
    EXPECT_EQ(g.Status[2], DeclarerReady);
    EXPECT_EQ(f.Text(Control::talk, 2), "Вурп иду за тузами");
    EXPECT_EQ(g.Status[3], Supporter);
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_TRUE(f.Enabled(Control::Help));
}

// Seat 1 says vurp; seat 2's lone trump queen sends it for queens.
TEST(ComputerGoingFor, SupportersRankNobodyHoldsKeepsItOutOfTheExchange) {
    Fixture f;
    Deal(f, "2p3p4p5p7c1p1k1b2c3c2k2b5c6p8p8k3b4b", 3);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::vurp));
    ASSERT_EQ(g.Status[2], SupporterGoingFor);
    EXPECT_EQ(f.Text(Control::Talk2, 1), "Нет дам");

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.Status[2], SupporterGoingFor);
    EXPECT_EQ(g.Hands[2], "7c8p8k4b");
    EXPECT_EQ(g.DeckPos, 18);
    EXPECT_EQ(g.Status[3], Supporter);
    // The declarations are over; seat 1 exchanges first.
    EXPECT_EQ(g.CurSeat, 1);
    EXPECT_FALSE(AnySecondRoundButton(f));

    ASSERT_TRUE(g.Click(Control::Change));
    EXPECT_EQ(g.Hands[2], "7c8p8k4b");
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу иду за дамами");
    EXPECT_EQ(g.Status[2], SupporterGoingFor);
}

TEST(ComputerGoingFor, SupportersRankHeldByAnotherSeatBecomesAPlainHelp) {
    Fixture f;
    Deal(f, "2p3p4p5p7c1p1k1b2c3c7k2b5c", 3);
    Game &g = f.game;
    ASSERT_TRUE(g.Click(Control::vurp));
    ASSERT_EQ(g.Status[2], SupporterGoingFor);
    EXPECT_EQ(f.Text(Control::Talk2, 3), "Есть дамы");

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::talk, 2), "Помогу");
    EXPECT_EQ(g.Status[2], Supporter);
    EXPECT_EQ(g.Hands[2], "7c1p1k1b  ");
    EXPECT_EQ(g.Status[3], Supporter);
    EXPECT_EQ(g.DeckPos, 14);
    EXPECT_FALSE(f.Visible(Control::Talk2, 3));
}

// The resolution of a going-for enables seat 1's second-round buttons
// whenever seat 1 has not answered yet, before it knows where the word goes.
// Whatever follows must end at seat 1's own turn, or at a computer seat going
// for a rank, which disables them again: seat 1's buttons never act for
// another seat. Random games, with seat 1 clicking at random, check that
// after every click.
void ExpectButtonsBelongToTheSeatWithTheWord(const Fixture &f) {
    const Game &g = f.game;
    if (AnySecondRoundButton(f)) {
        EXPECT_EQ(g.CurSeat, 1);
        EXPECT_EQ(g.Status[1], Silent);
        EXPECT_TRUE(g.PlayPhase || !f.Enabled(Control::Sled));
    }
    if (AnyFirstRoundButton(f)) {
        EXPECT_EQ(g.CurSeat, 1);
        EXPECT_EQ(g.Status[1], Silent);
    }
    if (AnyRankButton(f)) {
        EXPECT_EQ(g.CurSeat, 1);
        EXPECT_TRUE(g.Status[1] == DeclarerGoingFor || g.Status[1] == SupporterGoingFor);
    }
    if (!g.PlayPhase && f.Enabled(Control::Sled)) {
        EXPECT_TRUE(g.Status[g.CurSeat] == DeclarerGoingFor ||
                    g.Status[g.CurSeat] == SupporterGoingFor);
    }
}

TEST(GoingForResolution, HumanButtonsNeverActForAnotherSeat) {
    std::vector<std::pair<Control, int>> human = {
        {Control::vurp, 0},   {Control::PasVurp, 0}, {Control::VurpGo, 0},
        {Control::Vert, 0},   {Control::Help, 0},    {Control::PasHelp, 0},
        {Control::HelpGo, 0}, {Control::five, 0},    {Control::Sled, 0}};
    for (int k = 1; k <= 9; ++k) {
        human.emplace_back(Control::GoKats, k);
    }
    for (int i = 1; i <= 5; ++i) {
        human.emplace_back(Control::Pict1, i);
    }

    int resolvedWhileSeatOneSilent = 0;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        Fixture f;
        f.random.Seed(seed);
        std::mt19937 choose(static_cast<std::uint32_t>(seed));
        Game &g = f.game;
        ASSERT_TRUE(g.Click(Control::Razd));
        for (int step = 0; step < 40 && !g.PlayPhase && !g.AllDeclared(); ++step) {
            ExpectButtonsBelongToTheSeatWithTheWord(f);
            std::vector<std::pair<Control, int>> open;
            for (const auto &[control, index] : human) {
                if (f.Visible(control, index) && f.Enabled(control, index)) {
                    open.emplace_back(control, index);
                }
            }
            // The declarations always leave seat 1 something to press.
            ASSERT_FALSE(open.empty());
            const auto [control, index] =
                open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(choose)];
            if (control == Control::Sled && g.Status[1] == Silent) {
                ++resolvedWhileSeatOneSilent;
            }
            ASSERT_TRUE(g.Click(control, index));
        }
        ExpectButtonsBelongToTheSeatWithTheWord(f);
    }
    // The random games did reach the case in question.
    EXPECT_GT(resolvedWhileSeatOneSilent, 10);
}

} // namespace
} // namespace vurp::testing
