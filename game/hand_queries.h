// Read-only questions about one seat's hand that every computer decision
// asks. Each reads only Hands(seat), Trump and TrumpsOut.
//
// Not-found answers: a lowest-type query answers "a" and a highest-type query
// "0", followed by the suit asked for, or by a space for whole-hand queries.
#pragma once

#include <string>
#include <string_view>

#include "table.h"

namespace vurp {

// The seat's hand string; an empty one for a seat number outside the table.
const std::string &HandOf(const Table &t, int seat);

int SuitCount(const Table &t, int seat, std::string_view suit);
int RankCount(const Table &t, int seat, int rank);
int FourOfAKindRank(const Table &t, int seat);
std::string HighestOfSuit(const Table &t, int seat, std::string_view suit);
std::string LowestOfSuit(const Table &t, int seat, std::string_view suit);
// `card` may carry more characters after the code (TrickBest's seat digit).
std::string LowestBeater(const Table &t, int seat, std::string_view card);
std::string LowestNonTrump(const Table &t, int seat);
std::string HighestNonTrump(const Table &t, int seat);
std::string LowestSingleton(const Table &t, int seat);
std::string HighestOfLongSuit(const Table &t, int seat);
std::string HandWithout(const Table &t, int seat, std::string_view card);
std::string PromotedHand(const Table &t, int seat);

// The six and the ace of trumps as the seat's only trumps: the hand that may
// say "Вертолет".
bool HoldsHelicopter(const Table &t, int seat);

// Whether a lowest-type answer names an ace or nothing: the card found is an
// ace, or the answer is the not-found "a".
bool IsAceOrNone(std::string_view answer);

} // namespace vurp
