#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cards.h"
#include "event_sentences.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

constexpr std::string_view kNoCard = "--";

// The cards that left the stock between two tables; after a new deal, the
// whole deck.
std::string Drawn(const Table &before, const Table &after) {
    if (after.Deck != before.Deck) {
        return after.Deck;
    }
    if (after.DeckPos <= before.DeckPos) {
        return "";
    }
    return Mid(after.Deck, 2 * before.DeckPos + 1, 2 * (after.DeckPos - before.DeckPos));
}

// Random players press what can be pressed, deal after deal; after every
// press the events it caused must agree with what changed on the table:
// - every balance moves by the settlement amounts told for the seat, less
//   the stakes told;
// - the bank grows by three stakes, or after a settlement holds exactly the
//   penalties told;
// - a trick told goes to the seat that now has one more, and four of a kind
//   to the seat that has four; a settlement's trick count is the seat's;
// - a card told was in the seat's hand (or came from the stock in the same
//   press) and is there no more, and the cards
//   told in a deal, in order, are the cards of its play slots in order.
TEST(Events, AgreeWithTheTable) {
    const auto controls = GameControls();
    std::set<EventKind> seen;
    std::set<SettlementReason> reasons;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        Fixture f;
        f.view.KeepEvents();
        f.random.Seed(seed);
        std::mt19937_64 player(seed);
        const Game &g = f.game;
        std::vector<std::string> cardsThisDeal;
        std::array<int, 4> tricks{};
        for (int press = 1; press <= 4000; ++press) {
            std::vector<std::pair<Control, int>> open;
            for (const auto &c : controls) {
                if (f.Visible(c.first, c.second) && f.Enabled(c.first, c.second)) {
                    open.push_back(c);
                }
            }
            ASSERT_FALSE(open.empty());
            const auto [control, index] = open[player() % open.size()];
            const std::string where =
                "seed " + std::to_string(seed) + " press " + std::to_string(press);
            if (control == Control::Razd) {
                // A slot nobody plays to in this deal stands out.
                f.game.Played.fill(std::string(kNoCard));
                cardsThisDeal.clear();
                tricks = {};
            }
            const Table before = g;
            std::array<Currency, 4> money{};
            for (int s = 1; s <= 3; ++s) {
                money[static_cast<std::size_t>(s)] = f.game.ReadCurrency(Control::Money, s);
            }
            const Currency bank = f.game.ReadCurrency(Control::bank);

            ASSERT_TRUE(f.game.Click(control, index)) << where;
            const std::vector<GameEvent> events = f.view.TakeEvents();

            std::array<Currency, 4> settled{};
            Currency stakes;
            Currency penalties;
            bool settlement = false;
            for (const GameEvent &e : events) {
                seen.insert(e.kind);
                // Every event reads as one tidy sentence.
                const std::string said = Sentence(e);
                EXPECT_TRUE(!said.empty() && said.front() != ' ' && said.back() != ' ' &&
                            said.find("  ") == std::string::npos)
                    << where << ": \"" << said << "\"";
                const auto s = static_cast<std::size_t>(e.seat);
                switch (e.kind) {
                case EventKind::Stakes:
                    EXPECT_EQ(e.amount, g.Stake) << where;
                    stakes = stakes + e.amount;
                    break;
                case EventKind::Settlement:
                    ASSERT_TRUE(e.seat >= 1 && e.seat <= 3) << where;
                    reasons.insert(e.reason);
                    settlement = true;
                    settled[s] = settled[s] + e.amount;
                    if (e.reason != SettlementReason::Share) {
                        penalties = penalties - e.amount;
                    }
                    EXPECT_EQ(e.count, g.Tricks[s]) << where;
                    break;
                case EventKind::Trick:
                    ASSERT_TRUE(e.seat >= 1 && e.seat <= 3) << where;
                    EXPECT_EQ(e.count, ++tricks[s]) << where;
                    break;
                case EventKind::FourOfAKind:
                    tricks[s] = 4;
                    EXPECT_EQ(g.Tricks[s], 4) << where;
                    break;
                case EventKind::Card:
                    ASSERT_TRUE(e.seat >= 1 && e.seat <= 3) << where;
                    EXPECT_TRUE(Holds(before.Hands[s] + Drawn(before, g), e.card))
                        << where << " " << e.card;
                    EXPECT_FALSE(Holds(g.Hands[s], e.card)) << where << " " << e.card;
                    cardsThisDeal.push_back(e.card);
                    break;
                default:
                    break;
                }
            }
            for (int s = 1; s <= 3; ++s) {
                const auto i = static_cast<std::size_t>(s);
                EXPECT_EQ(f.game.ReadCurrency(Control::Money, s), money[i] + settled[i] - stakes)
                    << where << " seat " << s;
                if (!settlement) {
                    EXPECT_EQ(tricks[i], g.Tricks[i]) << where << " seat " << s;
                }
            }
            EXPECT_EQ(f.game.ReadCurrency(Control::bank),
                      settlement ? penalties : bank + stakes * 3)
                << where;
            std::vector<std::string> slots;
            for (int slot = 1; slot <= 12; ++slot) {
                if (g.Played[static_cast<std::size_t>(slot)] != kNoCard) {
                    slots.push_back(g.Played[static_cast<std::size_t>(slot)]);
                }
            }
            EXPECT_EQ(slots, cardsThisDeal) << where;
            if (HasFailure()) {
                return;
            }
        }
    }
    // The players went through every part of a deal.
    for (EventKind kind : {EventKind::Stakes, EventKind::Turned, EventKind::Vurp, EventKind::Pass,
                           EventKind::Help, EventKind::Out, EventKind::GoingFor, EventKind::Answer,
                           EventKind::TakeFive, EventKind::Discard, EventKind::Exchange,
                           EventKind::Card, EventKind::Trick, EventKind::Settlement}) {
        EXPECT_TRUE(seen.contains(kind)) << static_cast<int>(kind);
    }
    EXPECT_EQ(reasons,
              (std::set<SettlementReason>{SettlementReason::Share, SettlementReason::DeclarerShort,
                                          SettlementReason::HelperNoTrick}));
}

