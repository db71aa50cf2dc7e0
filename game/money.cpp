#include "money.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vurp {

namespace {

Currency Saturated(bool negative) {
    return negative ? Currency::Min() : Currency::Max();
}

// Rounds a quotient of whole numbers to the nearest, half to even.
std::int64_t DivideHalfEven(std::int64_t numerator, std::int64_t divisor) {
    std::int64_t q = numerator / divisor;
    std::int64_t r = numerator % divisor;
    if (r == 0) {
        return q;
    }
    // Compare |2r| with |divisor| without overflowing.
    const std::uint64_t abs_r =
        r < 0 ? 0 - static_cast<std::uint64_t>(r) : static_cast<std::uint64_t>(r);
    const std::uint64_t abs_d =
        divisor < 0 ? 0 - static_cast<std::uint64_t>(divisor) : static_cast<std::uint64_t>(divisor);
    const bool away = abs_r > abs_d - abs_r || (abs_r == abs_d - abs_r && (q % 2) != 0);
    if (away) {
        q += ((numerator < 0) != (divisor < 0)) ? -1 : 1;
    }
    return q;
}

} // namespace

Currency Currency::FromDouble(double value) {
    if (std::isnan(value)) {
        return Currency();
    }
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15) {
        return value == 0.0 ? Currency() : Saturated(negative);
    }
    // Round the shortest decimal text of the value, not its binary expansion,
    // so that a typed 0.00015 rounds to even like the text it was read from.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') {
            digits += text[i];
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    // Digits of the scaled value before its decimal point.
    const int whole_digits = exponent + 5;
    std::uint64_t whole = 0;
    for (int i = 0; i < whole_digits; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        whole =
            whole * 10 + (at < digits.size() ? static_cast<std::uint64_t>(digits[at] - '0') : 0);
    }
    // Round half to even on the digits that follow.
    const std::size_t first = static_cast<std::size_t>(whole_digits < 0 ? 0 : whole_digits);
    if (whole_digits >= 0 && first < digits.size()) {
        const char next = digits[first];
        const bool beyond = digits.find_first_not_of('0', first + 1) != std::string::npos;
        if (next > '5' || (next == '5' && (beyond || whole % 2 == 1))) {
            ++whole;
        }
    }
    constexpr std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX);
    if (whole > limit + (negative ? 1 : 0)) {
        return Saturated(negative);
    }
    if (negative) {
        return FromRaw(whole == limit + 1 ? INT64_MIN : -static_cast<std::int64_t>(whole));
    }
    return FromRaw(static_cast<std::int64_t>(whole));
}

Currency Currency::FromInt(std::int64_t whole) {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(whole, kScale, &raw)) {
        return Saturated(whole < 0);
    }
    return FromRaw(raw);
}

double Currency::ToDouble() const {
    return static_cast<double>(raw_) / static_cast<double>(kScale);
}

Currency Currency::RoundedWhole() const {
    const std::int64_t whole = DivideHalfEven(raw_, kScale);
    return FromInt(whole);
}

Currency operator+(Currency a, Currency b) {
    std::int64_t raw = 0;
    if (__builtin_add_overflow(a.raw_, b.raw_, &raw)) {
        return Saturated(b.raw_ < 0);
    }
    return Currency::FromRaw(raw);
}

Currency operator-(Currency a, Currency b) {
    std::int64_t raw = 0;
    if (__builtin_sub_overflow(a.raw_, b.raw_, &raw)) {
        return Saturated(b.raw_ > 0);
    }
    return Currency::FromRaw(raw);
}

Currency operator*(Currency a, std::int64_t factor) {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(a.raw_, factor, &raw)) {
        return Saturated((a.raw_ < 0) != (factor < 0));
    }
    return Currency::FromRaw(raw);
}

Currency operator/(Currency a, std::int64_t divisor) {
    if (divisor == 0) {
        return a.raw_ == 0 ? Currency() : Saturated(a.raw_ < 0);
    }
    if (divisor == -1) {
        return Currency() - a;
    }
    return Currency::FromRaw(DivideHalfEven(a.raw_, divisor));
}

double ReadNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char ch : text) {
        if (ch != ' ' && ch != '\t' && ch != '\n') {
            s += ch;
        }
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }
    // The number is rebuilt in a form from_chars takes: digits, an optional
    // fraction and an optional exponent, never an empty part.
    std::string mantissa;
    int int_digits = 0; // significant digits before the point
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        if (!(mantissa.empty() && s[pos] == '0')) {
            ++int_digits;
        }
        mantissa += s[pos++];
    }
    std::string fraction;
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
            fraction += s[pos++];
        }
    }
    if (mantissa.empty() && fraction.empty()) {
        return 0.0;
    }
    std::string exponent;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t p = pos + 1;
        std::string sign;
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
            sign = s[p];
            ++p;
        }
        std::string digits;
        while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
            digits += s[p++];
        }
        if (!digits.empty()) {
            exponent = sign + digits;
        }
    }
    std::string number = (mantissa.empty() ? "0" : mantissa);
    if (!fraction.empty()) {
        number += "." + fraction;
    }
    if (!exponent.empty()) {
        number += "e" + exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide by the magnitude's
        // decimal exponent. All-zero digits never get here.
        long long decimal_exponent = int_digits > 0 ? int_digits - 1 : -1;
        if (!exponent.empty()) {
            const bool exp_negative = exponent[0] == '-';
            const bool huge = exponent.size() > 12;
            long long e = 0;
            if (!huge) {
                std::from_chars(exponent.data() + (exponent[0] == '-' || exponent[0] == '+'),
                                exponent.data() + exponent.size(), e);
            }
            if (huge) {
                decimal_exponent = exp_negative ? -1 : 1;
            } else {
                decimal_exponent += exp_negative ? -e : e;
            }
        }
        value = decimal_exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string WriteNumber(double value) {
    if (!std::isfinite(value)) {
        return WriteNumber(Currency::FromDouble(value));
    }
    if (value == 0.0) {
        return " 0";
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string digits(buffer, result.ptr);
    return (value < 0 ? "-" : " ") + digits;
}

std::string PlainDecimal(Currency value) {
    const std::int64_t raw = value.Raw();
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const std::uint64_t whole = magnitude / Currency::kScale;
    std::uint64_t fraction = magnitude % Currency::kScale;
    std::string text = (raw < 0 ? "-" : "") + std::to_string(whole);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') {
            digits.pop_back();
        }
        text += "." + digits;
    }
    return text;
}

std::string WriteNumber(Currency value) {
    const std::string text = PlainDecimal(value);
    return value.Raw() < 0 ? text : " " + text;
}

} // namespace vurp
