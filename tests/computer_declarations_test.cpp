#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards.h"
#include "computer_decisions.h"
#include "hand_queries.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// A value left in the queue after the decisions: still there at the end
// proves that no decision drew more than the test queued for it.
constexpr double kUntouched = 0.5;

// The table as the deal leaves it: `hand` for `seat` (followed by the blank
// position, as dealt), the trump candidate `turned` the only trump seen.
Table Dealt(int seat, const std::string &hand, const std::string &turned) {
    return HandTable(seat, hand + "  ", SuitOf(turned), turned);
}

struct FirstRoundRow {
    const char *name;
    int seat;
    std::string hand;
    std::string turned;
    std::vector<double> draws; // queued for the decision
    FirstRoundSay say;
    FirstRoundRule rule;
    int rank; // the rank considered for going for, or 0
};

TEST(FirstRoundDecision, ThresholdsAndTheLoneAcesDraw) {
    using enum FirstRoundSay;
    using R = FirstRoundRule;
    const std::vector<FirstRoundRow> rows = {
        {"three trumps", 2, "4c6c7c1p", "5c", {}, Vurp, R::ThreeTrumps, 0},
        {"four of a kind", 2, "4p4k4b4c", "5c", {}, Vurp, R::FourOfAKind, 0},
        {"ace of trumps beside another trump", 2, "9c2c1p1k", "5c", {}, Vurp, R::PromotedAce, 0},
        {"six and ace of trumps with a third trump",
         2,
         "1c9c2c1p",
         "5c",
         {},
         Vurp,
         R::ThreeTrumps,
         0},
        {"six and ace of trumps alone", 2, "1c9c9p9k", "5c", {}, Helicopter, R::Helicopter, 0},
        {"king of trumps beside the nine", 2, "8c4c1p1k", "3c", {}, Vurp, R::KingWithSupport, 0},
        {"king of trumps beside the seven", 2, "8c2c1p1k", "3c", {}, Pass, R::Weak, 0},
        // A nine is the least a king needs beside it; an eight is not enough.
        {"king of trumps beside the eight", 2, "8c3c1p1k", "1c", {}, Pass, R::Weak, 0},
        {"king of trumps alone", 2, "8c1p1k1b", "3c", {}, Pass, R::Weak, 0},
        {"two low trumps", 2, "1c2c1p1k", "5c", {}, Pass, R::Weak, 0},
        {"real ace, draw below one half",
         2,
         "9c1p1k1b",
         "5c",
         {0.2},
         VurpGoingFor,
         R::LoneAceDraw,
         9},
        {"real ace, draw just below one half",
         2,
         "9c1p1k1b",
         "5c",
         {0.49},
         VurpGoingFor,
         R::LoneAceDraw,
         9},
        {"real ace, draw of one half", 2, "9c1p1k1b", "5c", {0.5}, Pass, R::LoneAceDraw, 9},
        {"king under the turned ace, draw below one half",
         3,
         "8c1p1k1b",
         "9c",
         {0.2},
         VurpGoingFor,
         R::LoneAceDraw,
         8},
        {"king under the turned ace, draw above one half",
         3,
         "8c1p1k1b",
         "9c",
         {0.7},
         Pass,
         R::LoneAceDraw,
         8},
        {"second king, draw above one half",
         3,
         "8c8p1k1b",
         "9c",
         {0.7},
         VurpGoingFor,
         R::LoneAcePaired,
         8},
        // Four aces with the ace of trumps alone: the lone ace comes first.
        {"four aces, one of them trumps",
         2,
         "9p9k9b9c",
         "5c",
         {0.9},
         VurpGoingFor,
         R::LoneAcePaired,
         9},
        // The human's seat is asked the same way.
        {"seat 1, real ace, draw below one half",
         1,
         "9c1p1k1b",
         "5c",
         {0.3},
         VurpGoingFor,
         R::LoneAceDraw,
         9},
        {"seat 1, six and ace of trumps alone",
         1,
         "1c9c9p9k",
         "5c",
         {},
         Helicopter,
         R::Helicopter,
         0},
    };
    for (const FirstRoundRow &row : rows) {
        SCOPED_TRACE(row.name);
        const Table t = Dealt(row.seat, row.hand, row.turned);
        ScriptedRandom random;
        for (double d : row.draws) {
            random.Push(d);
        }
        random.Push(kUntouched);
        const FirstRoundDecision d = DecideFirstRound(t, row.seat, random);
        EXPECT_EQ(d.say, row.say);
        EXPECT_EQ(d.rule, row.rule);
        EXPECT_EQ(d.rank, row.rank);
        EXPECT_EQ(d.trumps, SuitCount(t, row.seat, t.Trump));
        // Exactly the draws the rules make, no more.
        EXPECT_EQ(d.draws, row.draws);
        EXPECT_EQ(random.Queued(), 1u);
    }
}

