#include <gtest/gtest.h>

#include <array>

#include "cards.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// Seat 1 holds `hand` under trump c, every box disabled, as play finds it.
void HumanHand(Fixture &f, const std::string &hand,
               std::array<DeclarationStatus, 3> statuses = {Silent, Silent, Silent}) {
    SetUpTable(f, {.hands = {hand, "", ""}, .statuses = statuses});
}

std::string EnabledBoxes(const Fixture &f) {
    std::string boxes;
    for (int b = 1; b <= 4; ++b) {
        if (f.Visible(Control::Pict1, b) && f.Enabled(Control::Pict1, b)) {
            boxes += std::to_string(b);
        }
    }
    return boxes;
}

TEST(LegalCards, FollowSuitElseTrumpElseAnything) {
    struct Case {
        const char *hand;
        const char *led;
        const char *clickable;
    };
    // Trump is "c" throughout.
    const std::array<Case, 7> cases = {{
        {"1p2k3p4c  ", "p", "13"},   // the led suit, although a trump is held
        {"1p2k3k4c  ", "b", "4"},    // no card of the led suit: trumps only
        {"1p2k3k4b  ", "c", "1234"}, // trumps led, none held: anything
        {"1c2k3c4b  ", "c", "13"},   // trumps led and held
        {"1p2k3k4b  ", "b", "4"},
        {"2k3k4b  ", "p", "123"}, // neither: every card shown
        {"2k3c  ", "k", "1"},
    }};
    for (const Case &c : cases) {
        Fixture f;
        HumanHand(f, c.hand);
        f.game.LedSuit = c.led;
        f.game.EnableLegalCards();
        EXPECT_EQ(EnabledBoxes(f), c.clickable) << c.hand << " led " << c.led;
    }
}

// Seat 1 declares and leads: trump c, bank 12, all three seats' cards known.
void HumanLeads(Fixture &f) {
    SetUpTable(f, {.hands = {"9c2p3p4k  ", "8c7p6k1b  ", "6p7k8k2b  "},
                   .statuses = {DeclarerReady, SupporterReady, SupporterReady}});
    f.game.BeginPlay();
}

