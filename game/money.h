// Money: the currency type and the two conversions between numbers and the
// texts of the money, bank and stake boxes.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace vurp {

// Signed 64-bit fixed point with four decimal places. Every conversion and
// every sum or product saturates at the limits instead of wrapping.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    static constexpr Currency FromRaw(std::int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // Rounds to four decimal places, half to even; NaN gives 0.
    static Currency FromDouble(double value);
    static Currency FromInt(std::int64_t whole);
    static constexpr Currency Max() { return FromRaw(INT64_MAX); }
    static constexpr Currency Min() { return FromRaw(INT64_MIN); }

    constexpr std::int64_t Raw() const { return raw_; }
    // Rounded to a whole number, half to even.
    Currency RoundedWhole() const;

    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator*(Currency a, std::int64_t factor);
    // Division by a whole number, rounded to four places, half to even.
    friend Currency operator/(Currency a, std::int64_t divisor);
    friend constexpr auto operator<=>(Currency a, Currency b) = default;
    friend constexpr bool operator==(Currency a, Currency b) = default;

private:
    std::int64_t raw_ = 0;
};

// Reads the leading number of a text: spaces, tabs and line feeds anywhere are
// ignored; then an optional sign, digits, an optional "." and digits, and an
// optional exponent are taken as far as they form a number. ".5" reads 0.5,
// "5." reads 5, a lone sign reads 0, "1e" reads 1; a "," or a carriage return
// ends the number. A text without a leading number reads 0. A number beyond
// the range of a double reads as plus or minus infinity.
double ReadNumber(std::string_view text);

// Reads the leading number of a text, by the same rule as ReadNumber, straight
// into the currency from its decimal digits, so that every balance and bank
// text written by WriteNumber or PlainDecimal reads back to the very same
// value. Rounds to four decimal places, half to even, on the digits as typed;
// beyond the range it saturates at Currency::Max() or Currency::Min().
Currency ReadCurrency(std::string_view text);

// The sign-reserving form: a space before a number that is zero or positive,
// "-" before a negative one, then the shortest decimal text with "." as the
// decimal point, no exponent and no trailing zeros (" 12", "-4", " 0.5").
std::string WriteNumber(Currency value);

// The same digits without the sign space: "4", "2.5", "-0.25", "0".
std::string PlainDecimal(Currency value);

} // namespace vurp
