// Why a control cannot be pressed: the sentence for each state of the table
// the player can meet, and a sentence for every control he cannot press
// throughout random games.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cards.h"
#include "controls.h"
#include "test_support.h"
#include "why_not.h"

namespace vurp {
namespace {

using testing::Fixture;
using testing::TableSetup;

struct Asked {
    Control control;
    int index;
    std::string reason; // empty: the control can be pressed
};

struct State {
    const char *name;
    std::function<void(Fixture &)> setUp;
    std::vector<Asked> asked;
};

// Seat 1 speaks first, four hearts in hand under a turned heart: no helicopter.
void FirstWord(Fixture &f) {
    testing::Deal(f, "9c8c7c6c1p2p3p4p1k2k3k4k5c");
}

// Seat 2 has said vurp and seat 1 has the word in the second round.
void SecondWord(Fixture &f) {
    SetUpTable(f, {.hands = {"9c8c7c6c  ", "1p2p3p4p  ", "1k2k3k4k  "},
                   .statuses = {Silent, Declarer, Silent},
                   .curSeat = 1});
    f.game.SecondRoundTurn();
}

// Trick play: seat 1, holding `hand` under hearts, plays second to seat 2's
// lead of `led`.
std::function<void(Fixture &)> Following(const std::string &hand, const std::string &led) {
    return [hand, led](Fixture &f) {
        SetUpTable(f, {.hands = {hand, "1p2p3p4p", "1k2k3k4k"},
                       .statuses = {SupporterReady, DeclarerReady, SupporterReady},
                       .playPhase = true,
                       .curSeat = 1});
        f.game.Played[1] = led;
        f.game.TrickBest = led + "2";
        f.game.LedSuit = led.substr(1);
        f.game.PlayMode = 2;
        f.game.EnableLegalCards();
    };
}

const std::string kNoHelicopter =
    "Вертолет можно объявить только с шестеркой и тузом козырей без других козырей";

const std::vector<State> kStates = {
    {"before the first deal",
     [](Fixture &) {},
     {{Control::vurp, 0, "Сначала нажмите «Раздать»"},
      {Control::GoKats, 9, "Сначала нажмите «Раздать»"},
      {Control::Razd, 0, ""},
      {Control::Pravila, 0, ""}}},
    {"seat 1's word in the first round",
     FirstWord,
     {{Control::vurp, 0, ""},
      {Control::Vert, 0, kNoHelicopter},
      {Control::Help, 0, "Сначала кто-то другой должен сказать «Вурп»"},
      {Control::five, 0, "Сначала кто-то другой должен сказать «Вурп»"},
      {Control::GoKats, 1, "Сначала нажмите «Вурп, иду за...»"},
      {Control::Pict1, 2, "Сейчас ваше слово: вурп или пас"},
      {Control::Sled, 0, "Сейчас ваше слово: вурп или пас"},
      {Control::Razd, 0, "Новую сдачу можно начать, когда эта будет сыграна"},
      {Control::Pict2, 1, ""},
      {Control::talk, 1, ""}}},
    {"seat 1 holds the helicopter",
     [](Fixture &f) { testing::Deal(f, "1c9c1p2p3p4p5p6p7p8p1k2k5c"); },
     {{Control::Vert, 0, ""}}},
    {"a rank to choose after \"Вурп, иду за...\"",
     [](Fixture &f) {
         FirstWord(f);
         f.game.Click(Control::VurpGo);
     },
     {{Control::GoKats, 4, ""},
      {Control::vurp, 0, "Вы уже объявили игру"},
      {Control::Help, 0, "Вы объявили игру: отвечают другие игроки"},
      {Control::Pict1, 1, "Сначала выберите, за какими картами идти"}}},
    {"seat 1 goes for aces",
     [](Fixture &f) {
         FirstWord(f);
         f.game.Click(Control::VurpGo);
         f.game.Click(Control::GoKats, 9);
     },
     {{Control::Sled, 0, ""},
      {Control::GoKats, 9, "Вы идете за тузами: нажмите «Дальше»"},
      {Control::Pict1, 1, "Вы идете за тузами: нажмите «Дальше»"}}},
    {"seat 2 goes for queens",
     [](Fixture &f) {
         SecondWord(f);
         for (const Control c : {Control::Help, Control::PasHelp, Control::five, Control::HelpGo}) {
             f.view.SetEnabled(c, 0, false);
         }
         f.game.Status[2] = DeclarerGoingFor;
         f.game.CurSeat = 2;
         f.game.GoRank = 7;
         f.view.SetEnabled(Control::Sled, 0, true);
     },
     {{Control::Help, 0, "Игрок 2 идет за дамами: нажмите «Дальше»"},
      {Control::vurp, 0, "Игрок 2 уже объявил игру"}}},
    {"seat 1's word in the second round",
     SecondWord,
     {{Control::Help, 0, ""},
      {Control::vurp, 0, "Игрок 2 уже объявил игру"},
      {Control::GoKats, 6, "Сначала нажмите «Помогу, иду за...»"},
      {Control::Pict1, 1, "Сейчас ваше слово: помочь или пас"}}},
    {"seat 1 took five",
     [](Fixture &f) {
         SecondWord(f);
         f.game.Deck = std::string(DeckLiteral);
         f.game.Click(Control::five);
     },
     {{Control::Pict1, 5, ""},
      {Control::Help, 0, "Вы уже ответили"},
      {Control::Sled, 0, "Сначала сбросьте одну из пяти карт"}}},
    {"seat 1's exchange, a card thrown away",
     [](Fixture &f) {
         SetUpTable(f, {.hands = {"9c8c7c6c  ", "1p2p3p4p  ", "1k2k3k4k  "},
                        .statuses = {Declarer, Out, Supporter},
                        .deck = std::string(DeckLiteral),
                        .curSeat = 1});
         f.game.ExchangeStep();
         f.game.Click(Control::Pict1, 4);
     },
     {{Control::Change, 0, ""},
      {Control::Pict1, 1, ""},
      {Control::Sled, 0, "Сначала закончите обмен кнопкой «Поменять»"},
      {Control::PasHelp, 0, "Вы объявили игру: отвечают другие игроки"}}},
    {"diamonds led, seat 1 holds one",
     Following("9p2k3b4c", "1b"),
     {{Control::Pict1, 3, ""},
      {Control::Pict1, 1, "Нужно ходить в масть: у вас есть бубны"},
      {Control::Pict1, 4, "Нужно ходить в масть: у вас есть бубны"},
      {Control::vurp, 0, "Объявления окончены: идет розыгрыш взяток"},
      {Control::GoKats, 2, "Объявления окончены: идет розыгрыш взяток"},
      {Control::Sled, 0, "Сейчас ваш ход: выберите карту"}}},
    {"clubs led, seat 1 holds none but a trump",
     Following("9p2p3b4c", "1k"),
     {{Control::Pict1, 4, ""},
      {Control::Pict1, 1, "Нужно бить козырем: треф у вас нет"},
      {Control::Pict1, 3, "Нужно бить козырем: треф у вас нет"}}},
    {"clubs led, seat 1 holds neither clubs nor trumps",
     Following("9p2p3b4b", "1k"),
     {{Control::Pict1, 1, ""}, {Control::Pict1, 4, ""}}},
    {"a trick complete",
     [](Fixture &f) {
         Following("9p2k3b4c", "1b")(f);
         f.game.Click(Control::Pict1, 3);
     },
     {{Control::Pict1, 1, "Взятка сыграна: нажмите «Дальше»"}, {Control::Sled, 0, ""}}},
    // The window may let the computer seats act one at a time.
    {"seat 3 still to speak",
     [](Fixture &f) {
         FirstWord(f);
         f.game.CurSeat = 3;
         for (const Control c : {Control::vurp, Control::PasVurp, Control::VurpGo}) {
             f.view.SetEnabled(c, 0, false);
         }
     },
     {{Control::vurp, 0, "Сейчас говорит игрок 3"}}},
    {"seat 2 still to play",
     [](Fixture &f) {
         Following("9p2k3b4c", "1b")(f);
         f.game.CurSeat = 2;
         for (int b = 1; b <= 4; ++b) {
             f.view.SetEnabled(Control::Pict1, b, false);
         }
     },
     {{Control::Pict1, 3, "Сейчас ходит игрок 2"}}},
    {"the deal settled",
     [](Fixture &f) {
         SetUpTable(f, {.hands = {"9c8c7c6c  ", "1p2p3p4p  ", "1k2k3k4k  "},
                        .statuses = {DeclarerReady, Out, Out},
                        .deck = std::string(DeckLiteral),
                        .playPhase = true,
                        .curSeat = 1});
         f.game.SettleUncontested();
     },
     {{Control::vurp, 0, "Сдача сыграна: нажмите «Раздать»"},
      {Control::Pict1, 1, "Сдача сыграна: нажмите «Раздать»"},
      {Control::Razd, 0, ""}}},
};

TEST(WhyNot, SaysWhatStandsInTheWay) {
    for (const State &state : kStates) {
        SCOPED_TRACE(state.name);
        Fixture f;
        state.setUp(f);
        for (const Asked &a : state.asked) {
            SCOPED_TRACE(ElementName(a.control, a.index));
            EXPECT_EQ(WhyNot(f.game, f.view, a.control, a.index), a.reason);
        }
    }
}

// Every control the player sees and cannot press says why, and no control he
// can press has a reason against it, all through random games.
TEST(WhyNot, EveryControlOutOfReachSaysWhy) {
    const std::vector<std::pair<Control, int>> &game = GameControls();
    Fixture f;
    f.random.Seed(2026);
    std::mt19937 dice(7);
    int explained = 0;
    for (int step = 0; step < 3000; ++step) {
        std::vector<std::pair<Control, int>> pressable;
        for (const auto &[c, i] : AllElements()) {
            const std::string reason = WhyNot(f.game, f.view, c, i);
            const bool outOfReach = f.Visible(c, i) && !f.Enabled(c, i);
            const bool pressed = std::find(game.begin(), game.end(), std::pair{c, i}) != game.end();
            if (pressed && outOfReach) {
                ASSERT_FALSE(reason.empty()) << ElementName(c, i) << " at step " << step;
                ++explained;
            } else {
                ASSERT_EQ(reason, "") << ElementName(c, i) << " at step " << step;
            }
            if (pressed && f.Visible(c, i) && f.Enabled(c, i)) {
                pressable.emplace_back(c, i);
            }
        }
        ASSERT_FALSE(pressable.empty()) << "at step " << step;
        const auto &[c, i] = pressable[dice() % pressable.size()];
        ASSERT_TRUE(f.game.Click(c, i));
    }
    EXPECT_GT(explained, 3000);
}

} // namespace
} // namespace vurp