TEST(HumanPlay, WholeDealFromTheHumanLeadToSettlement) {
    Fixture f;
    Game &g = f.game;
    HumanLeads(f);
    EXPECT_EQ(EnabledBoxes(f), "1234");
    EXPECT_EQ(g.PlayMode, 1);

    // Seat 1 leads its seven: seats 2 and 3 follow at once.
    ASSERT_TRUE(g.Click(Control::Pict1, 2));
    EXPECT_EQ(g.Played[1], "2p");
    EXPECT_EQ(g.Played[2], "7p");
    EXPECT_EQ(g.Played[3], "6p");
    EXPECT_EQ(g.TrickBest, "7p2");
    EXPECT_EQ(f.view.Picture(Control::Hod, 1), "2p");
    EXPECT_EQ(g.Hands[1], "9c3p4k  ");
    const std::array<std::string, 3> left = {"9c", "3p", "4k"};
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(f.view.Picture(Control::Pict1, b), left[b - 1]);
        EXPECT_TRUE(f.Visible(Control::Pict1, b));
        EXPECT_FALSE(f.Enabled(Control::Pict1, b));
    }
    EXPECT_FALSE(f.Visible(Control::Pict1, 4));
    EXPECT_TRUE(f.Enabled(Control::Sled));

    // Trick 2: seat 2 leads 6k, seat 3 wins with 8k, seat 1 must follow.
    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.Played[4], "6k");
    EXPECT_EQ(g.Played[5], "8k");
    EXPECT_EQ(g.PlayMode, 6);
    EXPECT_EQ(EnabledBoxes(f), "3");
    EXPECT_FALSE(f.Enabled(Control::Sled));
    EXPECT_FALSE(g.Click(Control::Pict1, 1));

    // Seat 1's third card completes the trick: nothing more until Sled.
    ASSERT_TRUE(g.Click(Control::Pict1, 3));
    EXPECT_EQ(g.Played[6], "4k");
    EXPECT_EQ(g.TrickBest, "8k3");
    EXPECT_EQ(g.Played[7], "--");
    EXPECT_TRUE(f.Enabled(Control::Sled));
    EXPECT_EQ(EnabledBoxes(f), "");

    // Trick 3: seat 3 leads the suit of trick 2; seat 1 has none and must
    // trump; its trump counts as seen.
    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(f.Text(Control::KolVz, 3), " 1");
    EXPECT_EQ(g.Played[7], "7k");
    EXPECT_EQ(EnabledBoxes(f), "1");
    ASSERT_TRUE(g.Click(Control::Pict1, 1));
    EXPECT_EQ(g.TrickBest, "9c1");
    EXPECT_EQ(g.Played[9], "8c");
    EXPECT_EQ(g.TrumpsOut, "5c9c8c");

    // Trick 4: seat 1 leads its last card.
    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.PlayMode, 10);
    EXPECT_EQ(EnabledBoxes(f), "1");
    ASSERT_TRUE(g.Click(Control::Pict1, 1));
    EXPECT_EQ(g.Played[10], "3p");
    EXPECT_EQ(g.Played[11], "1b");
    EXPECT_EQ(g.Played[12], "2b");
    EXPECT_EQ(g.TrickBest, "3p1");
    EXPECT_EQ(Trim(g.Hands[1]), "");
    EXPECT_FALSE(f.Visible(Control::Pict1, 1));

    ASSERT_TRUE(g.Click(Control::Sled));
    EXPECT_EQ(g.Tricks, (std::array<int, 4>{0, 2, 1, 1}));
    EXPECT_EQ(f.Text(Control::KolVz, 1), " 2");
    EXPECT_EQ(f.Text(Control::Money, 1), " 2");
    EXPECT_EQ(f.Text(Control::Money, 2), "-1");
    EXPECT_EQ(f.Text(Control::Money, 3), "-1");
    EXPECT_EQ(f.Text(Control::bank), "0");
    EXPECT_TRUE(f.Enabled(Control::Razd));
    EXPECT_FALSE(g.PlayPhase);
}

TEST(HumanPlay, LastCardIsPlayableWhateverItsSuitAndATrumpCounts) {
    Fixture f;
    Game &g = f.game;
    SetUpTable(f, {.hands = {"7c  ", "", "1b"}, .statuses = {SupporterReady, Out, DeclarerReady}});
    g.PlayPhase = true;
    g.CurSeat = 3;
    g.PlayMode = 9;
    g.PlayStep();
    EXPECT_EQ(g.Played[10], "1b");
    EXPECT_EQ(g.PlayMode, 11);
    EXPECT_EQ(EnabledBoxes(f), "1");
    ASSERT_TRUE(g.Click(Control::Pict1, 1));
    EXPECT_EQ(g.TrickBest, "7c1");
    EXPECT_EQ(g.TrumpsOut, "5c7c");
    // Seat 2 is out: the trick is complete with two cards.
    EXPECT_EQ(g.PlayMode, 12);
    EXPECT_EQ(g.Played[12], "--");
    EXPECT_TRUE(f.Enabled(Control::Sled));
}

TEST(HumanPlay, LeadOfTrickTwoEnablesTheRemainingCards) {
    Fixture f;
    Game &g = f.game;
    HumanHand(f, "9c3p4k  ", {DeclarerReady, Out, Out});
    g.PlayPhase = true;
    g.CurSeat = 1;
    g.PlayMode = 3;
    g.PlayStep();
    EXPECT_EQ(EnabledBoxes(f), "123");
    EXPECT_EQ(g.PlayMode, 4);
}

TEST(HumanPlay, ClickOnAnEmptyBoxPlaysNothing) {
    Fixture f;
    Game &g = f.game;
    HumanHand(f, "9c3p  ");
    g.PlayPhase = true;
    g.PlayMode = 7;
    g.CurSeat = 1;
    g.PlayCard(3);
    g.PlayCard(5);
    EXPECT_EQ(g.Hands[1], "9c3p  ");
    EXPECT_TRUE(g.TrickBest.empty());
    EXPECT_FALSE(f.Enabled(Control::Sled));
}

} // namespace
} // namespace vurp::testing
