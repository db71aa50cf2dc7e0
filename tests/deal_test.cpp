#include <gtest/gtest.h>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// Seats 2 and 3 hold no trump (trump b), so they pass whenever they speak.
const std::string kQuietDeck = DeckStartingWith("9c8c7c6c"
                                                "1p2p3p4p"
                                                "1k2k3k4k"
                                                "5b");

TEST(Deal, FirstDealCollectsStakesAndDealsFixedBlocks) {
    Fixture f;
    f.ArrangeDeck(kQuietDeck);
    ASSERT_TRUE(f.game.Click(Control::Razd));

    const Game &g = f.game;
    EXPECT_EQ(g.Deck, kQuietDeck);
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
        EXPECT_EQ(f.Text(Control::talk, s), "");
        EXPECT_TRUE(f.Visible(Control::Label2, s));
        EXPECT_TRUE(f.Visible(Control::talk, s));
        EXPECT_EQ(g.Status[s], Silent);
        EXPECT_EQ(g.Tricks[s], 0);
    }
    EXPECT_EQ(f.Text(Control::bank), " 12");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(f.view.Picture(Control::Pict1, i), CardAt(g.Hands[1], i));
        EXPECT_EQ(f.view.Picture(Control::Pict2, i), "rubashka");
        EXPECT_EQ(f.view.Picture(Control::Pict3, i), "rubashka");
        EXPECT_TRUE(f.Visible(Control::Pict1, i));
    }
    EXPECT_FALSE(f.Visible(Control::Pict1, 5));
    EXPECT_EQ(f.view.Picture(Control::PictKoz), "5b");
    EXPECT_EQ(g.CardPicture, "Pict/5b.bmp");
    EXPECT_EQ(f.view.State(Control::Label4).fore, kWindowColour);
    EXPECT_TRUE(f.Visible(Control::Sled));
    EXPECT_FALSE(f.Enabled(Control::Sled));
    EXPECT_FALSE(f.Enabled(Control::Razd));
    EXPECT_TRUE(f.Enabled(Control::vurp));
    EXPECT_TRUE(f.Enabled(Control::PasVurp));
    EXPECT_TRUE(f.Enabled(Control::VurpGo));
    EXPECT_FALSE(f.Enabled(Control::Vert));
}

TEST(Deal, BeforeTheFirstDealOnlyTheDealAndPanelsRespond) {
    Fixture f;
    EXPECT_EQ(f.game.CurSeat, 0);
    EXPECT_EQ(f.game.Dealer, 3);
    for (Control c :
         {Control::vurp, Control::PasVurp, Control::VurpGo, Control::Vert, Control::Help,
          Control::PasHelp, Control::five, Control::HelpGo, Control::Sled, Control::Change}) {
        EXPECT_FALSE(f.game.Click(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(f.game.Click(Control::GoKats, 9));
    EXPECT_FALSE(f.game.Click(Control::Pict1, 1));
    EXPECT_FALSE(f.game.Click(Control::Pict1, 6));
    EXPECT_FALSE(f.game.Click(Control::Razd, 1));
    EXPECT_TRUE(f.game.Hands[1].empty());
    EXPECT_TRUE(f.game.Deck.empty());
    EXPECT_EQ(f.Text(Control::bank), "0");
}

TEST(Deal, TheSeatAfterTheDealerSpeaksFirst) {
    // Seats 2 and 3 pass at once, so the word stops at seat 1 in every case;
    // who has spoken shows where the round began.
    const struct {
        int dealer;
        const char *talk2;
        const char *talk3;
    } cases[] = {{3, "", ""}, {2, "", "Пас"}, {1, "Пас", "Пас"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dealer);
        Fixture f;
        f.game.Dealer = c.dealer;
        f.ArrangeDeck(kQuietDeck);
        ASSERT_TRUE(f.game.Click(Control::Razd));
        EXPECT_EQ(f.game.CurSeat, HumanSeat);
        EXPECT_EQ(f.Text(Control::talk, 2), c.talk2);
        EXPECT_EQ(f.Text(Control::talk, 3), c.talk3);
        // A pass turns no candidate before the dealer has spoken.
        EXPECT_EQ(f.game.DeckPos, 14);
        EXPECT_EQ(f.game.Dealer, c.dealer);
        EXPECT_TRUE(f.Enabled(Control::vurp));
        EXPECT_TRUE(f.Enabled(Control::PasVurp));
        EXPECT_TRUE(f.Enabled(Control::VurpGo));
        EXPECT_FALSE(f.Enabled(Control::Vert));
    }
}

TEST(Deal, StakesAreTakenOnlyFromABankReadingExactlyZero) {
    const struct {
        const char *bank;
        const char *after;
        const char *money;
    } cases[] = {{"0", " 12", "-4"}, {" 0", " 0", "0"}, {"", "", "0"}, {" 24", " 24", "0"}};
    for (const auto &c : cases) {
        Fixture f;
        f.view.SetText(Control::bank, 0, c.bank);
        f.ArrangeDeck(kQuietDeck);
        f.game.Razd_Click();
        EXPECT_EQ(f.Text(Control::bank), c.after) << '"' << c.bank << '"';
        EXPECT_EQ(f.Text(Control::Money, 1), c.money) << '"' << c.bank << '"';
    }
}

TEST(Deal, EveryDealStartsFromAFreshPack) {
    Fixture f;
    f.random.Seed(7);
    f.game.Razd_Click();
    const std::string first = f.game.Deck;
    // Whatever the first deal did, the second starts again from the pack.
    f.game.Hands[1] = "x";
    f.game.Status = {Silent, DeclarerReady, Out, Out};
    f.game.Razd_Click();
    EXPECT_NE(f.game.Deck, first);
    EXPECT_EQ(f.game.Hands[1].size(), 10u);
    EXPECT_EQ(f.game.Hands[1].substr(8), "  ");
    EXPECT_EQ(f.game.Status[1], Silent);
    for (int k = 1; k <= 36; ++k) {
        EXPECT_NE(f.game.Deck.find(CardAt(DeckLiteral, k)), std::string::npos);
    }
    // No stake was taken the second time: the bank was not emptied.
    EXPECT_EQ(f.Text(Control::Money, 1), "-4");
}

TEST(Deal, AShuffleDrawAtTheTopOfTheRangeStaysInTheDeck) {
    Fixture f;
    for (int i = 0; i < 36; ++i) {
        f.random.Push(0.9999999999999999);
    }
    f.game.Razd_Click();
    ASSERT_EQ(f.game.Deck.size(), 72u);
    for (int k = 1; k <= 36; ++k) {
        EXPECT_NE(f.game.Deck.find(CardAt(DeckLiteral, k)), std::string::npos);
    }
}

} // namespace
} // namespace vurp::testing
