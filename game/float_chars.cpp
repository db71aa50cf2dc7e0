#include "float_chars.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

namespace vurp {

namespace {

// A decimal of 1 to 17 significant digits: digits[0] is not zero, and the
// value is 0.d1d2...dn times ten to the power exponent + 1.
struct Decimal {
    char digits[17] = {};
    int count = 0;
    int exponent = 0; // of the first digit
};

constexpr int kMaxDigits = 17; // enough for every double to read back

// The longest fixed text of a double, the smallest subnormal's, is 343
// characters with its sign; the largest whole double has 309 digits.
constexpr std::size_t kLongestText = 400;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The `count` significant digits nearest to a positive finite value.
Decimal Rounded(double magnitude, int count) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", count - 1, magnitude);
    Decimal d;
    const char *p = text;
    for (; *p != 'e'; ++p) {
        if (IsDigit(*p)) {
            d.digits[d.count++] = *p;
        }
    }
    ++p; // past the 'e'
    p += *p == '+' ? 1 : 0;
    std::from_chars(p, p + std::strlen(p), d.exponent);
    return d;
}

// The decimal as scientific text, without a terminating zero.
char *WriteScientific(char *out, const Decimal &d) {
    *out++ = d.digits[0];
    if (d.count > 1) {
        *out++ = '.';
        out = std::copy(d.digits + 1, d.digits + d.count, out);
    }
    *out++ = 'e';
    *out++ = d.exponent < 0 ? '-' : '+';
    const int size = d.exponent < 0 ? -d.exponent : d.exponent;
    if (size < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, out + 4, size).ptr;
}

double ValueOf(const Decimal &d) {
    char text[40];
    *WriteScientific(text, d) = '\0';
    return std::strtod(text, nullptr);
}

// One more in the last digit: 1.29 becomes 1.30, 9.99 becomes 1.00e+1.
void Increment(Decimal &d) {
    int at = d.count - 1;
    while (at >= 0 && d.digits[at] == '9') {
        d.digits[at--] = '0';
    }
    if (at >= 0) {
        ++d.digits[at];
        return;
    }
    d.digits[0] = '1';
    ++d.exponent;
}

// The `count` digits nearest to the value, cut from its `full` 17 digits.
// Only a cut right before a 5 and nothing but zeros may round otherwise than
// the value itself would: there the value is asked again.
Decimal Cut(double magnitude, const Decimal &full, int count) {
    const char *rest = full.digits + count;
    const char *end = full.digits + full.count;
    if (*rest == '5' && std::all_of(rest + 1, end, [](char c) { return c == '0'; })) {
        return Rounded(magnitude, count);
    }
    Decimal d = full;
    d.count = count;
    if (*rest >= '5') {
        Increment(d);
    }
    return d;
}

// The decimal of `count` digits nearest to the value that reads back as it,
// if there is one. Next to a power of two the doubles below lie twice as
// close as those above: the nearest decimal may fall just below the values
// that read back while the one above it is among them.
std::optional<Decimal> Nearest(double magnitude, const Decimal &full, int count) {
    Decimal d = Cut(magnitude, full, count);
    const double back = ValueOf(d);
    if (back == magnitude) {
        return d;
    }
    if (back < magnitude) {
        Increment(d);
        if (ValueOf(d) == magnitude) {
            return d;
        }
    }
    return std::nullopt;
}

// Exact arithmetic for the doubles the game meets most, its draws and its
// money: from 2^-16 up to 2^53 every comparison between a double and a
// decimal of up to 19 digits fits in 128 bits. The C library's conversions
// work in long double, which WebAssembly computes in software, slowly.
__extension__ typedef unsigned __int128 Wide;

constexpr double kFastLow = 0x1.0p-16;
constexpr double kFastHigh = 0x1.0p53;
constexpr int kFastScale = 21; // the largest power of ten a fast comparison takes

// Ten to the powers 0 to 22, all that a double holds exactly.
constexpr auto kPowersOfTen = [] {
    std::array<Wide, 23> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}();

Wide Pow10(int n) {
    return kPowersOfTen[static_cast<std::size_t>(n)];
}

// A positive double as m * 2^k with m from 2^52 up to 2^53.
struct Binary {
    std::uint64_t m = 0;
    int k = 0;
};

Binary Split(double value) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    return {static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
}

// The sign of d * 10^-s - n * 2^e, for e < 0 and the sizes of the fast range.
int Compare(Wide d, int s, Wide n, int e) {
    Wide left = d << -e;
    Wide right = n;
    (s >= 0 ? right : left) *= Pow10(s >= 0 ? s : -s);
    return left < right ? -1 : (left > right ? 1 : 0);
}

// Whether d * 10^-s reads back as b: it lies between the midpoints to the
// neighbouring doubles, or on one of them when b's m is even (a tie goes to
// the even neighbour). Below a power of two the neighbour is half as far.
bool ReadsBackAs(Wide d, int s, const Binary &b) {
    const bool even = b.m % 2 == 0;
    const int above = Compare(d, s, 2 * Wide{b.m} + 1, b.k - 1);
    const int below = b.m == 1ULL << 52 ? Compare(d, s, 4 * Wide{b.m} - 1, b.k - 2)
                                        : Compare(d, s, 2 * Wide{b.m} - 1, b.k - 1);
    return (above < 0 || (above == 0 && even)) && (below > 0 || (below == 0 && even));
}

Decimal ToDecimal(std::uint64_t d, int count, int exponent) {
    Decimal decimal;
    decimal.count = count;
    decimal.exponent = exponent;
    for (int i = count - 1; i >= 0; --i) {
        decimal.digits[i] = static_cast<char>('0' + static_cast<int>(d % 10));
        d /= 10;
    }
    return decimal;
}

// n * 2^e * 10^s (e < 0, 0 <= s <= 22, n below 2^54) as its whole part and
// whether anything follows the point.
struct Scaled {
    std::uint64_t whole = 0;
    bool fraction = false;
};

Scaled Scale(std::uint64_t n, int e, int s) {
    const Wide exact = Wide{n} * Pow10(s);
    return {static_cast<std::uint64_t>(exact >> -e), (exact & ((Wide{1} << -e) - 1)) != 0};
}

// The sign of c - x for a whole number c and x as Scale gives it.
int Compare(std::uint64_t c, const Scaled &x) {
    if (c != x.whole) {
        return c < x.whole ? -1 : 1;
    }
    return x.fraction ? -1 : 0;
}

// The shortest digits of a value of the fast range, found as Shortest finds
// them. The value and the midpoints to its neighbours are scaled once to 18
// digits, exactly; every candidate is then rounded and compared in 64 bits.
Decimal FastShortest(double magnitude) {
    constexpr int kScaledDigits = kMaxDigits + 1;
    const Binary b = Split(magnitude);
    // The exponent of the first digit, once the logarithm is corrected.
    auto first = static_cast<int>(std::floor(std::log10(magnitude)));
    Scaled value = Scale(b.m, b.k, kScaledDigits - 1 - first);
    if (value.whole >= static_cast<std::uint64_t>(Pow10(kScaledDigits)) ||
        value.whole < static_cast<std::uint64_t>(Pow10(kScaledDigits - 1))) {
        first += value.whole >= static_cast<std::uint64_t>(Pow10(kScaledDigits)) ? 1 : -1;
        value = Scale(b.m, b.k, kScaledDigits - 1 - first);
    }
    const int scale = kScaledDigits - 1 - first;
    // Below a power of two the neighbour is half as far.
    const Scaled above = Scale(2 * b.m + 1, b.k - 1, scale);
    const Scaled below =
        b.m == 1ULL << 52 ? Scale(4 * b.m - 1, b.k - 2, scale) : Scale(2 * b.m - 1, b.k - 1, scale);
    // A midpoint itself reads back as the neighbour with the even m.
    const bool even = b.m % 2 == 0;
    const auto readsBack = [&](std::uint64_t c) {
        const int up = Compare(c, above);
        const int down = Compare(c, below);
        return (up < 0 || (up == 0 && even)) && (down > 0 || (down == 0 && even));
    };
    const auto nearest = [&](int count) -> std::optional<Decimal> {
        const auto unit = static_cast<std::uint64_t>(Pow10(kScaledDigits - count));
        std::uint64_t d = value.whole / unit;
        const std::uint64_t rest = value.whole % unit;
        if (rest > unit / 2 || (rest == unit / 2 && (value.fraction || d % 2 == 1))) {
            ++d;
        }
        if (!readsBack(d * unit)) {
            if (Compare(d * unit, value) > 0 || !readsBack(++d * unit)) {
                return std::nullopt;
            }
        }
        // Rounded up to the next power of ten: one digit more, all zeros.
        return d == static_cast<std::uint64_t>(Pow10(count)) ? ToDecimal(d / 10, count, first + 1)
                                                             : ToDecimal(d, count, first);
    };
    Decimal best = *nearest(kMaxDigits);
    int low = 1;
    int high = kMaxDigits;
    while (low < high) {
        const int middle = high > kMaxDigits - 2 ? high - 1 : (low + high) / 2;
        if (auto shorter = nearest(middle)) {
            best = *shorter;
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return best;
}

// The double nearest to d * 10^e, when it can be had without the C library:
// the ten powers a double holds exactly give it at once for d up to 2^53,
// and within the fast range a near guess is corrected by exact comparison.
std::optional<double> FastValue(std::uint64_t d, int e) {
    constexpr std::uint64_t kExact = 1ULL << 53;
    if (e < -22 || e > 22) {
        return std::nullopt;
    }
    const auto power = static_cast<double>(Pow10(e >= 0 ? e : -e));
    double guess = e >= 0 ? static_cast<double>(d) * power : static_cast<double>(d) / power;
    if (d <= kExact) {
        return guess;
    }
    if (e >= 0 || e < -kFastScale) {
        return std::nullopt;
    }
    for (int step = 0; step < 3 && guess >= kFastLow && guess < kFastHigh; ++step) {
        const Binary b = Split(guess);
        if (ReadsBackAs(d, -e, b)) {
            return guess;
        }
        guess = std::nextafter(guess, Compare(d, -e, b.m, b.k) > 0 ? HUGE_VAL : 0.0);
    }
    return std::nullopt;
}

// The fewest digits that read back as a positive finite value, the nearest
// of them. When some count of digits reads back, every longer one does, so
// the count is found by halving; most doubles need 16 or 17 digits, and
// those are tried first. Seventeen digits always read back.
Decimal Shortest(double magnitude) {
    const Decimal full = Rounded(magnitude, kMaxDigits);
    Decimal best = full;
    int low = 1;
    int high = kMaxDigits;
    while (low < high) {
        const int middle = high > kMaxDigits - 2 ? high - 1 : (low + high) / 2;
        if (auto shorter = Nearest(magnitude, full, middle)) {
            best = *shorter;
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return best;
}

char *WriteFixed(char *out, double magnitude, const Decimal &d) {
    if (d.exponent >= d.count - 1) {
        // A whole number is written with all its digits, as printf writes it.
        return out + std::snprintf(out, kLongestText - 1, "%.0f", magnitude);
    }
    if (d.exponent >= 0) {
        out = std::copy(d.digits, d.digits + d.exponent + 1, out);
        *out++ = '.';
        return std::copy(d.digits + d.exponent + 1, d.digits + d.count, out);
    }
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -d.exponent - 1, '0');
    return std::copy(d.digits, d.digits + d.count, out);
}

// Case-insensitive: does `text` start with the lower-case `word`?
bool StartsWithWord(const char *first, const char *last, std::string_view word) {
    if (static_cast<std::size_t>(last - first) < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = first[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != word[i]) {
            return false;
        }
    }
    return true;
}

// "inf", "infinity" or "nan" with an optional "(chars)", any case; the end of
// what was read, or `first` when none of them is there.
const char *SpecialEnd(const char *first, const char *last, double &special) {
    if (StartsWithWord(first, last, "infinity")) {
        special = HUGE_VAL;
        return first + 8;
    }
    if (StartsWithWord(first, last, "inf")) {
        special = HUGE_VAL;
        return first + 3;
    }
    if (!StartsWithWord(first, last, "nan")) {
        return first;
    }
    special = std::nan("");
    const char *p = first + 3;
    if (p == last || *p != '(') {
        return p;
    }
    const char *q = p + 1;
    while (q != last &&
           (IsDigit(*q) || *q == '_' || (*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z'))) {
        ++q;
    }
    return q != last && *q == ')' ? q + 1 : p;
}

} // namespace

std::to_chars_result FallbackDoubleToChars(char *first, char *last, double value,
                                           std::chars_format format) {
    if (format != std::chars_format::fixed && format != std::chars_format::scientific) {
        return {last, std::errc::invalid_argument};
    }
    char text[kLongestText];
    char *out = text;
    if (std::signbit(value)) {
        *out++ = '-';
    }
    const double magnitude = std::fabs(value);
    if (std::isnan(value) || std::isinf(value)) {
        out = std::copy_n(std::isnan(value) ? "nan" : "inf", 3, out);
    } else if (magnitude == 0.0) {
        out = std::copy_n(format == std::chars_format::fixed ? "0" : "0e+00",
                          format == std::chars_format::fixed ? 1 : 5, out);
    } else {
        const Decimal d = magnitude >= kFastLow && magnitude < kFastHigh ? FastShortest(magnitude)
                                                                         : Shortest(magnitude);
        out = format == std::chars_format::fixed ? WriteFixed(out, magnitude, d)
                                                 : WriteScientific(out, d);
    }
    const auto size = out - text;
    if (size > last - first) {
        return {last, std::errc::value_too_large};
    }
    return {std::copy(text, out, first), std::errc()};
}

std::from_chars_result FallbackDoubleFromChars(const char *first, const char *last, double &value,
                                               std::chars_format format) {
    if (format != std::chars_format::general && format != std::chars_format::fixed &&
        format != std::chars_format::scientific) {
        return {first, std::errc::invalid_argument};
    }
    const bool negative = first != last && *first == '-';
    const char *p = first + (negative ? 1 : 0);
    double special = 0.0;
    if (const char *end = SpecialEnd(p, last, special); end != p) {
        value = negative ? -special : special;
        return {end, std::errc()};
    }
    int digits = 0;
    bool nonzero = false;
    // The significant digits as a whole number while it has at most 19 of
    // them, and how many digits stand after the point.
    std::uint64_t whole = 0;
    int significant = 0;
    int fractionDigits = 0;
    const auto skipDigits = [&](bool fraction) {
        for (; p != last && IsDigit(*p); ++p) {
            ++digits;
            nonzero = nonzero || *p != '0';
            fractionDigits += fraction ? 1 : 0;
            if (nonzero && ++significant <= 19) {
                whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
            }
        }
    };
    skipDigits(false);
    if (p != last && *p == '.') {
        ++p;
        skipDigits(true);
    }
    if (digits == 0) {
        return {first, std::errc::invalid_argument};
    }
    // An exponent counts only when it has digits: "1e+" reads as 1.
    const char *mantissaEnd = p;
    int power = 0;
    if (format != std::chars_format::fixed && p != last && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        q += q != last && (*q == '+' || *q == '-') ? 1 : 0;
        if (q != last && IsDigit(*q)) {
            const bool down = q[-1] == '-';
            int exponent = 0;
            for (; q != last && IsDigit(*q); ++q) {
                exponent = std::min(exponent * 10 + (*q - '0'), 100000);
            }
            power = down ? -exponent : exponent;
            p = q;
        }
    }
    if (format == std::chars_format::scientific && p == mantissaEnd) {
        return {first, std::errc::invalid_argument};
    }
    if (!nonzero) {
        value = negative ? -0.0 : 0.0;
        return {p, std::errc()};
    }
    if (significant <= 19) {
        if (const auto fast = FastValue(whole, power - fractionDigits)) {
            value = negative ? -*fast : *fast;
            return {p, std::errc()};
        }
    }
    const std::string text(first, p);
    const double parsed = std::strtod(text.c_str(), nullptr);
    // Digits beyond the largest double, or a non-zero value below the
    // smallest, are out of range, and the value is left as it was.
    if (std::isinf(parsed) || (parsed == 0.0 && nonzero)) {
        return {p, std::errc::result_out_of_range};
    }
    value = parsed;
    return {p, std::errc()};
}

std::to_chars_result DoubleToChars(char *first, char *last, double value,
                                   std::chars_format format) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, value, format);
#else
    return FallbackDoubleToChars(first, last, value, format);
#endif
}

std::from_chars_result DoubleFromChars(const char *first, const char *last, double &value,
                                       std::chars_format format) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value, format);
#else
    return FallbackDoubleFromChars(first, last, value, format);
#endif
}

} // namespace vurp
