// Money texts: ReadNumber on any text, the conversion of its number to the
// currency, the exact reader of currency texts and the writing back. Nothing
// wraps around: beyond the range a value saturates with its sign kept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "money.h"

namespace {

using vurp::Currency;
using vurp::fuzz::Require;

// Below this magnitude a double and the currency both hold the value to well
// within a unit of the fourth decimal; at 1e15 and beyond the currency is
// saturated.
constexpr double kExactRange = 9e14;
constexpr double kSaturated = 1e15;

// The distance from `value` to the next double away from zero.
double Spacing(double value) {
    const double magnitude = std::fabs(value);
    return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

bool SameSign(double value, Currency money) {
    return value > 0 ? money.Raw() >= 0 : value < 0 ? money.Raw() <= 0 : money.Raw() == 0;
}

// The currency stands for `value`: rounded to four places, or saturated.
void RequireStandsFor(Currency money, double value, const char *property) {
    Require(SameSign(value, money), property);
    if (std::fabs(value) < kExactRange) {
        const double amount =
            static_cast<double>(money.Raw()) / static_cast<double>(Currency::kScale);
        Require(std::fabs(amount - value) <= 0.00005 + 2 * Spacing(value), property);
    } else if (std::fabs(value) >= kSaturated) {
        Require(money == (value > 0 ? Currency::Max() : Currency::Min()), property);
    }
}

// The sign-reserving form: " " or "-", digits without needless leading
// zeros, and a fraction only when there is one, without trailing zeros.
bool WellWritten(std::string_view text) {
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) {
        return false;
    }
    const std::string_view number = text.substr(1);
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos ||
        (whole.size() > 1 && whole[0] == '0')) {
        return false;
    }
    if (point == std::string_view::npos) {
        return text != "-0";
    }
    const std::string_view fraction = number.substr(point + 1);
    return !fraction.empty() &&
           fraction.find_first_not_of("0123456789") == std::string_view::npos &&
           fraction.back() != '0';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const double value = vurp::ReadNumber(text);
    Require(!std::isnan(value), "ReadNumber gives a number");

    const Currency converted = Currency::FromDouble(value);
    RequireStandsFor(converted, value, "the conversion rounds or saturates, keeping the sign");
    const double above = std::nextafter(value, std::numeric_limits<double>::infinity());
    Require(Currency::FromDouble(above) >= converted, "the conversion never goes down");

    const Currency exact = vurp::ReadCurrency(text);
    RequireStandsFor(exact, value, "the exact reader agrees with ReadNumber");
    for (const Currency money : {converted, exact}) {
        const std::string form = vurp::WriteNumber(money);
        Require(WellWritten(form), "WriteNumber of a currency has the sign-reserving form");
        Require(vurp::ReadCurrency(form) == money, "a written currency reads back the same");
        Require(vurp::ReadCurrency(vurp::PlainDecimal(money)) == money,
                "a plain decimal reads back the same");
        Require(form.substr(form[0] == ' ' ? 1 : 0) == vurp::PlainDecimal(money),
                "the two forms differ only in the sign space");
    }
    return 0;
}
