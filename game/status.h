// The declaration status of a seat: what it has said in this deal and what it
// still has to do. The values are stored and shown as the numbers below (the
// replay snapshot prints them), but the game only asks the named questions
// that follow: it never adds to a status or orders two of them, so a status
// carries no rule in its number.
#pragma once

namespace vurp {

enum class DeclarationStatus : int {
    Silent = 0,            // no second-round answer yet; a first-round pass stays here
    Declarer = 1,          // said vurp; its exchange is still due
    Supporter = 2,         // said help; its exchange is still due
    DeclarerGoingFor = 3,  // declarer going for four of GoRank, until its discard
    SupporterGoingFor = 4, // supporter going for four of GoRank; never exchanges
    TookFive = 5,          // took five new cards and throws one away; never exchanges
    DeclarerReady = 6,     // declarer with its final hand
    SupporterReady = 7,    // supporter with its final hand
    Out = 8,               // passed in the second round: out of this deal
};
using enum DeclarationStatus;

// Statuses are names, not a scale: ordering two of them does not compile.
bool operator<(DeclarationStatus, DeclarationStatus) = delete;
bool operator<=(DeclarationStatus, DeclarationStatus) = delete;
bool operator>(DeclarationStatus, DeclarationStatus) = delete;
bool operator>=(DeclarationStatus, DeclarationStatus) = delete;

// The number the rules give the status.
constexpr int StatusNumber(DeclarationStatus status) {
    return static_cast<int>(status);
}

// One of the statuses above, not some other number cast to a status.
constexpr bool IsKnownStatus(DeclarationStatus status) {
    switch (status) {
    case Silent:
    case Declarer:
    case Supporter:
    case DeclarerGoingFor:
    case SupporterGoingFor:
    case TookFive:
    case DeclarerReady:
    case SupporterReady:
    case Out:
        return true;
    }
    return false;
}

// The seat has declared or answered in this deal.
constexpr bool HasSpoken(DeclarationStatus status) {
    return status != Silent;
}

// A plain declarer or supporter still exchanges cards with the stock.
constexpr bool ExchangeDue(DeclarationStatus status) {
    return status == Declarer || status == Supporter;
}

// The seat has spoken and has no exchange ahead of it: it exchanged already
// or takes no part in the exchange.
constexpr bool ExchangeOver(DeclarationStatus status) {
    return HasSpoken(status) && !ExchangeDue(status);
}

// The seat holds five cards and must throw one away: after take five or a
// going-for draw.
constexpr bool DiscardDue(DeclarationStatus status) {
    return status == DeclarerGoingFor || status == SupporterGoingFor || status == TookFive;
}

// The status once the seat's exchange is done: its hand is final. Only a
// declarer or a supporter exchanges; a seat that reaches the exchange without
// having declared anything has no part in the deal.
constexpr DeclarationStatus Ready(DeclarationStatus status) {
    switch (status) {
    case Declarer:
        return DeclarerReady;
    case Supporter:
        return SupporterReady;
    default:
        return Out;
    }
}

// A seat that undertook one trick and pays the bank when it takes none.
constexpr bool UndertookOneTrick(DeclarationStatus status) {
    return status == SupporterGoingFor || status == TookFive || status == SupporterReady;
}

} // namespace vurp