struct FirstRoundCase {
    const char *name;
    std::string head; // seat 1, seat 2, seat 3, turned card
    bool vurp;
};

// Seat 2 speaks first (seat 1 deals). Seat 3 holds two low trumps: it passes
// in the first round and helps in the second, without a random draw.
TEST(ComputerFirstRound, VurpOrPassWithoutRandomDraws) {
    const std::vector<FirstRoundCase> cases = {
        {"three trumps", "2p3p4p5p4c6c7c1p2c3c1k1b5c", true},
        {"king of trumps beside the nine", "2p3p4p5p8c4c1p1k5c6c2k2b3c", true},
        {"king of trumps beside the seven", "2p3p4p5p8c2c1p1k5c6c2k2b3c", false},
    };
    for (const FirstRoundCase &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture g;
        g.ArrangeDeck(DeckStartingWith(c.head));
        g.random.Push(kUntouched);
        g.game.Dealer = 1;
        ASSERT_TRUE(g.game.Click(Control::Razd));
        EXPECT_EQ(g.random.Queued(), 1u);
        if (c.vurp) {
            EXPECT_EQ(g.Text(Control::talk, 2), "Вурп ");
            EXPECT_EQ(g.game.Status[2], Declarer);
            EXPECT_EQ(g.Text(Control::talk, 3), "Помогу");
            EXPECT_TRUE(g.Enabled(Control::Help));
            EXPECT_FALSE(g.Enabled(Control::vurp));
        } else {
            EXPECT_EQ(g.Text(Control::talk, 2), "Пас");
            EXPECT_EQ(g.game.Status[2], Silent);
            EXPECT_EQ(g.Text(Control::talk, 3), "Пас");
            EXPECT_TRUE(g.Enabled(Control::vurp));
        }
        EXPECT_EQ(g.game.CurSeat, 1);
    }
}

TEST(ComputerFirstRound, HelicopterComesBeforeEveryOtherTest) {
    Fixture f;
    // The ace of trumps alone would make the hand strong; the helicopter wins.
    Deal(f, "2p3p4p5p1c9c9p9k2c3c1k1b5c", 1);
    EXPECT_EQ(f.Text(Control::talk, 2), "Вертолет ");
    EXPECT_EQ(f.game.Status[2], DeclarerReady);
    EXPECT_EQ(f.game.Status[1], SupporterReady);
    EXPECT_EQ(f.game.Status[3], SupporterReady);
}

struct GoingForCase {
    const char *name;
    std::string head;
    double u;
    int rank; // 0: the seat passes
    std::string talk;
};

