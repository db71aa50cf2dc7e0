// TEMPORARY: empty bodies while this subsystem is written; deleted by its owner.
#include "computer_play.h"
#include "hand_queries.h"

namespace vurp {
int SuitCount(const Table &, int, std::string_view) { return 0; }
int RankCount(const Table &, int, int) { return 0; }
int FourOfAKindRank(const Table &, int) { return 0; }
std::string HighestOfSuit(const Table &, int, std::string_view) { return ""; }
std::string LowestOfSuit(const Table &, int, std::string_view) { return ""; }
std::string LowestBeater(const Table &, int, std::string_view) { return ""; }
std::string LowestNonTrump(const Table &, int) { return ""; }
std::string HighestNonTrump(const Table &, int) { return ""; }
std::string LowestSingleton(const Table &, int) { return ""; }
std::string HighestOfLongSuit(const Table &, int) { return ""; }
std::string HandWithout(const Table &, int, std::string_view) { return ""; }
std::string PromotedHand(const Table &, int) { return ""; }
std::string ChooseFirstLead(const Table &, int) { return ""; }
std::string ChooseLead(const Table &, int, int) { return ""; }
CardChoice ChooseSecond(const Table &, int, const std::string &) { return {}; }
CardChoice ChooseThird(const Table &, int) { return {}; }
} // namespace vurp
