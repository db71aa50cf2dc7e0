#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "money.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

TEST(ReadNumber, TakesTheLeadingNumber) {
    EXPECT_EQ(ReadNumber("4"), 4.0);
    EXPECT_EQ(ReadNumber(" 12"), 12.0);
    EXPECT_EQ(ReadNumber("-4"), -4.0);
    EXPECT_EQ(ReadNumber("+7"), 7.0);
    EXPECT_EQ(ReadNumber("2.5"), 2.5);
    EXPECT_EQ(ReadNumber("12abc"), 12.0);
    EXPECT_EQ(ReadNumber("3.75.2"), 3.75);
}

TEST(ReadNumber, IgnoresBlanksAnywhereButStopsAtCarriageReturn) {
    EXPECT_EQ(ReadNumber("1 2"), 12.0);
    EXPECT_EQ(ReadNumber("\t- 4\n5"), -45.0);
    EXPECT_EQ(ReadNumber("12\r34"), 12.0);
}

TEST(ReadNumber, CommaEndsTheNumber) {
    EXPECT_EQ(ReadNumber("2,5"), 2.0);
}

TEST(ReadNumber, TextsWithoutANumberReadZero) {
    EXPECT_EQ(ReadNumber(""), 0.0);
    EXPECT_EQ(ReadNumber("abc"), 0.0);
    EXPECT_EQ(ReadNumber("-"), 0.0);
    EXPECT_EQ(ReadNumber("+"), 0.0);
    EXPECT_EQ(ReadNumber("."), 0.0);
    EXPECT_EQ(ReadNumber("e5"), 0.0);
}

TEST(ReadNumber, BarePointsAndExponents) {
    EXPECT_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("-.25"), -0.25);
    EXPECT_EQ(ReadNumber("5."), 5.0);
    EXPECT_EQ(ReadNumber("1e3"), 1000.0);
    EXPECT_EQ(ReadNumber("1E+2"), 100.0);
    EXPECT_EQ(ReadNumber("25e-1"), 2.5);
    // An exponent needs a digit.
    EXPECT_EQ(ReadNumber("1e"), 1.0);
    EXPECT_EQ(ReadNumber("1e+"), 1.0);
    EXPECT_EQ(ReadNumber("1e-x"), 1.0);
}

