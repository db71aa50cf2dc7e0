#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "float_chars.h"
#include "random.h"

namespace vurp::testing {
namespace {

#if defined(__cpp_lib_to_chars)

// Both writes of a value give the same text, or fail alike.
::testing::AssertionResult WritesAlike(double value, std::chars_format format) {
    char ours[512];
    char theirs[512];
    const auto a = FallbackDoubleToChars(ours, ours + sizeof ours, value, format);
    const auto b = std::to_chars(theirs, theirs + sizeof theirs, value, format);
    const std::string mine(ours, a.ptr);
    const std::string library(theirs, b.ptr);
    if (a.ec != b.ec || mine != library) {
        char bits[32];
        std::snprintf(bits, sizeof bits, "%a", value);
        return ::testing::AssertionFailure()
               << bits << (format == std::chars_format::fixed ? " fixed" : " scientific")
               << ": fallback \"" << mine << "\", library \"" << library << "\"";
    }
    return ::testing::AssertionSuccess();
}

// Both reads of a text stop at the same place with the same value, or fail
// alike and leave the value as it was.
::testing::AssertionResult ReadsAlike(const std::string &text, std::chars_format format) {
    constexpr double kUntouched = -12345.0;
    double ours = kUntouched;
    double theirs = kUntouched;
    const char *end = text.data() + text.size();
    const auto a = FallbackDoubleFromChars(text.data(), end, ours, format);
    const auto b = std::from_chars(text.data(), end, theirs, format);
    const bool same =
        std::isnan(ours) && std::isnan(theirs)
            ? std::signbit(ours) == std::signbit(theirs)
            : std::bit_cast<std::uint64_t>(ours) == std::bit_cast<std::uint64_t>(theirs);
    if (a.ec != b.ec || a.ptr != b.ptr || !same) {
        return ::testing::AssertionFailure()
               << "\"" << text << "\": fallback " << ours << " after " << (a.ptr - text.data())
               << " (" << static_cast<int>(a.ec) << "), library " << theirs << " after "
               << (b.ptr - text.data()) << " (" << static_cast<int>(b.ec) << ")";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RoundTripsAlike(double value) {
    for (const auto format : {std::chars_format::scientific, std::chars_format::fixed}) {
        if (auto written = WritesAlike(value, format); !written) {
            return written;
        }
        char text[512];
        const auto end = std::to_chars(text, text + sizeof text, value, format).ptr;
        if (auto read = ReadsAlike(std::string(text, end), std::chars_format::general); !read) {
            return read;
        }
    }
    return ::testing::AssertionSuccess();
}

// The values whose digits are hardest to get right: every power of two
// (where the doubles below lie twice as close as those above) and its
// neighbours, subnormals, whole numbers beyond 2^53, quarters between 2^50
// and 2^51 (whose shortest texts are ties), the game's own draws, and bit
// patterns from all over the range.
std::vector<double> HardValues(std::uint64_t &state) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  -std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  1e23,
                                  5e-324,
                                  0.1,
                                  std::nextafter(1.0, 0.0)};
    for (int e = -1074; e <= 1023; ++e) {
        const double power = std::ldexp(1.0, e);
        values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 2.0),
                                     std::nextafter(power, 1e308)});
    }
    for (int e = -323; e <= 308; ++e) {
        values.push_back(std::strtod(("1e" + std::to_string(e)).c_str(), nullptr));
    }
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = SplitMix64(state);
        values.push_back(std::bit_cast<double>(bits & 0x800FFFFFFFFFFFFFULL)); // subnormal
        values.push_back(std::ldexp(static_cast<double>(bits | 1), 0) * (i % 2 ? 1 : -1));
        values.push_back(0x1.0p50 + static_cast<double>((bits >> 14) | 1) * 0.25);
    }
    for (int i = 0; i < 70000; ++i) {
        values.push_back(static_cast<double>(SplitMix64(state) >> 11) * 0x1.0p-53);
        values.push_back(std::bit_cast<double>(SplitMix64(state)));
    }
    return values;
}

TEST(FloatChars, FallbackWritesAndReadsEveryValueAsTheLibraryDoes) {
    std::uint64_t state = 2024;
    for (const double value : HardValues(state)) {
        ASSERT_TRUE(RoundTripsAlike(value));
    }
}

