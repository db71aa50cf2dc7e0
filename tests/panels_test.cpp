#include <gtest/gtest.h>

#include <algorithm>
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

// Each click reverses its own panel and leaves the other as it is; the
// panel buttons answer before any deal, while every game button is disabled.
TEST(Panels, EachButtonTogglesOnlyItsOwnPanel) {
    struct Click {
        Control button;
        bool rulesOpen;
        bool aboutOpen;
    };
    const Click clicks[] = {
        {Control::Pravila, true, false}, {Control::Game, true, true},
        {Control::Pravila, false, true}, {Control::Game, false, false},
        {Control::Game, false, true},    {Control::Pravila, true, true},
        {Control::Game, true, false},    {Control::Pravila, false, false},
    };
    Fixture f;
    EXPECT_FALSE(f.Visible(Control::TextPravila));
    EXPECT_FALSE(f.Visible(Control::TextGame));
    int number = 0;
    for (const Click &c : clicks) {
        SCOPED_TRACE("click " + std::to_string(++number));
        EXPECT_TRUE(f.game.Click(c.button));
        EXPECT_EQ(f.Visible(Control::TextPravila), c.rulesOpen);
        EXPECT_EQ(f.Visible(Control::TextGame), c.aboutOpen);
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

// The rules panel, line by line: the heading over the seventeen points.
const std::vector<std::string> kRulesLines = {
    std::string(24, ' ') + "Правила игры \"ВУРП\".",
    "1. Перед началом игры игроки договариваются о ставке. Ставка должна делиться на четыре, чтобы "
    "при дележе банка и при штрафах все суммы получались целыми.",
    "2. Перед каждой сдачей каждый игрок кладет в банк одну ставку.",
    "3. Каждому игроку сдается по четыре карты. Одна карта открывается и кладется в центр стола: "
    "ее масть предлагается в козыри. Остальные карты образуют колоду, из которой игроки потом "
    "меняют и добирают карты.",
    "4. Игра идет на взятки, всего в сдаче разыгрываются четыре взятки. Банк делится между "
    "игроками пропорционально взятым взяткам: кто взял больше взяток, тот получает большую часть "
    "банка.",
    "5. В игре есть козырная масть. Козырь бьет любую карту другой масти, даже туза.",
    "6. Первое слово принадлежит игроку, сидящему слева от сдающего. Если он согласен, чтобы масть "
    "открытой карты стала козырной, и берется взять не меньше двух взяток, он говорит \"Вурп\". "
    "Иначе он говорит \"Пас\", и слово переходит к следующему игроку по часовой стрелке.",
    "7. Если все игроки сказали \"Пас\", открывается следующая карта, и слово снова получает "
    "первый игрок. Всего можно открыть не больше трех карт. Если и после третьей карты все "
    "спасовали, каждый игрок кладет в банк еще одну ставку, и карты сдаются заново.",
    "8. После того как кто-то сказал \"Вурп\", каждый из остальных игроков может сказать "
    "\"Помогу\" и тем самым обязуется взять одну взятку, или сказать \"Пас\": тогда он выходит из "
    "сдачи и теряет свою долю банка.",
    "9. Когда все высказались, оставшиеся в игре игроки могут обменять любое число своих карт на "
    "карты из колоды: ненужные карты сбрасываются, и вместо них из колоды берется столько же "
    "новых. Первым меняет карты объявивший вурп.",
    "10. \"Вурп, иду за...\" и \"Помогу, иду за...\". Объявивший или помогающий пытается собрать "
    "все четыре карты одного достоинства и спрашивает остальных, есть ли у них карты этого "
    "достоинства. Если у кого-нибудь они есть, игра продолжается так же, как после обычного "
    "\"Вурп\" или \"Помогу\". Если ни у кого их нет, игрок сбрасывает все карты, кроме карт "
    "названного достоинства, добирает из колоды до пяти карт, затем сбрасывает одну и больше карт "
    "не меняет. Если ему удалось собрать все четыре карты, то, когда все выскажутся, он показывает "
    "их и забирает все взятки.",
    "11. \"Вертолет\" можно сказать вместо \"Вурп\" только тогда, когда у игрока есть туз и "
    "шестерка козырной масти и нет других козырей. После \"Вертолета\" все остальные игроки "
    "обязаны помогать, и никто не меняет карт.",
    "12. \"Беру пять\" можно сказать вместо \"Помогу\". Игрок сразу сбрасывает все свои карты, "
    "берет из колоды пять новых, затем сбрасывает одну из них и больше карт не меняет.",
    "13. После объявлений и обмена карт начинается розыгрыш взяток. Первым ходит ближайший по "
    "часовой стрелке от объявившего вурп игрок, сказавший \"Беру пять\"; если такого нет, первым "
    "ходит сам объявивший. Взявший взятку ходит следующим.",
    "14. Ходить нужно в масть. Если нужной масти нет, нужно бить козырем; если нет и козырей, "
    "можно положить любую карту. Взятку берет старший козырь, а если козырей во взятке нет, то "
    "старшая карта той масти, с которой зашли. Карты по старшинству: шестерка, семерка, восьмерка, "
    "девятка, десятка, валет, дама, король, туз.",
    "15. Банк делится пропорционально взятым взяткам. Объявивший вурп, взявший меньше двух взяток, "
    "кладет в банк сумму, вдвое большую банка сыгранной партии. Помогавший, не взявший ни одной "
    "взятки, кладет в банк сумму, равную этому банку.",
    "16. Если после игры банк оказался пуст, перед следующей сдачей все игроки делают ставки. Если "
    "же в банке остались деньги, например штрафы проигравших, банк не пополняется.",
    "17. Следующую сдачу сдает игрок, объявивший вурп.",
    "", // the last point ends with a line break too
};

// The About panel: a credit, the organisation in parentheses, and where to
// write.
const std::vector<std::string> kAboutLines = {
    "Авторы программы: разработчики Вурпа",
    "(проект «Вурп»)",
    "Ваши замечания, предложения и комментарии",
    "присылайте по адресу vurp@example.org",
    "",
};

// The panels' texts are tested here alone: the golden replays leave them out.
void ExpectLines(const std::string &text, const std::vector<std::string> &expected) {
    EXPECT_FALSE(HasBareBreak(text));
    const std::vector<std::string> lines = Lines(text);
    for (std::size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        EXPECT_EQ(i < lines.size() ? lines[i] : "(no line)",
                  i < expected.size() ? expected[i] : "(no line)")
            << "line " << i + 1;
    }
}

TEST(PanelTexts, RulesHaveTheHeadingAndTheSeventeenPointsInOrder) {
    ExpectLines(RulesText, kRulesLines);
    // Each point is one line, numbered in order.
    const std::vector<std::string> lines = Lines(RulesText);
    ASSERT_EQ(lines.size(), 19u);
    for (std::size_t n = 1; n <= 17; ++n) {
        EXPECT_EQ(lines[n].rfind(std::to_string(n) + ". ", 0), 0u) << "point " << n;
    }
    const int length = Characters(RulesText);
    EXPECT_GT(length, 3300);
    EXPECT_LT(length, 4000);
}

TEST(PanelTexts, AboutIsFourLinesEachEndedByCrLf) {
    ExpectLines(AboutText, kAboutLines);
}

} // namespace
} // namespace vurp::testing
