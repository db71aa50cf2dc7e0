// The card model: two-character card codes (rank digit, suit letter), the pack
// literal, positions in hand and deck strings, rank names and picture names.
#pragma once

#include <string>
#include <string_view>

namespace vurp {

// The suit letters, in the order of the pack.
inline constexpr std::string_view SuitLetters = "pkbc";
inline constexpr char Spades = SuitLetters[0];
inline constexpr char Clubs = SuitLetters[1];
inline constexpr char Diamonds = SuitLetters[2];
inline constexpr char Hearts = SuitLetters[3];

// Diamonds and hearts are red, spades and clubs black.
constexpr bool IsRedSuit(char suit) {
    return suit == Diamonds || suit == Hearts;
}

// A card code and nothing more: a rank digit "1".."9" and a suit letter.
constexpr bool IsCardCode(std::string_view text) {
    return text.size() == 2 && text[0] >= '1' && text[0] <= '9' &&
           SuitLetters.find(text[1]) != std::string_view::npos;
}

// The 36 codes, suit by suit (p, k, b, c), each from six to ace.
inline constexpr std::string_view DeckLiteral =
    "1p2p3p4p5p6p7p8p9p1k2k3k4k5k6k7k8k9k1b2b3b4b5b6b7b8b9b1c2c3c4c5c6c7c8c9c";

// Nine fields of fifteen characters each, one per rank digit "1".."9".
extern const std::string RankInstrumentalLiteral;
extern const std::string RankNominativeLiteral;
extern const std::string RankGenitiveLiteral;

// Captions of the rank buttons, "6" .. "10", "В", "Д", "К", "Т".
std::string RankDisplayText(int rank);

// Substring of `s` starting at the 1-based character `start`, at most `length`
// characters; positions past the end give a shorter (possibly empty) result.
std::string Mid(std::string_view s, int start, int length);
// Everything from the 1-based character `start` to the end.
std::string MidToEnd(std::string_view s, int start);

// Leading and trailing spaces removed (spaces only, as the game's strings use).
std::string Trim(std::string_view s);

// Card at 1-based position i of a hand or deck string: characters 2i-1 and 2i.
std::string CardAt(std::string_view cards, int i);

// The rank character of a card (its first) and its suit letter (its second);
// empty when the text is too short.
std::string RankOf(std::string_view card);
std::string SuitOf(std::string_view card);

// Rank name n (1..9) from one of the 135-character tables, spaces trimmed.
std::string RankName(std::string_view table, int n);

// Picture names: a card code, or "rubashka" for the card back. The file of a
// picture is "Pict/" + name + ".bmp".
inline constexpr std::string_view CardBack = "rubashka";
std::string PicturePath(std::string_view name);

// Number of cards held: the trimmed length divided by two.
int CardCount(std::string_view hand);

// Whether a hand (or any string of card codes) holds `card`. Every code
// starts with a digit, so a code is only ever found at a card's own position.
bool Holds(std::string_view cards, std::string_view card);

// The numeric value of a card's rank digit, 0 when it does not start with a
// digit (a blank position, a not-found answer, nothing).
int RankNumber(std::string_view card);

// Whether the card's rank character (its first) sorts after `rank`. Rank
// digits sort in rank order, and a not-found answer's "a" after all of them;
// an empty text is above nothing.
bool RankAbove(std::string_view card, char rank);

} // namespace vurp
