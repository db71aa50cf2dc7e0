#include "statistics_words.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vurp {

namespace {

std::string Number(std::int64_t count) {
    return std::to_string(count);
}

constexpr std::string_view kNone = "—";

} // namespace

const std::array<CountRow, 12> kCountRows = {
    CountRow{"Игры", "Игры, в которых были розданы карты",
             [](const Tally &t) { return Number(t.games); }},
    CountRow{"Раздачи", "Раздачи, доигранные до расчёта",
             [](const Tally &t) { return Number(t.deals); }},
    CountRow{"Вы объявляли", "Раздачи, где вы сказали «Вурп», «Вертолет» или первым пошли за каре",
             [](const Tally &t) { return Number(t.declared); }},
    CountRow{"   из них выиграли", "Взяли две взятки и больше, объявив игру",
             [](const Tally &t) { return Number(t.declaredWon); }},
    CountRow{"Вы помогали", "«Помогу», помощь вертолету или «Помогу, иду за…»",
             [](const Tally &t) { return Number(t.helped); }},
    CountRow{"Вы брали пять", "", [](const Tally &t) { return Number(t.tookFive); }},
    CountRow{"Вы шли за каре", "", [](const Tally &t) { return Number(t.wentFor); }},
    CountRow{"   из них собрали каре",
             "Показали каре того достоинства, за которым шли, и взяли все взятки",
             [](const Tally &t) { return Number(t.gotFour); }},
    CountRow{"Ваши вертолеты", "", [](const Tally &t) { return Number(t.helicopters); }},
    CountRow{"Самый большой банк", "Самая большая доля банка, которую вы взяли за раздачу",
             [](const Tally &t) {
                 return t.largestBank ? PlainDecimal(*t.largestBank) : std::string(kNone);
             }},
    CountRow{
        "Больше всего денег", "Ваши деньги в начале игры или после раздачи, наибольшие",
        [](const Tally &t) { return t.games > 0 ? PlainDecimal(t.best) : std::string(kNone); }},
    CountRow{
        "Меньше всего денег", "Ваши деньги в начале игры или после раздачи, наименьшие",
        [](const Tally &t) { return t.games > 0 ? PlainDecimal(t.worst) : std::string(kNone); }},
};

std::string MoneyRowName(std::size_t row, bool underWay) {
    if (row == 0) {
        return "Начало";
    }
    return "Раздача " + std::to_string(row) + (underWay ? " (идёт)" : "");
}

std::string ChartDescription(const std::vector<Balances> &series, bool lastUnderWay) {
    if (series.size() < 2) {
        return "Раздач в этой игре ещё не было";
    }
    std::string text = lastUnderWay ? "Идёт раздача " : "После раздачи ";
    text += std::to_string(series.size() - 1) + ": ";
    for (std::size_t s = 0; s < 3; ++s) {
        text += (s > 0 ? ", " : "") + std::string(kStatisticsSeatNames[s]) + " " +
                PlainDecimal(series.back()[s]);
    }
    return text;
}

std::string UnreadableNote(int unreadable) {
    return "Записей игр, которые не удалось прочитать: " + std::to_string(unreadable) +
           ". Они не учтены.";
}

double MoneyValue(Currency amount) {
    return static_cast<double>(amount.Raw()) / static_cast<double>(Currency::kScale);
}

double NiceStep(double rough) {
    if (!(rough > 0) || !std::isfinite(rough)) {
        return 1;
    }
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) {
            return m * power;
        }
    }
    return 10 * power;
}

std::string TickText(double value, double step) {
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 4);
    // No "-0" for a tick that rounds to zero.
    const double shown = std::abs(value) < step / 2 ? 0.0 : value;
    const int size = std::snprintf(nullptr, 0, "%.*f", decimals, shown);
    if (size <= 0) {
        return "0";
    }
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, shown);
    text.resize(static_cast<std::size_t>(size));
    // Nor for one finer than four decimals show.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

MoneyScale MoneyAxis(const std::vector<Balances> &series, double maxTicks) {
    MoneyScale scale;
    double low = 0;
    double high = 0;
    for (const Balances &point : series) {
        for (const Currency amount : point) {
            low = std::min(low, MoneyValue(amount));
            high = std::max(high, MoneyValue(amount));
        }
    }
    if (high - low < 1e-9) {
        high = low + 1;
    }
    // However much room is claimed, no more ticks than a screen can tell apart.
    const double intervals = maxTicks >= 1 ? std::min(maxTicks, 1000.0) : 1.0;
    scale.step = NiceStep((high - low) / intervals);
    scale.low = std::floor(low / scale.step) * scale.step;
    scale.high = std::ceil(high / scale.step) * scale.step;
    scale.ticks = static_cast<int>(std::lround((scale.high - scale.low) / scale.step));
    return scale;
}

int DealStep(int deals, double maxLabels) {
    const double labels = maxLabels >= 1 ? maxLabels : 1.0;
    return std::max(1, static_cast<int>(std::ceil(NiceStep(deals / labels))));
}

} // namespace vurp
