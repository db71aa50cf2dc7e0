#include <gtest/gtest.h>

#include <set>

#include "cards.h"

namespace vurp {
namespace {

int Characters(const std::string &utf8) {
    int n = 0;
    for (unsigned char ch : utf8) {
        n += (ch & 0xC0) != 0x80;
    }
    return n;
}

TEST(Cards, DeckLiteralHoldsEveryCardOnceSuitBySuit) {
    ASSERT_EQ(DeckLiteral.size(), 72u);
    std::set<std::string> cards;
    for (int k = 1; k <= 36; ++k) {
        const std::string card = CardAt(DeckLiteral, k);
        EXPECT_EQ(card[0], static_cast<char>('1' + (k - 1) % 9));
        EXPECT_EQ(card[1], "pkbc"[(k - 1) / 9]);
        EXPECT_TRUE(IsCardCode(card));
        cards.insert(card);
    }
    EXPECT_EQ(cards.size(), 36u);
    EXPECT_EQ(SuitLetters, "pkbc");
}

TEST(Cards, OnlyARankDigitAndASuitLetterMakeACardCode) {
    for (const char *text : {"", "9", "9pk", "0p", "ap", " p", "9P", "9x", "  ", "a ", "9p1"}) {
        EXPECT_FALSE(IsCardCode(text)) << '"' << text << '"';
    }
    EXPECT_TRUE(IsRedSuit(Hearts));
    EXPECT_TRUE(IsRedSuit(Diamonds));
    EXPECT_FALSE(IsRedSuit(Spades));
    EXPECT_FALSE(IsRedSuit(Clubs));
}

TEST(Cards, RankTablesAreNineFieldsOfFifteenCharacters) {
    for (const std::string *table :
         {&RankInstrumentalLiteral, &RankNominativeLiteral, &RankGenitiveLiteral}) {
        EXPECT_EQ(Characters(*table), 135);
    }
    EXPECT_EQ(RankName(RankInstrumentalLiteral, 9), "тузами");
    EXPECT_EQ(RankName(RankNominativeLiteral, 9), "тузы");
    EXPECT_EQ(RankName(RankGenitiveLiteral, 9), "тузов");
    // The queen's field is mostly padding, none of which may reach a speech line.
    EXPECT_EQ(RankName(RankInstrumentalLiteral, 7), "дамами");
    EXPECT_EQ(RankName(RankNominativeLiteral, 7), "дамы");
    EXPECT_EQ(RankName(RankGenitiveLiteral, 7), "дам");
    EXPECT_EQ(RankName(RankInstrumentalLiteral, 1), "шестерками");
    EXPECT_EQ(RankName(RankGenitiveLiteral, 8), "королей");
    EXPECT_EQ(RankName(RankGenitiveLiteral, 0), "");
    EXPECT_EQ(RankName(RankGenitiveLiteral, 10), "");
}

TEST(Cards, RankButtonsShowTenAsTwoCharacters) {
    EXPECT_EQ(RankDisplayText(1), "6");
    EXPECT_EQ(RankDisplayText(5), "10");
    EXPECT_EQ(RankDisplayText(6), "В");
    EXPECT_EQ(RankDisplayText(9), "Т");
    EXPECT_EQ(RankDisplayText(0), "");
}

TEST(Cards, PositionsPastTheEndReadEmpty) {
    const std::string fresh = "1p2k3b4c  ";
    EXPECT_EQ(CardAt(fresh, 4), "4c");
    EXPECT_EQ(CardAt(fresh, 5), "  ");
    EXPECT_EQ(CardAt(fresh, 6), "");
    EXPECT_EQ(CardAt(fresh, 0), "");
    EXPECT_EQ(CardAt("9c", -3), "");
    EXPECT_EQ(Mid("abc", 3, 5), "c");
    EXPECT_EQ(Mid("abc", 4, 1), "");
    EXPECT_EQ(MidToEnd("abcd", 3), "cd");
    EXPECT_EQ(MidToEnd("abcd", 9), "");
    const std::string five = "1p2k3b4c5c";
    EXPECT_EQ(CardAt(five, 5), "5c");
    EXPECT_EQ(CardCount(five), 5);
    EXPECT_EQ(CardCount(fresh), 4);
    EXPECT_EQ(CardCount("          "), 0);
}

TEST(Cards, TrimRemovesOnlySpaces) {
    EXPECT_EQ(Trim("  1p2k  "), "1p2k");
    EXPECT_EQ(Trim("1p  2k"), "1p  2k");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim("\t1p"), "\t1p");
}

TEST(Cards, PictureFilesAreNamedByCode) {
    EXPECT_EQ(PicturePath("9c"), "Pict/9c.bmp");
    EXPECT_EQ(PicturePath(CardBack), "Pict/rubashka.bmp");
}

} // namespace
} // namespace vurp