// The draws themselves are rows of FirstRoundDecision; here, what each
// outcome does at the table.
TEST(ComputerFirstRound, LoneAceGoesForItsRankOrPasses) {
    const std::vector<GoingForCase> cases = {
        {"real ace, draw below one half", "9p2p3p4p9c1p1k1b2k3k4b5b5c", 0.2, 9,
         "Вурп иду за тузами"},
        {"real ace, draw of one half", "9p2p3p4p9c1p1k1b2k3k4b5b5c", 0.5, 0, "Пас"},
        {"king under the turned ace, draw below one half", "9p2p3p4p8c1p1k1b2k3k4b5b9c", 0.2, 8,
         "Вурп иду за королями"},
        {"second king, draw above one half", "9p2p3p4p8c8p1k1b2k3k4b5b9c", 0.7, 8,
         "Вурп иду за королями"},
    };
    for (const GoingForCase &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.ArrangeDeck(DeckStartingWith(c.head));
        f.random.Push(c.u);
        f.random.Push(kUntouched);
        f.game.Dealer = 1;
        ASSERT_TRUE(f.game.Click(Control::Razd));
        const Game &g = f.game;
        // Exactly one draw, whatever decided.
        EXPECT_EQ(f.random.Queued(), 1u);
        EXPECT_EQ(f.Text(Control::talk, 2), c.talk);
        if (c.rank == 0) {
            EXPECT_EQ(g.Status[2], Silent);
            EXPECT_EQ(g.CurSeat, 1);
            EXPECT_FALSE(f.Enabled(Control::Sled));
            continue;
        }
        EXPECT_EQ(g.Status[2], DeclarerGoingFor);
        EXPECT_EQ(g.GoRank, c.rank);
        EXPECT_EQ(g.CurSeat, 2);
        EXPECT_TRUE(f.Enabled(Control::Sled));
        EXPECT_FALSE(f.Enabled(Control::vurp));
        EXPECT_FALSE(f.Enabled(Control::PasVurp));
        EXPECT_FALSE(f.Enabled(Control::VurpGo));
        EXPECT_FALSE(f.Enabled(Control::Vert));
        // Seat 1 holds the only other ace; nobody else a king.
        EXPECT_TRUE(f.Visible(Control::Talk2, 1));
        EXPECT_TRUE(f.Visible(Control::Talk2, 3));
        EXPECT_EQ(f.Text(Control::Talk2, 1), c.rank == 9 ? "Есть тузы" : "Нет королей");
        EXPECT_EQ(f.Text(Control::Talk2, 3), c.rank == 9 ? "Нет тузов" : "Нет королей");
    }
}

struct SecondRoundRow {
    const char *name;
    int seat;
    std::string hand;
    std::string turned;
    std::vector<double> draws;
    SecondRoundSay say;
    SecondRoundRule rule;
    int rank; // the lone trump's rank, or 0
};

