#include <gtest/gtest.h>

#include <array>

#include "controls.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// A finished deal: the bank and every balance as texts, each seat's status
// and tricks.
void Finished(Fixture &f, const std::string &bank, std::array<DeclarationStatus, 3> statuses,
              std::array<int, 3> tricks, const std::string &money = "0") {
    SetUpTable(
        f,
        {.statuses = statuses, .bank = bank, .money = money, .tricks = tricks, .playPhase = true});
}

TEST(Settlement, BankIsDividedByTricksAndTheDeclarerDealsNext) {
    Fixture f;
    Finished(f, " 12", {SupporterReady, DeclarerReady, SupporterReady}, {1, 2, 1});
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), " 3");
    EXPECT_EQ(f.Text(Control::Money, 2), " 6");
    EXPECT_EQ(f.Text(Control::Money, 3), " 3");
    EXPECT_EQ(f.Text(Control::bank), "0");
    EXPECT_EQ(f.game.Dealer, 2);
    EXPECT_FALSE(f.game.PlayPhase);
    EXPECT_TRUE(f.Enabled(Control::Razd));
}

TEST(Settlement, FailedDeclarerPaysTwiceTheBankIntoTheNextBank) {
    Fixture f;
    Finished(f, " 12", {DeclarerReady, SupporterReady, SupporterReady}, {1, 2, 1});
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), "-21");
    EXPECT_EQ(f.view.State(Control::Money, 1).back, kMoneyNegative);
    EXPECT_EQ(f.Text(Control::Money, 2), " 6");
    EXPECT_EQ(f.view.State(Control::Money, 2).back, kMoneyNonNegative);
    EXPECT_EQ(f.Text(Control::Money, 3), " 3");
    EXPECT_EQ(f.Text(Control::bank), " 24");
    EXPECT_EQ(f.game.Dealer, 1);
}

TEST(Settlement, SupporterWithoutATrickPaysTheBank) {
    for (DeclarationStatus supporter : {SupporterGoingFor, TookFive, SupporterReady}) {
        SCOPED_TRACE(StatusNumber(supporter));
        Fixture f;
        Finished(f, " 12", {DeclarerReady, supporter, SupporterReady}, {3, 0, 1});
        f.game.SettleDeal();
        EXPECT_EQ(f.Text(Control::Money, 2), "-12");
        EXPECT_EQ(f.Text(Control::bank), " 12");
        EXPECT_EQ(f.Text(Control::Money, 1), " 9");
    }
}

TEST(Settlement, PenaltiesOfSeveralSeatsAddUpInTheBank) {
    Fixture f;
    // Four of a kind of a seat that was out leaves the others with nothing.
    Finished(f, " 12", {DeclarerReady, SupporterReady, Out}, {0, 0, 4}, "-4");
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), "-28");
    EXPECT_EQ(f.Text(Control::Money, 2), "-16");
    EXPECT_EQ(f.Text(Control::Money, 3), " 8");
    EXPECT_EQ(f.Text(Control::bank), " 36");
}

TEST(Settlement, SeatOutOfPlayNeverPays) {
    Fixture f;
    Finished(f, " 12", {Out, DeclarerReady, SupporterReady}, {0, 2, 2});
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), " 0");
    EXPECT_EQ(f.Text(Control::bank), "0");
}

TEST(Settlement, UncontestedDeclarerTakesTheWholeBank) {
    Fixture f;
    Finished(f, " 12", {Out, Out, DeclarerReady}, {0, 0, 0}, "-4");
    f.game.SettleUncontested();
    EXPECT_EQ(f.game.Tricks[3], 4);
    EXPECT_EQ(f.Text(Control::Money, 3), " 8");
    EXPECT_EQ(f.Text(Control::Money, 1), "-4");
    EXPECT_EQ(f.Text(Control::bank), "0");
    EXPECT_EQ(f.game.Dealer, 3);
}

TEST(Settlement, FractionsOfABankNotAMultipleOfFour) {
    Fixture f;
    Finished(f, " 15", {DeclarerReady, SupporterReady, SupporterReady}, {2, 1, 1}, "-5");
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), " 2.5");
    EXPECT_EQ(f.Text(Control::Money, 2), "-1.25");
    EXPECT_EQ(f.Text(Control::Money, 3), "-1.25");
}

TEST(Settlement, BankIsRoundedHalfToEven) {
    const std::array<std::pair<const char *, const char *>, 4> cases = {{
        {" 13.5", " 14"},
        {" 12.5", " 12"},
        {" 12.4", " 12"},
        {"-2.5", "-2"},
    }};
    for (const auto &[bank, share] : cases) {
        Fixture f;
        Finished(f, bank, {DeclarerReady, Out, Out}, {4, 0, 0});
        f.game.SettleDeal();
        EXPECT_EQ(f.Text(Control::Money, 1), share) << bank;
        EXPECT_EQ(f.Text(Control::bank), "0") << bank;
    }
}

TEST(Settlement, PenaltyIsTheRoundedBankToo) {
    Fixture f;
    Finished(f, " 13.5", {DeclarerReady, SupporterReady, Out}, {1, 3, 0});
    f.game.SettleDeal();
    // B = 14: the declarer gains 3.5 and pays 28.
    EXPECT_EQ(f.Text(Control::Money, 1), "-24.5");
    EXPECT_EQ(f.Text(Control::Money, 2), " 10.5");
    EXPECT_EQ(f.Text(Control::bank), " 28");
}

TEST(Settlement, BankBeyondThirtyTwoBitsSettlesExactly) {
    Fixture f;
    Finished(f, " 3000000000", {DeclarerReady, SupporterReady, SupporterReady}, {2, 1, 1});
    f.game.SettleDeal();
    EXPECT_EQ(f.Text(Control::Money, 1), " 1500000000");
    EXPECT_EQ(f.Text(Control::Money, 2), " 750000000");
}

TEST(Settlement, BankGrownByManyFailuresNeverWrapsAround) {
    Fixture f;
    f.view.SetText(Control::bank, 0, " 12");
    double previousBank = 12;
    for (int deal = 0; deal < 60; ++deal) {
        // Everyone fails: twice the bank from the declarer and the bank from
        // seat 3 make the next bank three times this one.
        const std::string bank = f.Text(Control::bank);
        for (int s = 1; s <= 3; ++s) {
            f.game.Status[s] = s == 1 ? DeclarerReady : SupporterReady;
            f.game.Tricks[s] = s == 1 ? 1 : (s == 2 ? 3 : 0);
        }
        const double moneyBefore = ReadNumber(f.Text(Control::Money, 1)) +
                                   ReadNumber(f.Text(Control::Money, 2)) +
                                   ReadNumber(f.Text(Control::Money, 3)) + ReadNumber(bank);
        f.game.SettleDeal();
        const double bankNow = ReadNumber(f.Text(Control::bank));
        ASSERT_GE(bankNow, previousBank) << "deal " << deal;
        ASSERT_LE(ReadNumber(f.Text(Control::Money, 3)), 0) << "deal " << deal;
        if (bankNow < 1e14) {
            const double moneyAfter = ReadNumber(f.Text(Control::Money, 1)) +
                                      ReadNumber(f.Text(Control::Money, 2)) +
                                      ReadNumber(f.Text(Control::Money, 3)) + bankNow;
            EXPECT_EQ(moneyAfter, moneyBefore) << "deal " << deal;
        }
        previousBank = bankNow;
    }
    // The bank has reached the largest currency value and stays there.
    EXPECT_EQ(f.Text(Control::bank), " 922337203685477.5807");
}

} // namespace
} // namespace vurp::testing
