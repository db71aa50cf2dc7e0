#include <gtest/gtest.h>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

TEST(Deal, FirstDealCollectsStakesAndDealsFixedBlocks) {
    Fixture f;
    const std::string deck = DeckStartingWith("9c8c7c6c" "1p2p3p4p" "1k2k3k4k" "5b");
    f.ArrangeDeck(deck);
    f.game.Razd_Click();

    const Game &g = f.game;
    EXPECT_EQ(g.Deck, deck);
    EXPECT_EQ(g.Hands[1], "9c8c7c6c  ");
    EXPECT_EQ(g.Hands[2], "1p2p3p4p  ");
    EXPECT_EQ(g.Hands[3], "1k2k3k4k  ");
    EXPECT_EQ(g.TurnedCard, "5b");
    EXPECT_EQ(g.TrumpsOut, "5b");
    EXPECT_EQ(g.Trump, "b");
    EXPECT_EQ(g.DeckPos, 14);
    EXPECT_EQ(g.CurSeat, 1);
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(f.Text(Control::Money, s), "-4");
        EXPECT_EQ(f.view.State(Control::Money, s).back, kMoneyNegative);
        EXPECT_EQ(f.Text(Control::KolVz, s), "0");
        EXPECT_TRUE(f.Visible(Control::Label2, s));
        EXPECT_EQ(g.Status[s], 0);
    }
    EXPECT_EQ(f.Text(Control::bank), " 12");
    EXPECT_EQ(f.view.Picture(Control::Pict1, 1), "9c");
    EXPECT_EQ(f.view.Picture(Control::Pict2, 4), "rubashka");
    EXPECT_EQ(f.view.Picture(Control::PictKoz), "5b");
    EXPECT_EQ(f.view.State(Control::Label4).fore, kWindowColour);
    EXPECT_FALSE(f.Enabled(Control::Razd));
    EXPECT_TRUE(f.Enabled(Control::vurp));
}

} // namespace
} // namespace vurp::testing