TEST(ReadNumber, OutOfRangeGoesToInfinityOrZero) {
    EXPECT_EQ(ReadNumber("1e9999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber("-1e9999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber("1e-9999"), 0.0);
    EXPECT_EQ(ReadNumber("0e9999"), 0.0);
    EXPECT_EQ(ReadNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    // Only significant digits count toward the exponent, however many zeros
    // lead before or after the point.
    const std::string zeros(400, '0');
    EXPECT_EQ(ReadNumber("0." + zeros + "1e330"), 1e-71);
    EXPECT_EQ(ReadNumber(zeros + "1e-330"), 0.0);
    EXPECT_EQ(ReadNumber(zeros + "1e-300"), 1e-300);
    EXPECT_EQ(ReadNumber(zeros + "1e308"), 1e308);
    EXPECT_EQ(ReadNumber("-" + zeros + "." + zeros + "25e401"), -2.5);
    EXPECT_EQ(ReadNumber("0." + zeros + "1e-10"), 0.0);
    EXPECT_EQ(ReadNumber("0." + zeros + "1e50"), 0.0);
    EXPECT_EQ(ReadNumber(zeros + "." + zeros + "1e1"), 0.0);
    // A 1000-digit mantissa.
    EXPECT_EQ(ReadNumber("1" + std::string(999, '0') + "e-999"), 1.0);
    EXPECT_EQ(ReadNumber(std::string(1000, '9') + "e-1000"), 1.0);
    EXPECT_EQ(ReadNumber("0." + std::string(1000, '9') + "e-400"), 0.0);
    // Exponent digits beyond an int neither wrap nor lose their sign.
    EXPECT_EQ(ReadNumber("1e4294967296"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber("1e-4294967296"), 0.0);
    EXPECT_EQ(ReadNumber("0." + zeros + "1e2147483648"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumber(std::string(1000, '9') + "e-99999999999999999999"), 0.0);
}

TEST(ReadCurrency, ReadsDigitsExactlyRoundingHalfToEvenAndSaturating) {
    const struct {
        std::string text;
        std::int64_t raw;
    } cases[] = {
        {" 12", 120000},
        {"-4000000000000.0001", -40000000000000001},
        {"0.00005", 0},
        {"0.00015", 2},
        {"-0.00025", -2},
        {"0.000250000000000000000001", 3},
        {"1.23456", 12346},
        {"4e12", 40000000000000000},
        {"1.5e-3", 15},
        {"1e-30", 0},
        {"0." + std::string(400, '0') + "1e401", 10000},
        {"1,5", 10000},
        {"2 .5\r9", 25000},
        {"1e", 10000},
        {"922337203685477.58075", INT64_MAX},
        {"-922337203685477.58085", INT64_MIN},
        {"922337203685477.5808", INT64_MAX},
        {"1e400", INT64_MAX},
        {"-1e400", INT64_MIN},
        {"1e99999999999999999999", INT64_MAX},
        {" abc", 0},
        {"-", 0},
        {"", 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ReadCurrency(c.text).Raw(), c.raw) << c.text;
    }
}

// Every value the currency holds reads back from its texts unchanged, also
// where a double no longer keeps every 0.0001.
TEST(ReadCurrency, EveryValueReadsBackFromItsTexts) {
    std::vector<std::int64_t> raws = {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1, -1, 0, 1};
    std::mt19937_64 generator(20240611);
    // Whole values where a double first drops a 0.0001, where it drops most,
    // and near the limit.
    for (const std::int64_t whole :
         {450'000'000'000LL, 100'000'000'000'000LL, 920'000'000'000'000LL}) {
        const std::int64_t centre = whole * Currency::kScale;
        std::uniform_int_distribution<std::int64_t> near(centre - 1'000'000'000'000,
                                                         centre + 1'000'000'000'000);
        for (int i = 0; i < 3000; ++i) {
            const std::int64_t raw = near(generator);
            raws.push_back(raw);
            raws.push_back(-raw);
        }
    }
    std::uniform_int_distribution<std::int64_t> any(INT64_MIN, INT64_MAX);
    for (int i = 0; i < 10000; ++i) {
        raws.push_back(any(generator));
    }
    for (const std::int64_t raw : raws) {
        const Currency value = Currency::FromRaw(raw);
        ASSERT_EQ(ReadCurrency(WriteNumber(value)), value) << raw;
        ASSERT_EQ(ReadCurrency(PlainDecimal(value)), value) << raw;
    }
}

TEST(WriteNumber, ReservesTheSignPositionAndKeepsFourPlacesWithoutTrailingZeros) {
    for (const auto &[value, text] :
         {std::pair{12.0, " 12"}, std::pair{-4.0, "-4"}, std::pair{0.0, " 0"},
          std::pair{-0.0, " 0"}, std::pair{7.5, " 7.5"}, std::pair{0.5, " 0.5"},
          std::pair{-0.25, "-0.25"}}) {
        EXPECT_EQ(WriteNumber(Currency::FromDouble(value)), text) << value;
    }
    EXPECT_EQ(WriteNumber(Currency::FromInt(12)), " 12");
    EXPECT_EQ(WriteNumber(Currency::FromDouble(3.75)), " 3.75");
    EXPECT_EQ(WriteNumber(Currency::FromDouble(-0.0625)), "-0.0625");
    EXPECT_EQ(WriteNumber(Currency()), " 0");
    EXPECT_EQ(PlainDecimal(Currency::FromDouble(-0.25)), "-0.25");
    EXPECT_EQ(PlainDecimal(Currency::Max()), "922337203685477.5807");
    EXPECT_EQ(PlainDecimal(Currency::Min()), "-922337203685477.5808");
}

TEST(Currency, RoundsToFourPlacesHalfToEven) {
    EXPECT_EQ(Currency::FromDouble(2.5).Raw(), 25000);
    EXPECT_EQ(Currency::FromDouble(0.00005).Raw(), 0); // half goes to even 0
    EXPECT_EQ(Currency::FromDouble(0.00015).Raw(), 2); // half goes to even 2
    EXPECT_EQ(Currency::FromDouble(1.23456).Raw(), 12346);
    EXPECT_EQ(Currency::FromDouble(std::nan("")).Raw(), 0);
    EXPECT_EQ(Currency::FromDouble(13.5).RoundedWhole(), Currency::FromInt(14));
    EXPECT_EQ(Currency::FromDouble(12.5).RoundedWhole(), Currency::FromInt(12));
    EXPECT_EQ(Currency::FromDouble(-12.5).RoundedWhole(), Currency::FromInt(-12));
    EXPECT_EQ(Currency::FromDouble(-13.5).RoundedWhole(), Currency::FromInt(-14));
}

TEST(Currency, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(Currency::FromDouble(1e300), Currency::Max());
    EXPECT_EQ(Currency::FromDouble(922337203685477.5), Currency::FromRaw(9223372036854775000));
    EXPECT_EQ(Currency::FromDouble(999999999999999.9), Currency::Max());
    EXPECT_EQ(Currency::FromDouble(-999999999999999.9), Currency::Min());
    EXPECT_EQ(Currency::FromDouble(-std::numeric_limits<double>::infinity()), Currency::Min());
    EXPECT_EQ(Currency::Max() + Currency::FromInt(1), Currency::Max());
    EXPECT_EQ(Currency::Min() - Currency::FromInt(1), Currency::Min());
    EXPECT_EQ(Currency::Max() * 3, Currency::Max());
    EXPECT_EQ(Currency::Max() * -2, Currency::Min());
    EXPECT_EQ(Currency::FromInt(INT64_MAX), Currency::Max());
    EXPECT_EQ(Currency::Min() / -1, Currency::Max());
    EXPECT_EQ(Currency::FromInt(15) * 3 / 4, Currency::FromDouble(11.25));
    EXPECT_EQ(Currency::FromInt(1) / 0, Currency::Max());
}

TEST(Stake, TypedTextSetsTheStake) {
    Fixture f;
    EXPECT_EQ(f.game.Stake, Currency::FromInt(4));
    const struct {
        const char *text;
        double stake;
    } cases[] = {{"2.5", 2.5}, {"2,5", 2.0}, {"", 0.0},
                 {"-3", -3.0}, {"abc", 0.0}, {"0.00005", 0.0}};
    for (const auto &c : cases) {
        f.view.SetText(Control::Stavk, 0, c.text);
        f.game.TextChanged(Control::Stavk);
        EXPECT_EQ(f.game.Stake, Currency::FromDouble(c.stake)) << c.text;
    }
    f.view.SetText(Control::Stavk, 0, "1e9999");
    f.game.TextChanged(Control::Stavk);
    EXPECT_EQ(f.game.Stake, Currency::Max());
}

TEST(Stake, CollectionMovesThreeStakesIntoTheBank) {
    Fixture f;
    f.view.SetText(Control::Stavk, 0, "2.5");
    f.game.TextChanged(Control::Stavk);
    f.view.SetText(Control::Money, 2, "2.5");
    f.game.CollectStakes();
    EXPECT_EQ(f.Text(Control::Money, 1), "-2.5");
    EXPECT_EQ(f.view.State(Control::Money, 1).back, kMoneyNegative);
    EXPECT_EQ(f.Text(Control::Money, 2), " 0");
    EXPECT_EQ(f.view.State(Control::Money, 2).back, kMoneyNonNegative);
    EXPECT_EQ(f.Text(Control::bank), " 7.5");
}

TEST(Stake, CollectionKeepsBalancesBeyondDoublePrecisionExactly) {
    Fixture f;
    f.view.SetText(Control::Stavk, 0, "0.0001");
    f.game.TextChanged(Control::Stavk);
    f.view.SetText(Control::Money, 1, "-4000000000000");
    f.view.SetText(Control::Money, 2, " 900000000000000.0003");
    f.view.SetText(Control::bank, 0, " 12000000000000.0003");
    f.game.CollectStakes();
    EXPECT_EQ(f.Text(Control::Money, 1), "-4000000000000.0001");
    EXPECT_EQ(f.Text(Control::Money, 2), " 900000000000000.0002");
    EXPECT_EQ(f.Text(Control::bank), " 12000000000000.0006");
}

TEST(Stake, NegativeStakeRaisesBalancesAndEmptiesTheBankBelowZero) {
    Fixture f;
    f.view.SetText(Control::Stavk, 0, "-1");
    f.game.TextChanged(Control::Stavk);
    f.game.CollectStakes();
    EXPECT_EQ(f.Text(Control::Money, 3), " 1");
    EXPECT_EQ(f.view.State(Control::Money, 3).back, kMoneyNonNegative);
    EXPECT_EQ(f.Text(Control::bank), "-3");
}

TEST(Stake, HugeStakesSaturateTheBankInsteadOfWrapping) {
    Fixture f;
    f.view.SetText(Control::Stavk, 0, "1e9999");
    f.game.TextChanged(Control::Stavk);
    f.game.CollectStakes();
    f.game.CollectStakes();
    EXPECT_EQ(f.Text(Control::bank), WriteNumber(Currency::Max()));
    EXPECT_EQ(f.Text(Control::Money, 1), WriteNumber(Currency::Min()));
}

} // namespace
} // namespace vurp::testing
