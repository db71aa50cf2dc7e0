#include <gtest/gtest.h>

#include <string>

#include "hand_queries.h"
#include "table.h"
#include "test_support.h"

namespace vurp {
namespace {

constexpr int Seat = 2;

Table WithHand(const std::string &hand, const std::string &trump,
               const std::string &trumpsOut = "") {
    return testing::HandTable(Seat, hand, trump, trumpsOut);
}

TEST(HandQueries, FreshHandWithBlankPosition) {
    const Table t = WithHand("1p2k3b4c  ", "p");
    EXPECT_EQ(SuitCount(t, Seat, "p"), 1);
    EXPECT_EQ(SuitCount(t, Seat, "c"), 1);
    EXPECT_EQ(LowestNonTrump(t, Seat), "2k");
    EXPECT_EQ(HighestNonTrump(t, Seat), "4c");
    EXPECT_EQ(LowestSingleton(t, Seat), "2k");
    EXPECT_EQ(HighestOfLongSuit(t, Seat), "4c");
    EXPECT_EQ(HighestOfSuit(t, Seat, "p"), "1p");
    EXPECT_EQ(LowestOfSuit(t, Seat, "p"), "1p");
    EXPECT_EQ(RankCount(t, Seat, 1), 1);
    EXPECT_EQ(RankCount(t, Seat, 5), 0);
    // Reading only: the hand is untouched by any query.
    EXPECT_EQ(t.Hands[Seat], "1p2k3b4c  ");
}

TEST(HandQueries, SuitQueriesAnswerTheSuitSentinelWhenVoid) {
    const Table t = WithHand("1p2p3b4c  ", "p");
    EXPECT_EQ(SuitCount(t, Seat, "k"), 0);
    EXPECT_EQ(HighestOfSuit(t, Seat, "k"), "0k");
    EXPECT_EQ(LowestOfSuit(t, Seat, "k"), "ak");
    EXPECT_EQ(LowestBeater(t, Seat, "5k"), "ak");
}

TEST(HandQueries, SuitScansPickTheExtremeRankWherever) {
    const Table t = WithHand("5b9b1b3k", "c");
    EXPECT_EQ(HighestOfSuit(t, Seat, "b"), "9b");
    EXPECT_EQ(LowestOfSuit(t, Seat, "b"), "1b");
    EXPECT_EQ(SuitCount(t, Seat, "b"), 3);
}

TEST(HandQueries, LowestBeaterTakesTheCheapestHigherCardOfTheSuit) {
    const Table t = WithHand("9b3b7b1p", "c");
    EXPECT_EQ(LowestBeater(t, Seat, "9b"), "ab");
    EXPECT_EQ(LowestBeater(t, Seat, "5b"), "7b");
    EXPECT_EQ(LowestBeater(t, Seat, "1b"), "3b");
    // The card itself is not above itself.
    EXPECT_EQ(LowestBeater(t, Seat, "7b"), "9b");
    // TrickBest carries the seat digit after the code.
    EXPECT_EQ(LowestBeater(t, Seat, "5b3"), "7b");
    // A card of another suit is never beaten, however low.
    EXPECT_EQ(LowestBeater(t, Seat, "1k"), "ak");
    EXPECT_EQ(LowestBeater(t, Seat, ""), "a");
}

TEST(HandQueries, AllTrumpsLeavesNoPlainCard) {
    const Table t = WithHand("1c5c9c3c  ", "c");
    EXPECT_EQ(LowestNonTrump(t, Seat), "a ");
    EXPECT_EQ(LowestSingleton(t, Seat), "a ");
    EXPECT_EQ(HighestNonTrump(t, Seat), "0 ");
    EXPECT_EQ(HighestOfLongSuit(t, Seat), "0 ");
    EXPECT_EQ(HighestOfSuit(t, Seat, "c"), "9c");
}

TEST(HandQueries, EqualRanksGoToTheEarlierPosition) {
    EXPECT_EQ(LowestNonTrump(WithHand("5k5b2p9c", "c"), Seat), "2p");
    EXPECT_EQ(LowestNonTrump(WithHand("5k5b7c9c", "c"), Seat), "5k");
    EXPECT_EQ(HighestNonTrump(WithHand("5k5b7c9c", "c"), Seat), "5k");
    EXPECT_EQ(LowestSingleton(WithHand("5k5b7c9c", "c"), Seat), "5k");
    EXPECT_EQ(LowestSingleton(WithHand("5b5k7c9c", "c"), Seat), "5b");
}

TEST(HandQueries, LowestSingletonSkipsLongSuitsAndTrumps) {
    // 1c is lower but a trump; 2k has a partner.
    EXPECT_EQ(LowestSingleton(WithHand("2k1c8k6b", "c"), Seat), "6b");
    EXPECT_EQ(LowestSingleton(WithHand("2k1c8k6k", "c"), Seat), "a ");
}

TEST(HandQueries, HighestOfLongSuitIsOneGreedyPassInHandOrder) {
    // The ace comes first; the longer suit's later cards are lower.
    EXPECT_EQ(HighestOfLongSuit(WithHand("9p5k6k1c", "c"), Seat), "9p");
    // The ace of a one-card suit cannot replace a two-card suit's candidate.
    EXPECT_EQ(HighestOfLongSuit(WithHand("5k6k9p1c", "c"), Seat), "6k");
    // Suits of equal length: the higher card replaces.
    EXPECT_EQ(HighestOfLongSuit(WithHand("5k9p6k2p", "c"), Seat), "9p");
    // A trump never qualifies, however long the suit.
    EXPECT_EQ(HighestOfLongSuit(WithHand("9c8c7c2k", "c"), Seat), "2k");
}

TEST(HandQueries, FourOfAKindRank) {
    EXPECT_EQ(FourOfAKindRank(WithHand("1p1k5p1b1c", "c"), Seat), 1);
    EXPECT_EQ(FourOfAKindRank(WithHand("9p9k9b9c  ", "c"), Seat), 9);
    EXPECT_EQ(FourOfAKindRank(WithHand("1p1k1b5c5p", "c"), Seat), 0);
    EXPECT_EQ(FourOfAKindRank(WithHand("", "c"), Seat), 0);
}

TEST(HandQueries, RankCountReadsBlankAndMissingPositionsAsZero) {
    const Table fresh = WithHand("4p4k3b4c  ", "c");
    EXPECT_EQ(RankCount(fresh, Seat, 4), 3);
    // The blank position counts only for the non-rank 0.
    EXPECT_EQ(RankCount(fresh, Seat, 0), 1);
    const Table shortHand = WithHand("4p4k", "c");
    EXPECT_EQ(RankCount(shortHand, Seat, 4), 2);
    EXPECT_EQ(RankCount(shortHand, Seat, 0), 3);
    for (int r = 1; r <= 9; ++r) {
        EXPECT_EQ(RankCount(WithHand("          ", "c"), Seat, r), 0) << r;
    }
}

// A leading blank makes the ranges differ: the trimmed range covers four
// positions starting from the blank, so it never reaches the last card,
// while the fixed range does.
TEST(HandQueries, TrimmedAndFixedRangesDifferOnALeadingBlank) {
    const Table t = WithHand("  1p2k3b4c", "p");
    EXPECT_EQ(HighestNonTrump(t, Seat), "3b");
    EXPECT_EQ(HighestOfLongSuit(t, Seat), "3b");
    EXPECT_EQ(HighestOfSuit(t, Seat, "c"), "4c");
    EXPECT_EQ(SuitCount(t, Seat, "c"), 1);
    // The blank is inside the trimmed range and its space is below every
    // rank; the singleton scan excludes it by its space test.
    EXPECT_EQ(LowestNonTrump(t, Seat), "  ");
    EXPECT_EQ(LowestSingleton(t, Seat), "2k");
}

TEST(HandQueries, FixedRangeStopsAtFivePositionsTrimmedRangeDoesNot) {
    const Table t = WithHand("1p2k3b4c5p6k", "p");
    EXPECT_EQ(SuitCount(t, Seat, "k"), 1);
    EXPECT_EQ(HighestOfSuit(t, Seat, "k"), "2k");
    EXPECT_EQ(LowestSingleton(t, Seat), "2k");
    EXPECT_EQ(HighestNonTrump(t, Seat), "6k");
    EXPECT_EQ(HighestOfLongSuit(t, Seat), "6k");
}

TEST(HandQueries, PositionsPastTheEndNeverMatchOrQualify) {
    const Table t = WithHand("3p2k", "c");
    EXPECT_EQ(SuitCount(t, Seat, ""), 0);
    EXPECT_EQ(LowestOfSuit(t, Seat, ""), "a");
    EXPECT_EQ(HighestOfSuit(t, Seat, ""), "0");
    EXPECT_EQ(LowestSingleton(t, Seat), "2k");
    EXPECT_EQ(LowestNonTrump(t, Seat), "2k");
    const Table empty = WithHand("", "c");
    EXPECT_EQ(LowestSingleton(empty, Seat), "a ");
    EXPECT_EQ(LowestNonTrump(empty, Seat), "a ");
    EXPECT_EQ(HighestOfLongSuit(empty, Seat), "0 ");
}

// A blank position's suit character is a space and the suit test is a plain
// comparison, so asking for the suit " " finds the blank itself.
TEST(HandQueries, SpaceAsSuitFindsTheBlankPosition) {
    const Table t = WithHand("1p3b4c  ", "c");
    EXPECT_EQ(SuitCount(t, Seat, " "), 1);
    EXPECT_EQ(LowestOfSuit(t, Seat, " "), "  ");
    EXPECT_EQ(HighestOfSuit(t, Seat, " "), "0 ");
    EXPECT_EQ(LowestNonTrump(t, Seat), "1p");
    EXPECT_EQ(LowestSingleton(t, Seat), "1p");
}

TEST(HandQueries, SeatOutsideTheTableHasNoCards) {
    Table t = WithHand("1p2k3b4c  ", "p");
    for (int seat : {-1, 4, 1000}) {
        EXPECT_EQ(SuitCount(t, seat, "p"), 0);
        EXPECT_EQ(RankCount(t, seat, 1), 0);
        EXPECT_EQ(HighestOfSuit(t, seat, "p"), "0p");
        EXPECT_EQ(LowestNonTrump(t, seat), "a ");
        EXPECT_EQ(HighestOfLongSuit(t, seat), "0 ");
        EXPECT_EQ(HandWithout(t, seat, "1p"), "");
        EXPECT_EQ(PromotedHand(t, seat), "");
    }
}

TEST(HandQueries, HandWithoutCutsTheCardAndTrims) {
    const Table t = WithHand("1p2k3b4c  ", "p");
    EXPECT_EQ(HandWithout(t, Seat, "2k"), "1p3b4c");
    EXPECT_EQ(HandWithout(t, Seat, "4c"), "1p2k3b");
    EXPECT_EQ(HandWithout(t, Seat, "1p"), "2k3b4c");
    // Absent: unchanged, blank position included.
    EXPECT_EQ(HandWithout(t, Seat, "9p"), "1p2k3b4c  ");
    // A sentinel answer passed on unchecked is not in any hand.
    EXPECT_EQ(HandWithout(t, Seat, "a "), "1p2k3b4c  ");
    EXPECT_EQ(HandWithout(t, Seat, "0 "), "1p2k3b4c  ");
    // Only a whole code leaves the hand: an empty text must not cut the
    // first card, nor a longer text cut two characters of itself.
    EXPECT_EQ(HandWithout(t, Seat, ""), "1p2k3b4c  ");
    EXPECT_EQ(HandWithout(t, Seat, "2k3b"), "1p2k3b4c  ");
    EXPECT_EQ(HandWithout(WithHand("4c", "p"), Seat, "4c"), "");
}

TEST(HandQueries, PromotedHandRaisesTrumpsByHigherTrumpsSeen) {
    EXPECT_EQ(PromotedHand(WithHand("7p2k3b4c", "p", "9p8p"), Seat), "9p2k3b4c");
    // The ace in the same hand does not raise the queen; the king out does.
    EXPECT_EQ(PromotedHand(WithHand("9p7p3b4c", "p", "8p"), Seat), "9p8p3b4c");
    // Lower trumps seen raise nothing; plain cards never move.
    EXPECT_EQ(PromotedHand(WithHand("5p1k6b2c", "p", "1p3p"), Seat), "5p1k6b2c");
    // Each trump by its own count, comparing its own rank only.
    EXPECT_EQ(PromotedHand(WithHand("2p6p", "p", "7p1p4p"), Seat), "4p7p");
    // Ranks of TrumpsOut compare without their suits.
    EXPECT_EQ(PromotedHand(WithHand("5c", "c", "9p"), Seat), "6c");
}

TEST(HandQueries, PromotedHandTrimsBothStrings) {
    EXPECT_EQ(PromotedHand(WithHand("7p2k3b4c  ", "p", " 9p "), Seat), "8p2k3b4c");
    // Odd length: the dangling character is not a card.
    EXPECT_EQ(PromotedHand(WithHand("7p", "p", "9p9"), Seat), "8p");
    // A leading blank: the trump's own digit is raised, not the card that
    // trimming moved into its place.
    EXPECT_EQ(PromotedHand(WithHand("  2k7p", "p", "9p"), Seat), "2k8p");
}

TEST(HandQueries, PromotedHandNeverWritesPastTheAce) {
    // A TrumpsOut listing a card three times, or one still in the hand.
    EXPECT_EQ(PromotedHand(WithHand("7p", "p", "9p9p9p"), Seat), "9p");
    EXPECT_EQ(PromotedHand(WithHand("9p", "p", "ap"), Seat), "9p");
    EXPECT_EQ(PromotedHand(WithHand("8p", "p", "9p9p"), Seat), "9p");
}

} // namespace
} // namespace vurp
