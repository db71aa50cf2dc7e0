#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "controls.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

bool IsPanel(Control c) {
    return c == Control::TextPravila || c == Control::TextGame;
}

auto TableFields(const Table &t) {
    return std::tie(t.Deck, t.DeckPos, t.Hands, t.TurnedCard, t.Trump, t.TrumpsOut, t.CurSeat,
                    t.Dealer, t.Stake, t.Status, t.Tricks, t.PlayPhase, t.PlayMode, t.Played,
                    t.TrickBest, t.LedSuit, t.GoRank, t.CardPicture, t.WorkCard, t.RankInstrumental,
                    t.RankNominative, t.RankGenitive, t.I);
}

// Everything the table shows, except whether the two panels are open.
std::vector<std::string> ShownOutsidePanels(const RecordingView &view) {
    std::vector<std::string> shown;
    for (const ControlDesign &d : ControlDesigns()) {
        for (int i = d.count == 0 ? 0 : 1; i <= d.count; ++i) {
            const ControlState &s = view.State(d.id, i);
            std::string line = d.name + "(" + std::to_string(i) + ") " + s.text + "|" + s.picture +
                               "|" + std::to_string(s.enabled) + "|" +
                               std::to_string(s.back.value_or(0x1000000)) + "|" +
                               std::to_string(s.fore.value_or(0x1000000));
            if (!IsPanel(d.id)) {
                line += "|" + std::to_string(s.visible);
            }
            shown.push_back(line);
        }
    }
    return shown;
}

TEST(Panels, StartHiddenAndOpenThroughTheirButtonsBeforeAnyDeal) {
    Fixture f;
    EXPECT_FALSE(f.Visible(Control::TextPravila));
    EXPECT_FALSE(f.Visible(Control::TextGame));
    // The panel buttons answer while every game button is still disabled.
    EXPECT_TRUE(f.game.Click(Control::Pravila));
    EXPECT_TRUE(f.game.Click(Control::Game));
    EXPECT_TRUE(f.Visible(Control::TextPravila));
    EXPECT_TRUE(f.Visible(Control::TextGame));
}

TEST(Panels, EachButtonTogglesOnlyItsOwnPanel) {
    Fixture f;
    f.game.Click(Control::Pravila);
    EXPECT_TRUE(f.Visible(Control::TextPravila));
    EXPECT_FALSE(f.Visible(Control::TextGame));

    f.game.Click(Control::Game);
    EXPECT_TRUE(f.Visible(Control::TextPravila));
    EXPECT_TRUE(f.Visible(Control::TextGame));

    f.game.Click(Control::Pravila);
    EXPECT_FALSE(f.Visible(Control::TextPravila));
    EXPECT_TRUE(f.Visible(Control::TextGame));

    f.game.Click(Control::Game);
    EXPECT_FALSE(f.Visible(Control::TextPravila));
    EXPECT_FALSE(f.Visible(Control::TextGame));
}

TEST(Panels, TwoClicksRestoreEitherPanelFromEitherState) {
    for (const auto &[button, panel] : {std::pair{Control::Pravila, Control::TextPravila},
                                        std::pair{Control::Game, Control::TextGame}}) {
        for (const bool open : {false, true}) {
            Fixture f;
            f.view.SetVisible(panel, 0, open);
            f.game.Click(button);
            EXPECT_NE(f.Visible(panel), open);
            f.game.Click(button);
            EXPECT_EQ(f.Visible(panel), open);
        }
    }
}

TEST(Panels, OpeningAndClosingDuringADealChangesNothingInTheDeal) {
    Fixture f;
    f.ArrangeDeck(DeckStartingWith("9c8c7c6c1p2p3p4p1k2k3k4k5b"));
    f.game.Click(Control::Razd);
    const Table before = f.game;
    const std::vector<std::string> shownBefore = ShownOutsidePanels(f.view);

    f.game.Click(Control::Pravila);
    f.game.Click(Control::Game);
    EXPECT_EQ(TableFields(f.game), TableFields(before));
    EXPECT_EQ(ShownOutsidePanels(f.view), shownBefore);

    f.game.Click(Control::Game);
    f.game.Click(Control::Pravila);
    EXPECT_EQ(TableFields(f.game), TableFields(before));
    EXPECT_EQ(ShownOutsidePanels(f.view), shownBefore);
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    lines.push_back(text.substr(from));
    return lines;
}

int Characters(const std::string &utf8) {
    int count = 0;
    for (const unsigned char ch : utf8) {
        count += (ch & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

bool HasBareBreak(const std::string &text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crWithoutLf = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        const bool lfWithoutCr = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        if (crWithoutLf || lfWithoutCr) {
            return true;
        }
    }
    return false;
}

TEST(PanelTexts, RulesHaveTheHeadingAndTheSeventeenPointsInOrder) {
    EXPECT_FALSE(HasBareBreak(RulesText));
    const std::vector<std::string> lines = Lines(RulesText);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), std::string(24, ' ') + "Правила игры \"ВУРП\".");

    std::vector<int> numbers;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t dot = lines[i].find(". ");
        if (dot != std::string::npos && dot > 0 &&
            lines[i].find_first_not_of("0123456789") == dot) {
            numbers.push_back(std::stoi(lines[i].substr(0, dot)));
        }
    }
    std::vector<int> expected;
    for (int n = 1; n <= 17; ++n) {
        expected.push_back(n);
    }
    EXPECT_EQ(numbers, expected);

    const int length = Characters(RulesText);
    EXPECT_GT(length, 3300);
    EXPECT_LT(length, 4000);
}

TEST(PanelTexts, AboutIsFourLinesEachEndedByCrLf) {
    EXPECT_FALSE(HasBareBreak(AboutText));
    const std::vector<std::string> lines = Lines(AboutText);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], "");
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
    }
    EXPECT_EQ(lines[1].front(), '(');
    EXPECT_EQ(lines[1].back(), ')');
    EXPECT_NE((lines[2] + lines[3]).find("@example.org"), std::string::npos);
}

} // namespace
} // namespace vurp::testing