TEST(SecondRoundDecision, AnswersByTrumpsAndRandomDraws) {
    using enum SecondRoundSay;
    using R = SecondRoundRule;
    const std::vector<SecondRoundRow> rows = {
        {"two trumps", 2, "2c3c1p1k", "5c", {}, Help, R::Trumps, 0},
        {"four of a kind", 2, "4p4k4b4c", "5c", {}, Help, R::FourOfAKind, 0},
        {"lone queen of trumps", 2, "7c1p1k1b", "5c", {}, HelpGoingFor, R::HighTrump, 7},
        {"lone jack under the turned ace", 2, "6c1p1k1b", "9c", {}, HelpGoingFor, R::HighTrump, 6},
        {"lone seven of trumps with three sevens",
         2,
         "2c2p2k1b",
         "5c",
         {},
         HelpGoingFor,
         R::ThreeOfItsRank,
         2},
        {"lone seven of trumps with two sevens, only the first draw low",
         2,
         "2c2p1k1b",
         "5c",
         {0.1, 0.5},
         Pass,
         R::LoneTrumpDraw,
         2},
        // A jack of trumps not raised by the turned card is below the queen.
        {"lone jack of trumps, second draw below 0.4",
         2,
         "6c1p1k1b",
         "5c",
         {0.9, 0.3},
         TakeFive,
         R::LoneTrumpDraw,
         6},
        {"lone ten of trumps, second draw below 0.4",
         2,
         "5c1p1k1b",
         "4c",
         {0.9, 0.3},
         TakeFive,
         R::LoneTrumpDraw,
         5},
        {"lone ten of trumps, only the first draw low",
         2,
         "5c1p1k1b",
         "4c",
         {0.1, 0.5},
         Pass,
         R::LoneTrumpDraw,
         5},
        {"lone ten of trumps, second draw just below 0.4",
         2,
         "5c1p1k1b",
         "4c",
         {0.9, 0.39},
         TakeFive,
         R::LoneTrumpDraw,
         5},
        {"lone ten of trumps, second draw of 0.4",
         2,
         "5c1p1k1b",
         "4c",
         {0.1, 0.4},
         Pass,
         R::LoneTrumpDraw,
         5},
        {"no trump, first draw below 0.75",
         2,
         "1p1k1b2k",
         "5c",
         {0.7, 0.9},
         TakeFive,
         R::NoTrumpDraw,
         0},
        {"no trump, only the second draw low",
         2,
         "1p1k1b2k",
         "5c",
         {0.8, 0.1},
         Pass,
         R::NoTrumpDraw,
         0},
        {"no trump, first draw just below 0.75",
         3,
         "1p1k1b2k",
         "5c",
         {0.74, 0.9},
         TakeFive,
         R::NoTrumpDraw,
         0},
        {"no trump, first draw of 0.75", 3, "1p1k1b2k", "5c", {0.75, 0.1}, Pass, R::NoTrumpDraw, 0},
        {"seat 1, lone queen of trumps", 1, "7c1p1k1b", "5c", {}, HelpGoingFor, R::HighTrump, 7},
        {"seat 1, no trump", 1, "1p1k1b2k", "5c", {0.3, 0.9}, TakeFive, R::NoTrumpDraw, 0},
    };
    for (const SecondRoundRow &row : rows) {
        SCOPED_TRACE(row.name);
        const Table t = Dealt(row.seat, row.hand, row.turned);
        ScriptedRandom random;
        for (double d : row.draws) {
            random.Push(d);
        }
        random.Push(kUntouched);
        const SecondRoundDecision d = DecideSecondRound(t, row.seat, random);
        EXPECT_EQ(d.say, row.say);
        EXPECT_EQ(d.rule, row.rule);
        EXPECT_EQ(d.rank, row.rank);
        EXPECT_EQ(d.trumps, SuitCount(t, row.seat, t.Trump));
        EXPECT_EQ(d.draws, row.draws);
        EXPECT_EQ(random.Queued(), 1u);
    }
}

struct SecondRoundCase {
    const char *name;
    std::string head;
    std::vector<double> draws;
    std::string talk;
    DeclarationStatus status;
};

// Seat 1 says vurp, so seat 2 answers first; seat 3 holds two trumps and helps
// unless seat 2 stopped the chain by going for a rank. Each answer once, as
// the table shows it; which answer a hand gives is SecondRoundDecision's.
TEST(ComputerSecondRound, EachAnswerAtTheTable) {
    const std::vector<SecondRoundCase> cases = {
        {"two trumps", "2p3p4p6p2c3c1p1k4c6c2k2b5c", {}, "Помогу", Supporter},
        {"lone queen of trumps",
         "2p3p4p6p7c1p1k1b2c3c2k2b5c",
         {},
         "Помогу иду за дамами",
         SupporterGoingFor},
        {"lone seven of trumps with three sevens",
         "3p4p6p7p2c2p2k1b3c4c3k4k5c",
         {},
         "Помогу иду за семерками",
         SupporterGoingFor},
        {"lone ten of trumps, second draw below 0.4",
         "2p3p4p6p5c1p1k1b2c3c2k2b4c",
         {0.9, 0.3},
         "Беру 5",
         TookFive},
        {"lone ten of trumps, only the first draw low",
         "2p3p4p6p5c1p1k1b2c3c2k2b4c",
         {0.1, 0.5},
         "Пас",
         Out},
        {"no trump, first draw below 0.75",
         "2p3p4p6p1p1k1b2k2c3c3k2b5c",
         {0.7, 0.9},
         "Беру 5",
         TookFive},
    };
    for (const SecondRoundCase &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.ArrangeDeck(DeckStartingWith(c.head));
        for (double d : c.draws) {
            f.random.Push(d);
        }
        f.random.Push(kUntouched);
        f.game.Dealer = 3;
        ASSERT_TRUE(f.game.Click(Control::Razd));
        ASSERT_TRUE(f.game.Click(Control::vurp));
        const Game &g = f.game;
        EXPECT_EQ(f.random.Queued(), 1u);
        EXPECT_EQ(f.Text(Control::talk, 2), c.talk);
        EXPECT_EQ(g.Status[2], c.status);
        if (c.status == SupporterGoingFor) {
            EXPECT_TRUE(f.Enabled(Control::Sled));
            EXPECT_FALSE(f.Visible(Control::Change));
            EXPECT_EQ(g.CurSeat, 2);
            EXPECT_EQ(g.Status[3], Silent);
        } else {
            EXPECT_EQ(g.Status[3], Supporter);
        }
        if (c.status == TookFive) {
            EXPECT_EQ(g.DeckPos, 19);
            EXPECT_EQ(CardCount(g.Hands[2]), 4);
        }
    }
}

