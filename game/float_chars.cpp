#include "float_chars.h"

#include <algorithm>
#include <cmath>
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
        const Decimal d = Shortest(magnitude);
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
    const auto skipDigits = [&] {
        for (; p != last && IsDigit(*p); ++p) {
            ++digits;
            nonzero = nonzero || *p != '0';
        }
    };
    skipDigits();
    if (p != last && *p == '.') {
        ++p;
        skipDigits();
    }
    if (digits == 0) {
        return {first, std::errc::invalid_argument};
    }
    // An exponent counts only when it has digits: "1e+" reads as 1.
    const char *mantissaEnd = p;
    if (format != std::chars_format::fixed && p != last && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        q += q != last && (*q == '+' || *q == '-') ? 1 : 0;
        if (q != last && IsDigit(*q)) {
            while (q != last && IsDigit(*q)) {
                ++q;
            }
            p = q;
        }
    }
    if (format == std::chars_format::scientific && p == mantissaEnd) {
        return {first, std::errc::invalid_argument};
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