// Texts near the halfway points between neighbouring doubles, cut at every
// length and nudged up and down, with exponents in and out of range.
TEST(FloatChars, FallbackRoundsDecimalTextsAsTheLibraryDoes) {
    std::uint64_t state = 77;
    for (int i = 0; i < 60000; ++i) {
        // Every other one among the draws and the money, from 2^-16 up to 2^53.
        const std::uint64_t bits = SplitMix64(state);
        const double low = i % 2 == 0 ? std::fabs(std::bit_cast<double>(bits))
                                      : std::ldexp(static_cast<double>(bits >> 11) * 0x1.0p-53,
                                                   static_cast<int>(bits % 70) - 15);
        if (!std::isfinite(low) || low == std::numeric_limits<double>::max()) {
            continue;
        }
        const long double halfway =
            (static_cast<long double>(low) + std::nextafter(low, HUGE_VAL)) / 2;
        char exact[128];
        std::snprintf(exact, sizeof exact, "%.50Le", halfway);
        const std::string text(exact);
        const std::size_t e = text.find('e');
        const std::size_t cut = 2 + SplitMix64(state) % (e - 1);
        std::string shorter = text.substr(0, std::min(cut, e)) + text.substr(e);
        ASSERT_TRUE(ReadsAlike(text, std::chars_format::general));
        ASSERT_TRUE(ReadsAlike(shorter, std::chars_format::general));
        ASSERT_TRUE(ReadsAlike(shorter, std::chars_format::scientific));
        ASSERT_TRUE(ReadsAlike(shorter, std::chars_format::fixed));
    }
    for (int i = 0; i < 100000; ++i) {
        std::string text = i % 7 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(SplitMix64(state) % 30);
        const int point = static_cast<int>(SplitMix64(state) % static_cast<std::uint64_t>(digits));
        for (int d = 0; d < digits; ++d) {
            text += d == point && d > 0 ? "." : "";
            text += static_cast<char>('0' + SplitMix64(state) % 10);
        }
        text += "e" + std::to_string(static_cast<int>(SplitMix64(state) % 900) - 450);
        ASSERT_TRUE(ReadsAlike(text, std::chars_format::general));
    }
}

TEST(FloatChars, FallbackReadsOddTextsAsTheLibraryDoes) {
    const std::vector<std::string> texts = {"",
                                            "-",
                                            ".",
                                            "-.",
                                            "e5",
                                            ".e5",
                                            "+1",
                                            " 1",
                                            "1e",
                                            "1e+",
                                            "1e-x",
                                            "1E3",
                                            ".25",
                                            "5.",
                                            "00.000",
                                            "0x1p3",
                                            "inf",
                                            "-INFINITY",
                                            "infin",
                                            "nan",
                                            "-nan",
                                            "NaN(abc_1)",
                                            "nan(",
                                            "nan(a b)",
                                            "1e-400",
                                            "1e400",
                                            "-1e400",
                                            "0e999999999999999999999",
                                            "1e999999999999999999999",
                                            "1e-999999999999999999999",
                                            "2.4703282292062327e-324",
                                            "2.4703282292062328e-324",
                                            "4.9e-324",
                                            "1.7976931348623158e308",
                                            "1.7976931348623159e308",
                                            "0.000000000000000000000000000000001e10",
                                            std::string(400, '0') + "1e-420",
                                            "1" + std::string(400, '0') + "e-400"};
    for (const std::string &text : texts) {
        for (const auto format : {std::chars_format::general, std::chars_format::fixed,
                                  std::chars_format::scientific}) {
            EXPECT_TRUE(ReadsAlike(text, format));
        }
    }
}

TEST(FloatChars, FallbackRefusesAShortBuffer) {
    char text[4];
    const auto written =
        FallbackDoubleToChars(text, text + sizeof text, 0.125, std::chars_format::fixed);
    EXPECT_EQ(written.ec, std::errc::value_too_large);
    EXPECT_EQ(written.ptr, text + sizeof text);
}

#else

TEST(FloatChars, FallbackWritesAndReadsEveryValueAsTheLibraryDoes) {
    GTEST_SKIP() << "this standard library has no floating-point to_chars to compare with";
}

#endif

} // namespace
} // namespace vurp::testing
