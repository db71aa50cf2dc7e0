#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
}

TEST(WriteNumber, ReservesTheSignPosition) {
    EXPECT_EQ(WriteNumber(12.0), " 12");
    EXPECT_EQ(WriteNumber(-4.0), "-4");
    EXPECT_EQ(WriteNumber(0.0), " 0");
    EXPECT_EQ(WriteNumber(-0.0), " 0");
    EXPECT_EQ(WriteNumber(7.5), " 7.5");
    EXPECT_EQ(WriteNumber(0.5), " 0.5");
    EXPECT_EQ(WriteNumber(-0.25), "-0.25");
    EXPECT_EQ(WriteNumber(1e20), " 100000000000000000000");
}

TEST(WriteNumber, CurrencyKeepsFourPlacesWithoutTrailingZeros) {
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