struct DiscardRow {
    const char *name;
    int seat;
    std::string hand;
    std::string card;
    DiscardRule rule;
};

// Trump c, the six turned.
TEST(DiscardDecision, ThrowsTheCardTheRulesName) {
    using enum DiscardRule;
    const std::vector<DiscardRow> rows = {
        {"lone jack", 3, "2c5c6p3k8k", "6p", LowSingleton},
        {"lone queen", 3, "2c5c7p3k8k", "7p", LowSingleton},
        {"lone king kept, lowest other card", 3, "2c5c8p3k5k", "3k", LowestPlain},
        // Kings alone in their suits: none is a singleton to throw, but a king
        // is still no ace.
        {"kings and an ace beside trumps", 3, "2c4c8p8k9b", "8p", LowestPlain},
        {"three trumps and two aces", 3, "2c4c6c9p9k", "2c", LowestTrump},
        {"one trump and three aces", 3, "2c3c9p9k9b", "2c", LowestTrump},
        {"four aces and a seven", 3, "9p9k9b9c2p", "2p", FourOfAKind},
        {"four aces after the seven", 3, "2p9k9b9c9p", "2p", FourOfAKind},
        {"no trump", 3, "9p3k9b5b4p", "3k", LowestNoTrump},
        {"seat 1, lone jack", 1, "2c5c6p3k8k", "6p", LowSingleton},
    };
    for (const DiscardRow &row : rows) {
        SCOPED_TRACE(row.name);
        const DiscardDecision d = DecideDiscard(HandTable(row.seat, row.hand, "c", "1c"), row.seat);
        EXPECT_EQ(d.card, row.card);
        EXPECT_EQ(d.rule, row.rule);
    }
}

struct DiscardCase {
    const char *name;
    std::string hand;
    DeclarationStatus status;
    std::string after;
    DeclarationStatus statusAfter;
};

// Trump c. Seat 3 discards; seat 1 is still silent, so the word goes to him.
// The card thrown is DiscardDecision's; here, each status it leaves.
TEST(ComputerDiscard, ThrowsTheCardAndHasItsFinalHand) {
    const std::vector<DiscardCase> cases = {
        {"took five", "2c5c6p3k8k", TookFive, "2c5c3k8k", TookFive},
        {"four aces and a seven", "9p9k9b9c2p", DeclarerGoingFor, "9p9k9b9c", DeclarerReady},
        {"four aces after the seven", "2p9k9b9c9p", SupporterGoingFor, "9k9b9c9p",
         SupporterGoingFor},
        {"no trump", "9p3k9b5b4p", DeclarerGoingFor, "9p9b5b4p", DeclarerReady},
    };
    for (const DiscardCase &c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        Game &g = f.game;
        g.Trump = "c";
        g.TrumpsOut = "1c";
        g.Hands[3] = c.hand;
        g.Status = {Silent, Silent, Declarer, c.status};
        g.CurSeat = 3;
        g.ComputerDiscard();
        EXPECT_EQ(g.Hands[3], c.after);
        EXPECT_EQ(g.Status[3], c.statusAfter);
        EXPECT_EQ(g.CurSeat, 1);
        EXPECT_TRUE(f.Enabled(Control::Help));
    }
}

} // namespace
} // namespace vurp::testing
