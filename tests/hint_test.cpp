// The hint: what the computer players would do in seat 1's place, for one
// table at each kind of step, and, through random games, a hint that always
// names what the player can press.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "controls.h"
#include "hint.h"
#include "test_support.h"

namespace vurp {
namespace {

using testing::Fixture;

struct Row {
    const char *name;
    std::function<void(Fixture &)> setUp;
    std::vector<double> draws; // the hint's own random numbers
    Control control;
    std::vector<int> indices;
    std::string reason;
};

// Seat 1 speaks first under a turned ten of hearts, holding `hand`.
std::function<void(Fixture &)> FirstWord(const std::string &hand) {
    return [hand](Fixture &f) {
        std::string head = hand;
        for (const std::string card : {"9c", "8c", "7c", "6c", "1p", "2p", "3p", "4p", "9p", "1k",
                                       "2k", "3k", "4k", "9k", "1b", "2b", "3b", "4b", "9b"}) {
            if (head.size() < 24 && head.find(card) == std::string::npos) {
                head += card;
            }
        }
        testing::Deal(f, head + "5c");
    };
}

// Seat 2 has said vurp and seat 1, holding `hand`, answers.
std::function<void(Fixture &)> SecondWord(const std::string &hand) {
    return [hand](Fixture &f) {
        SetUpTable(f, {.hands = {hand, "1p2p3p4p  ", "1k2k3k4k  "},
                       .statuses = {Silent, Declarer, Silent},
                       .curSeat = 1});
        f.game.SecondRoundTurn();
    };
}

// Seat 1 exchanges, holding `hand`, after `clicks` clicks on its card box 2.
std::function<void(Fixture &)> Exchanging(const std::string &hand, int clicks) {
    return [hand, clicks](Fixture &f) {
        SetUpTable(f, {.hands = {hand, "1p2p3p4p", "1k2k3k4k"},
                       .statuses = {Declarer, Supporter, Silent},
                       .curSeat = 1});
        f.game.ExchangeStep();
        for (int k = 0; k < clicks; ++k) {
            f.game.Click(Control::Pict1, 2);
        }
    };
}

const std::string kAceOdds =
    "с одним козырем, который считается тузом, компьютер идёт за его рангом в половине случаев";

const std::vector<Row> kRows = {
    {"before the first deal",
     [](Fixture &) {},
     {},
     Control::Razd,
     {0},
     "Нажмите «Раздать»: начнётся новая сдача"},
    {"four trumps", FirstWord("9c8c7c6c"), {}, Control::vurp, {0}, "Вурп: у вас 4 козыря"},
    {"the helicopter",
     FirstWord("1c9c1p2p"),
     {},
     Control::Vert,
     {0},
     "Вертолет: из козырей у вас только шестёрка и туз"},
    {"four of a kind",
     FirstWord("2c2p2k2b"),
     {},
     Control::vurp,
     {0},
     "Вурп: у вас четыре карты одного ранга"},
    {"ace and another trump",
     FirstWord("9c2c2p3k"),
     {},
     Control::vurp,
     {0},
     "Вурп: у вас туз козырей и ещё козырь"},
    {"no trump", FirstWord("1p2p3p4k"), {}, Control::PasVurp, {0}, "Пас вурп: у вас нет козырей"},
    {"a lone ace with its pair",
     FirstWord("9c9p2p3k"),
     {},
     Control::VurpGo,
     {0},
     "Вурп, иду за тузами: ваш единственный козырь считается тузом, и карта его ранга у вас "
     "не одна"},
    {"a lone ace, drawn low",
     FirstWord("9c1p2p3k"),
     {0.3},
     Control::VurpGo,
     {0},
     "Вурп, иду за тузами, наугад: " + kAceOdds},
    {"a lone ace, drawn high",
     FirstWord("9c1p2p3k"),
     {0.7},
     Control::PasVurp,
     {0},
     "Пас вурп, наугад: " + kAceOdds},
    {"the rank to go for",
     [](Fixture &f) {
         FirstWord("9c9p2p3k")(f);
         f.game.Click(Control::VurpGo);
     },
     {},
     Control::GoKats,
     {9},
     "Идите за тузами: компьютер идёт за рангом своего старшего козыря"},
    {"a rank gone for waits for \"Дальше\"",
     [](Fixture &f) {
         FirstWord("9c9p2p3k")(f);
         f.game.Click(Control::VurpGo);
         f.game.Click(Control::GoKats, 9);
     },
     {},
     Control::Sled,
     {0},
     "Нажмите «Дальше»: игра идёт своим чередом"},
    {"two trumps help", SecondWord("9c8c3p4k  "), {}, Control::Help, {0}, "Помогу: у вас 2 козыря"},
    {"a lone queen of trumps",
     SecondWord("7c1p2k3b  "),
     {},
     Control::HelpGo,
     {0},
     "Помогу, иду за дамами: ваш единственный козырь считается дамой или старше"},
    {"no trump takes five",
     SecondWord("1p2p3k4k  "),
     {0.5, 0.9},
     Control::five,
     {0},
     "Беру пять, наугад: без козырей компьютер берёт пять в трёх случаях из четырёх"},
    {"a low trump passes",
     SecondWord("1c2p3k4k  "),
     {0.1, 0.5},
     Control::PasHelp,
     {0},
     "Пас помощь, наугад: с одним младшим козырем компьютер берёт пять в двух случаях из "
     "пяти"},
    {"the discard from five",
     [](Fixture &f) {
         SetUpTable(f, {.hands = {"1p2p9c8c3k", "1b2b3b4b", "5p6p7p8p"},
                        .statuses = {TookFive, Declarer, Silent},
                        .curSeat = 1});
         for (int box = 1; box <= 5; ++box) {
             f.view.SetVisible(Control::Pict1, box, true);
             f.view.SetEnabled(Control::Pict1, box, true);
         }
     },
     {},
     Control::Pict1,
     {5},
     "Сбросьте восьмёрку треф: младшая карта, одна в своей масти"},
    {"every card but the trumps and aces goes",
     Exchanging("9c1p2k9p", 0),
     {},
     Control::Pict1,
     {2, 3},
     "Сбросьте 2 карты: компьютер оставляет только козыри и тузы"},
    {"one card left to throw",
     Exchanging("9c1p2k9p", 1),
     {},
     Control::Pict1,
     {2},
     "Сбросьте семёрку треф: компьютер оставляет только козыри и тузы"},
    {"nothing left to throw",
     Exchanging("9c1p2k9p", 2),
     {},
     Control::Change,
     {0},
     "Нажмите «Поменять»: компьютер оставляет только козыри и тузы"},
    {"a card that takes the trick",
     [](Fixture &f) {
         SetUpTable(f, {.hands = {"2p9p1c3k", "1p2p3p4p", "1k2k3k4k"},
                        .statuses = {SupporterReady, DeclarerReady, SupporterReady},
                        .playPhase = true,
                        .curSeat = 1});
         f.game.Played[1] = "5p";
         f.game.TrickBest = "5p2";
         f.game.LedSuit = "p";
         f.game.PlayMode = 2;
         f.game.EnableLegalCards();
     },
     {},
     Control::Pict1,
     {2},
     "Ходите: туз пик, так взятка пока ваша"},
};

TEST(Hint, SaysWhatTheComputerWouldDoAndWhy) {
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        row.setUp(f);
        ScriptedRandom own;
        for (const double u : row.draws) {
            own.Push(u);
        }
        const std::optional<Hint> hint = SuggestMove(f.game, f.view, own);
        ASSERT_TRUE(hint.has_value());
        EXPECT_EQ(ElementName(hint->control, hint->indices.front()),
                  ElementName(row.control, row.indices.front()));
        EXPECT_EQ(hint->indices, row.indices);
        EXPECT_EQ(hint->reason, row.reason);
        EXPECT_EQ(hint->random, !row.draws.empty());
        EXPECT_EQ(own.Queued(), 0U) << "every number given was drawn";
    }
}

// Through random games that now and then follow the hint: whenever the
// player has something to press, the hint names it, with one sentence that
// says "наугад" exactly when a draw decided.
TEST(Hint, AlwaysNamesWhatThePlayerCanPress) {
    const std::vector<std::pair<Control, int>> &game = GameControls();
    Fixture f;
    f.random.Seed(15);
    ScriptedRandom own;
    own.Seed(16);
    std::mt19937 dice(17);
    std::set<Control> suggested;
    for (int step = 0; step < 4000; ++step) {
        std::vector<std::pair<Control, int>> pressable;
        for (const auto &[c, i] : game) {
            if (c != Control::Pravila && c != Control::Game && f.Visible(c, i) && f.Enabled(c, i)) {
                pressable.emplace_back(c, i);
            }
        }
        ASSERT_FALSE(pressable.empty()) << "at step " << step;
        const std::optional<Hint> hint = SuggestMove(f.game, f.view, own);
        ASSERT_TRUE(hint.has_value()) << "at step " << step;
        for (const int i : hint->indices) {
            ASSERT_TRUE(f.Visible(hint->control, i) && f.Enabled(hint->control, i))
                << ElementName(hint->control, i) << " at step " << step;
        }
        ASSERT_FALSE(hint->reason.empty());
        ASSERT_EQ(hint->reason.find("  "), std::string::npos) << hint->reason;
        ASSERT_EQ(hint->reason.find("наугад") != std::string::npos, hint->random) << hint->reason;
        suggested.insert(hint->control);
        const auto &[c, i] = dice() % 2 == 0 ? std::pair{hint->control, hint->indices.front()}
                                             : pressable[dice() % pressable.size()];
        ASSERT_TRUE(f.game.Click(c, i)) << ElementName(c, i) << " at step " << step;
    }
    // Every kind of step came up: the deal, both rounds, a rank, the cards.
    for (const Control c : {Control::Razd, Control::vurp, Control::PasVurp, Control::VurpGo,
                            Control::Help, Control::five, Control::PasHelp, Control::GoKats,
                            Control::Pict1, Control::Change, Control::Sled}) {
        EXPECT_TRUE(suggested.count(c)) << ElementName(c, 0);
    }
}

} // namespace
} // namespace vurp
