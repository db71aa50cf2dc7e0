// What the computer seats decide before the tricks: their declarations, their
// answers, going for a rank, the card they throw away from five and the cards
// they replace in the exchange. Each decision is a function of the table, the
// seat and, where the rules draw a random number, a random source; it changes
// nothing, and Game carries it out through the routines a button uses. Any
// seat may be asked, seat 1 included: what the computer would do in its place.
//
// Every decision says why, by the rule that decided and the counts it read,
// so that it can be explained in words.
#pragma once

#include <string>
#include <vector>

#include "random.h"
#include "table.h"

namespace vurp {

// The first round: what the seat says to the trump candidate.
enum class FirstRoundSay {
    Helicopter,   // "Вертолет "
    Vurp,         // "Вурп "
    VurpGoingFor, // "Вурп иду за " the rank
    Pass,         // "Пас"
};

// The rule of the first round that decided: the first that holds, in this
// order.
enum class FirstRoundRule {
    Helicopter,      // the six and the ace of trumps are its only trumps
    LoneAcePaired,   // its only trump counts as the ace, and another card has that
                     // trump's rank: it goes for the rank
    LoneAceDraw,     // its only trump counts as the ace: a draw below one half goes
                     // for the rank, else it passes
    FourOfAKind,     // four cards of one rank
    ThreeTrumps,     // three trumps or more
    PromotedAce,     // the ace of trumps, or what counts as one, beside another trump
    KingWithSupport, // the king of trumps, or what counts as one, beside a nine or better
    Weak,            // none of these: it passes
};

struct FirstRoundDecision {
    FirstRoundSay say = FirstRoundSay::Pass;
    FirstRoundRule rule = FirstRoundRule::Weak;
    int trumps = 0;            // cards of the trump suit held
    int rank = 0;              // the lone trump's real rank (1..9), considered for going for
    std::vector<double> draws; // the random numbers drawn for it, in order
};

// The second round: the answer to a vurp.
enum class SecondRoundSay {
    Help,         // "Помогу"
    HelpGoingFor, // "Помогу иду за " the rank
    TakeFive,     // "Беру 5"
    Pass,         // "Пас": out of the deal
};

enum class SecondRoundRule {
    Trumps,         // two trumps or more: help
    FourOfAKind,    // four cards of one rank: help
    ThreeOfItsRank, // one trump, and three cards of its rank: help going for the rank
    HighTrump,      // one trump, a queen or better once promoted: help going for its rank
    LoneTrumpDraw,  // one weaker trump: the second draw below 0.4 takes five, else a pass
    NoTrumpDraw,    // no trump: the first draw below 0.75 takes five, else a pass
};

struct SecondRoundDecision {
    SecondRoundSay say = SecondRoundSay::Pass;
    SecondRoundRule rule = SecondRoundRule::NoTrumpDraw;
    int trumps = 0;            // cards of the trump suit held
    int rank = 0;              // the lone trump's real rank (1..9); the rank gone for
    std::vector<double> draws; // the random numbers drawn for it, in order
};

// The card thrown away from five, after take five or a going-for draw.
enum class DiscardRule {
    FourOfAKind,   // the one card beside four of a kind
    LowSingleton,  // the lowest card alone in another suit, a queen or lower
    LowestPlain,   // the lowest card of another suit, which is no ace
    LowestTrump,   // every card of another suit is an ace: the lowest trump
    LowestNoTrump, // no trump held: the lowest card
};

struct DiscardDecision {
    std::string card; // the card code thrown away
    DiscardRule rule = DiscardRule::LowestNoTrump;
};

// The exchange: trumps and aces are kept, every other card is replaced.
struct ExchangeDecision {
    std::string kept;   // the cards kept, in hand order
    std::string thrown; // the cards thrown away, in hand order
    int replaced = 4;   // cards drawn to make four again
    int trumpsKept = 0;
    int acesKept = 0; // aces of other suits
};

// Both random decisions reseed `random` first and then draw: the first round
// one number, only when the seat's only trump counts as the ace; the second
// round two, only when the seat neither helps nor goes for a rank.
FirstRoundDecision DecideFirstRound(const Table &t, int seat, Random &random);
SecondRoundDecision DecideSecondRound(const Table &t, int seat, Random &random);
// The seat holds five cards.
DiscardDecision DecideDiscard(const Table &t, int seat);
// The seat holds four cards (seat 1's hand may end in a blank position).
ExchangeDecision DecideExchange(const Table &t, int seat);

} // namespace vurp
