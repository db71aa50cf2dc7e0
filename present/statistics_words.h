// What the statistics panel says and where its chart's axes stand, the same
// in the window and on the web page: the seats' names, the money table's
// rows, the counts with their hints, the chart in words for a screen reader,
// the notes under the counts, and the ticks of both axes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "statistics.h"

namespace vurp {

// The seats as the chart's legend and the money table's columns name them.
inline constexpr std::array<std::string_view, 3> kStatisticsSeatNames = {"Игрок 1 (вы)", "Игрок 2",
                                                                         "Игрок 3"};

// A row of the counts: its name, what it means where the name is short
// ("" where it says enough), and its value in a tally.
struct CountRow {
    std::string_view name;
    std::string_view hint;
    std::string (*value)(const Tally &);
};
extern const std::array<CountRow, 12> kCountRows;

// The name of row `row` of the money table: "Начало", then "Раздача N", the
// deal still being played marked " (идёт)".
std::string MoneyRowName(std::size_t row, bool underWay);

// What the chart shows, in words: where every seat's money stands after the
// last deal, or in the deal under way.
std::string ChartDescription(const std::vector<Balances> &series, bool lastUnderWay);

// The notes under the counts: the game under way is not kept, so that it is
// all the games there are; and how many games could not be read.
inline constexpr std::string_view kNotKeptNote =
    "Эта игра не сохраняется, поэтому в «Все игры» вошла только она.";
std::string UnreadableNote(int unreadable);

// An amount as the chart draws it.
double MoneyValue(Currency amount);

// 1, 2 or 5 times a power of ten, no less than `rough`; 1 for a `rough` that
// is not a positive finite number.
double NiceStep(double rough);

// A tick's value with as many decimals as its step needs (at most four),
// never "-0".
std::string TickText(double value, double step);

// The money axis: from the lowest balance to the highest, 0 always in,
// rounded out to a step that gives at most about `maxTicks` intervals
// (between 1 and 1000 whatever is asked); `ticks` intervals of `step` from
// `low` to `high`.
struct MoneyScale {
    double low = 0;
    double high = 1;
    double step = 1;
    int ticks = 1;
};
MoneyScale MoneyAxis(const std::vector<Balances> &series, double maxTicks);

// Every how many deals the deal axis is labelled when `maxLabels` labels
// have room along it.
int DealStep(int deals, double maxLabels);

} // namespace vurp
