// The window-level variables of one game, by their names. Arrays indexed by
// seat are sized four and used from 1; index 0 holds nothing.
#pragma once

#include <array>
#include <string>

#include "money.h"
#include "status.h"

namespace vurp {

// Seat 1 is the human's; seats 2 and 3 are played by the program.
inline constexpr int HumanSeat = 1;
// CurSeat before anyone has the word, and while the first leader is sought
// and no seat took five.
inline constexpr int NoSeat = 0;
// CurSeat while the first leader is sought and more than one seat took five.
inline constexpr int SeveralSeats = 4;

// The twelve card plays of a deal are numbered by slot: slot = 3 x (trick -
// 1) + position, the position counted from the trick's leader (1, 2 or 3).
constexpr int TrickOf(int slot) {
    return (slot - 1) / 3 + 1;
}
constexpr int PositionOf(int slot) {
    return (slot - 1) % 3 + 1;
}

struct Table {
    std::string Deck; // the shuffled pack, 36 codes
    // A draw takes the cards after card DeckPos of the pack; during the first
    // round card DeckPos itself is the next trump candidate.
    int DeckPos = 0;
    std::array<std::string, 4> Hands;          // hand of each seat
    std::string TurnedCard;                    // the face-up trump candidate
    std::string Trump;                         // trump suit letter
    std::string TrumpsOut;                     // trumps seen: the turned card, then trumps played
    int CurSeat = NoSeat;                      // seat whose turn it is, 1..3
    int Dealer = 0;                            // dealing seat; the seat after it speaks first
    Currency Stake;                            // each seat's stake
    std::array<DeclarationStatus, 4> Status{}; // declaration status of each seat
    std::array<int, 4> Tricks{};               // tricks taken in this deal
    bool PlayPhase = false;                    // trick play is under way
    int PlayMode = 0;                          // step of trick play
    std::array<std::string, 13> Played;        // cards played, by slot 1..12
    std::string TrickBest;                     // winning card of the trick and its seat digit
    std::string LedSuit;                       // suit of the current trick's lead
    int GoRank = 0;                            // rank gone for, 1..9
    std::string CardPicture;                   // file of the picture most recently shown
    std::string WorkCard;                      // the card being shown or clicked
    std::string RankInstrumental;              // rank-name tables, 135 characters each
    std::string RankNominative;
    std::string RankGenitive;
    int I = 0; // loop counter left behind by settlement
};

} // namespace vurp
