// vurp-check [--seed N] [--events N] [--seeds N] [--script]: plays N events
// of random games, split over the given number of games with consecutive
// seeds from --seed, checks the table after every event and prints every
// failure with the replay script that reproduces it. With --script the run is
// one game, whose whole replay script goes to standard output and everything
// else to standard error: a long random script for other tools to replay.
// The counts run from 1 to 10^12, far beyond any run that ends in a lifetime
// and far below any sum that could overflow. Exit status 0 when nothing was
// found, 1 when something was, 2 for bad arguments.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "random_player.h"

namespace {

constexpr long long kEventsPerGame = 10000;
// The largest count of events or games: every sum the run makes of counts
// (events, cards played, events per game) stays far inside a long long.
constexpr long long kMaxCount = 1'000'000'000'000;

struct Arguments {
    std::uint64_t seed = 1;
    long long events = 1'000'000;
    std::optional<long long> seeds;
    bool script = false;
};

template <typename Number> std::optional<Number> Whole(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The arguments, or the one line that says what is wrong with them.
std::variant<Arguments, std::string> Parse(int argc, char **argv) {
    const std::string usage = "usage: vurp-check [--seed N] [--events N] [--seeds N] [--script]   "
                              "(counts from 1 to " +
                              std::to_string(kMaxCount) + ")";
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--script") {
            args.script = true;
            continue;
        }
        if (i + 1 >= argc) {
            return usage;
        }
        const std::string_view value = argv[++i];
        if (option == "--seed") {
            const auto seed = Whole<std::uint64_t>(value);
            if (!seed) {
                return "vurp-check: --seed takes a whole number from 0 to " +
                       std::to_string(UINT64_MAX);
            }
            args.seed = *seed;
        } else if (option == "--events" || option == "--seeds") {
            const auto count = Whole<long long>(value);
            if (!count || *count < 1 || *count > kMaxCount) {
                return "vurp-check: " + std::string(option) + " takes a whole number from 1 to " +
                       std::to_string(kMaxCount);
            }
            (option == "--events" ? args.events : args.seeds.emplace()) = *count;
        } else {
            return usage;
        }
    }
    return args;
}

} // namespace

int main(int argc, char **argv) {
    const auto parsed = Parse(argc, argv);
    if (const auto *problem = std::get_if<std::string>(&parsed)) {
        std::cerr << *problem << '\n';
        return 2;
    }
    const Arguments *args = &std::get<Arguments>(parsed);
    const long long games = std::min(
        args->events, args->seeds.value_or((args->events + kEventsPerGame - 1) / kEventsPerGame));
    if (args->script && games != 1) {
        std::cerr << "vurp-check: --script writes one game: give --seeds 1 or at most "
                  << kEventsPerGame << " events\n";
        return 2;
    }
    if (args->seed > UINT64_MAX - static_cast<std::uint64_t>(games - 1)) {
        std::cerr << "vurp-check: the seeds from " << args->seed << " run past the largest seed\n";
        return 2;
    }

    // With --script standard output holds the script alone.
    std::ostream &out = args->script ? std::cerr : std::cout;
    vurp::check::GameReport total;
    long long failures = 0;
    long long moneyCountedToTheEnd = 0;
    long long moneyUnchecked = 0; // events after the money came near the limit
    const auto start = std::chrono::steady_clock::now();
    for (long long g = 0; g < games; ++g) {
        const long long events = args->events / games + (g < args->events % games ? 1 : 0);
        const auto report = vurp::check::CheckGame(args->seed + static_cast<std::uint64_t>(g),
                                                   events, args->script);
        if (!report.failure.empty()) {
            ++failures;
            out << vurp::check::Describe(report) << std::flush;
        } else if (args->script) {
            std::cout << report.script << std::flush;
        }
        total.events += report.events;
        total.shuffles += report.shuffles;
        total.plays += report.plays;
        total.refused += report.refused;
        total.typed += report.typed;
        total.rareDecks += report.rareDecks;
        total.replayed += report.replayed;
        total.maxDeckPos = std::max(total.maxDeckPos, report.maxDeckPos);
        moneyCountedToTheEnd += report.moneyUncheckedFrom < 0 ? 1 : 0;
        moneyUnchecked +=
            report.moneyUncheckedFrom < 0 ? 0 : report.events - report.moneyUncheckedFrom;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    out << total.events << " events in " << games << " games (seeds " << args->seed << ".."
        << args->seed + static_cast<std::uint64_t>(games - 1) << "): " << total.shuffles
        << " shuffles, " << total.plays << " cards played, " << total.refused << " refused clicks, "
        << total.typed << " typed stakes, " << total.rareDecks << " rare decks; highest DeckPos "
        << total.maxDeckPos << ".\n"
        << total.replayed << " events replayed by the driver's code; money counted to the"
        << " end in " << moneyCountedToTheEnd << " of " << games << " games (not counted for "
        << moneyUnchecked << " events near the currency's limit).\n"
        << failures << (failures == 1 ? " game" : " games") << " with a failure; " << seconds
        << " s, "
        << static_cast<long long>(static_cast<double>(total.events) / std::max(seconds, 1e-9))
        << " events/s.\n";
    return failures == 0 ? 0 : 1;
}
