#include "money.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "float_chars.h"

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
    const std::uint64_t remainderSize =
        r < 0 ? 0 - static_cast<std::uint64_t>(r) : static_cast<std::uint64_t>(r);
    const std::uint64_t divisorSize =
        divisor < 0 ? 0 - static_cast<std::uint64_t>(divisor) : static_cast<std::uint64_t>(divisor);
    const bool away = remainderSize > divisorSize - remainderSize ||
                      (remainderSize == divisorSize - remainderSize && (q % 2) != 0);
    if (away) {
        q += ((numerator < 0) != (divisor < 0)) ? -1 : 1;
    }
    return q;
}

// The leading number of a text as its significant digits and the place of
// its decimal point: the value is 0.<digits> times ten to the power point.
struct LeadingNumber {
    bool negative = false;
    std::string digits; // no leading zero; empty for zero or no number
    long long point = 0;
};

// Exponents are clamped here: far beyond any digit count a text can hold, and
// far from overflowing the sums made with it.
constexpr long long kExponentClamp = 1'000'000'000'000'000;

LeadingNumber ScanLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char ch : text) {
        if (ch != ' ' && ch != '\t' && ch != '\n') {
            s += ch;
        }
    }
    const auto isDigit = [&s](std::size_t at) {
        return at < s.size() && s[at] >= '0' && s[at] <= '9';
    };
    LeadingNumber number;
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        number.negative = s[pos] == '-';
        ++pos;
    }
    // Only significant digits count: leading zeros before the point are
    // dropped, and each leading zero after it moves the point one place.
    bool anyDigit = false;
    long long point = 0;
    for (; isDigit(pos); ++pos) {
        anyDigit = true;
        if (number.digits.empty() && s[pos] == '0') {
            continue;
        }
        number.digits += s[pos];
        ++point;
    }
    if (pos < s.size() && s[pos] == '.') {
        for (++pos; isDigit(pos); ++pos) {
            anyDigit = true;
            if (number.digits.empty() && s[pos] == '0') {
                --point;
                continue;
            }
            number.digits += s[pos];
        }
    }
    if (!anyDigit) {
        return LeadingNumber(); // no number at all reads as a plain zero
    }
    if (number.digits.empty()) {
        return number; // zero, with its sign
    }
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t p = pos + 1;
        bool exponentNegative = false;
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
            exponentNegative = s[p] == '-';
            ++p;
        }
        long long exponent = 0;
        for (; isDigit(p); ++p) {
            if (exponent < kExponentClamp) {
                exponent = exponent * 10 + (s[p] - '0');
            }
        }
        exponent = exponent < kExponentClamp ? exponent : kExponentClamp;
        point += exponentNegative ? -exponent : exponent;
    }
    number.point = point;
    return number;
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
        DoubleToChars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
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
    const int wholeDigits = exponent + 5;
    std::uint64_t whole = 0;
    for (int i = 0; i < wholeDigits; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        whole =
            whole * 10 + (at < digits.size() ? static_cast<std::uint64_t>(digits[at] - '0') : 0);
    }
    // Round half to even on the digits that follow.
    const std::size_t first = static_cast<std::size_t>(wholeDigits < 0 ? 0 : wholeDigits);
    if (wholeDigits >= 0 && first < digits.size()) {
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
    const LeadingNumber number = ScanLeadingNumber(text);
    double value = 0.0;
    if (number.digits.empty()) {
        return number.negative ? -value : value;
    }
    // Every value at least 1e400 is beyond a double and every value below
    // 1e-400 rounds to zero; between them from_chars rounds the digits
    // correctly.
    const long long exponent = number.point - 1; // of the first digit
    if (exponent > 400) {
        value = std::numeric_limits<double>::infinity();
    } else if (exponent >= -400) {
        std::string rebuilt;
        rebuilt.reserve(number.digits.size() + 8);
        rebuilt += number.digits[0];
        if (number.digits.size() > 1) {
            rebuilt += '.';
            rebuilt.append(number.digits, 1);
        }
        rebuilt += 'e';
        rebuilt += std::to_string(exponent);
        const auto result = DoubleFromChars(rebuilt.data(), rebuilt.data() + rebuilt.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            value = exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
        } else if (result.ec != std::errc()) {
            value = 0.0;
        }
    }
    return number.negative ? -value : value;
}

Currency ReadCurrency(std::string_view text) {
    const LeadingNumber number = ScanLeadingNumber(text);
    if (number.digits.empty()) {
        return Currency();
    }
    const std::string &digits = number.digits;
    // Digits of the scaled value before its decimal point. The first digit is
    // not zero, so twenty of them are already beyond the range.
    const long long wholeDigits = number.point + 4;
    if (wholeDigits > 19) {
        return Saturated(number.negative);
    }
    std::uint64_t whole = 0;
    for (long long i = 0; i < wholeDigits; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        whole =
            whole * 10 + (at < digits.size() ? static_cast<std::uint64_t>(digits[at] - '0') : 0);
    }
    // Round half to even on the digits that follow. When no digit follows, or
    // the first one lies beyond the fifth decimal, the next digit is a zero.
    if (wholeDigits >= 0 && static_cast<unsigned long long>(wholeDigits) < digits.size()) {
        const std::size_t first = static_cast<std::size_t>(wholeDigits);
        const char next = digits[first];
        const bool beyond = digits.find_first_not_of('0', first + 1) != std::string::npos;
        if (next > '5' || (next == '5' && (beyond || whole % 2 == 1))) {
            ++whole;
        }
    }
    constexpr std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX);
    if (whole > limit + (number.negative ? 1 : 0)) {
        return Saturated(number.negative);
    }
    if (number.negative) {
        return Currency::FromRaw(whole == limit + 1 ? INT64_MIN
                                                    : -static_cast<std::int64_t>(whole));
    }
    return Currency::FromRaw(static_cast<std::int64_t>(whole));
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
