// Cost of the hand queries and of the computer's card choice on the hands a
// deal produces: fresh four-card hands with their blank position, five-card
// hands after taking five, and the shorter hands of later tricks.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "computer_play.h"
#include "hand_queries.h"
#include "table.h"

namespace vurp {
namespace {

constexpr int Seat = 2;

struct Situation {
    std::string hand;
    std::string trumpsOut;
    std::string lead;
    std::string trickBest;
};

std::vector<Table> Tables() {
    const std::vector<Situation> situations = {
        {"1p2k3b4c  ", "5c", "6k", "6k1"}, {"9c8c2p5k  ", "3c", "4p", "7c3"},
        {"5k6k9p1c  ", "9c", "2k", "2k1"}, {"2c5c6c3c  ", "1c", "9p", "9p1"},
        {"7p2k3b4c9k", "8c", "5b", "5b3"}, {"2k7c3b", "1c9c8c", "4k", "4k1"},
        {"3b8p", "1c6c", "6c", "6c1"},     {"6p9p", "1c", "5p", "5p1"},
    };
    std::vector<Table> tables;
    for (const Situation &s : situations) {
        Table t;
        t.Hands[Seat] = s.hand;
        t.Trump = "c";
        t.TrumpsOut = s.trumpsOut;
        t.Played[1] = s.lead;
        t.Played[4] = s.lead;
        t.LedSuit = s.lead.substr(1, 1);
        t.TrickBest = s.trickBest;
        tables.push_back(t);
    }
    return tables;
}

template <typename Query> void Run(benchmark::State &state, Query query) {
    const std::vector<Table> tables = Tables();
    for (auto _ : state) {
        for (const Table &t : tables) {
            benchmark::DoNotOptimize(query(t));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tables.size()));
}

void BM_SuitCount(benchmark::State &state) {
    Run(state, [](const Table &t) { return SuitCount(t, Seat, t.Trump); });
}
void BM_HighestOfSuit(benchmark::State &state) {
    Run(state, [](const Table &t) { return HighestOfSuit(t, Seat, t.LedSuit); });
}
void BM_LowestBeater(benchmark::State &state) {
    Run(state, [](const Table &t) { return LowestBeater(t, Seat, t.TrickBest); });
}
void BM_LowestSingleton(benchmark::State &state) {
    Run(state, [](const Table &t) { return LowestSingleton(t, Seat); });
}
void BM_HighestOfLongSuit(benchmark::State &state) {
    Run(state, [](const Table &t) { return HighestOfLongSuit(t, Seat); });
}
void BM_FourOfAKindRank(benchmark::State &state) {
    Run(state, [](const Table &t) { return FourOfAKindRank(t, Seat); });
}
void BM_HandWithout(benchmark::State &state) {
    Run(state, [](const Table &t) { return HandWithout(t, Seat, t.Hands[Seat].substr(2, 2)); });
}
void BM_PromotedHand(benchmark::State &state) {
    Run(state, [](const Table &t) { return PromotedHand(t, Seat); });
}
void BM_ChooseFirstLead(benchmark::State &state) {
    Run(state, [](const Table &t) { return ChooseFirstLead(t, Seat); });
}
void BM_ChooseLead(benchmark::State &state) {
    Run(state, [](const Table &t) { return ChooseLead(t, Seat, 3); });
}
void BM_ChooseSecond(benchmark::State &state) {
    Run(state, [](const Table &t) { return ChooseSecond(t, Seat, t.Played[1]); });
}
void BM_ChooseThird(benchmark::State &state) {
    Run(state, [](const Table &t) { return ChooseThird(t, Seat); });
}

BENCHMARK(BM_SuitCount);
BENCHMARK(BM_HighestOfSuit);
BENCHMARK(BM_LowestBeater);
BENCHMARK(BM_LowestSingleton);
BENCHMARK(BM_HighestOfLongSuit);
BENCHMARK(BM_FourOfAKindRank);
BENCHMARK(BM_HandWithout);
BENCHMARK(BM_PromotedHand);
BENCHMARK(BM_ChooseFirstLead);
BENCHMARK(BM_ChooseLead);
BENCHMARK(BM_ChooseSecond);
BENCHMARK(BM_ChooseThird);

} // namespace
} // namespace vurp