// The sentences the status line shows, with their numbers in Russian.
TEST(Events, ReadAsShortRussianSentences) {
    const auto of = [](EventKind kind, int seat) { return GameEvent::Of(kind, seat); };
    const std::pair<GameEvent, std::string> rows[] = {
        {of(EventKind::TakeFive, 3).WithWords("Беру 5 "), "Игрок 3 берёт пять карт"},
        {of(EventKind::Trick, 2).WithCount(1), "Взятку берёт игрок 2 (взяток: 1)"},
        {of(EventKind::Settlement, 3)
             .WithCount(1)
             .WithAmount(Currency::FromInt(-24), SettlementReason::DeclarerShort),
         "Игрок 3: -24, вурп без двух взяток"},
        {of(EventKind::Settlement, 1)
             .WithCount(2)
             .WithAmount(Currency::FromDouble(7.5), SettlementReason::Share),
         "Игрок 1: +7.5, доля банка за 2 взятки"},
        {of(EventKind::Settlement, 2)
             .WithAmount(Currency::FromInt(-12), SettlementReason::HelperNoTrick),
         "Игрок 2: -12, помогал без взятки"},
        {of(EventKind::Exchange, 2).WithCount(1), "Игрок 2 меняет 1 карту"},
        {of(EventKind::Exchange, 1).WithCount(0), "Игрок 1 не меняет карт"},
        {of(EventKind::Draw, 3).WithRank(9).WithCount(3), "Игрок 3 добирает из колоды 3 карты"},
        {of(EventKind::Card, 2).WithCard("9c"), "Игрок 2 ходит: туз червей"},
        {of(EventKind::Discard, 2).WithCard("9c"), "Игрок 2 сбрасывает карту"},
        {of(EventKind::Discard, 1).WithCard("1p"), "Вы сбросили: шестёрка пик"},
        {of(EventKind::Pass, 2).WithWords(" Пас  "), "Игрок 2: Пас"},
        {of(EventKind::Turned, 0).WithCard("6b"), "Открыта карта: валет бубен"},
        {of(EventKind::FourOfAKind, 1).WithRank(7).WithCount(4),
         "Игрок 1 показывает каре (дамы) и берёт все взятки"},
    };
    for (const auto &[event, sentence] : rows) {
        EXPECT_EQ(Sentence(event), sentence);
    }
}

} // namespace
} // namespace vurp::testing
