// The invariants of the random-game checker: a second derivation of the
// rules over what a game leaves on the table and in the window (the cards,
// the legality of each card played, the tricks, the money, the stock), each
// check on its own and on what the caller gives it, apart from the random
// player that drives the games (random_player.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recording_view.h"
#include "table.h"

namespace vurp::check {

// What is wrong, or nothing.
using Problem = std::optional<std::string>;

// One card put on a trick.
struct Play {
    int seat = 0;
    std::string card;
    std::string holding; // the seat's cards just before, this card included
};

// Statuses, seats and counters within their ranges.
Problem CheckRanges(const Table &t);

// The deck is a shuffle of the pack (or empty before the first deal); every
// hand is cards followed by at most one blank position; a held card was dealt
// or drawn from the stock; and no card is in two places: the hands, the cards
// played in this deal and the turned card.
Problem CheckCards(const Table &t, const std::vector<Play> &playedThisDeal);

// DeckPos never passes the end of the pack and only grows within a deal.
Problem CheckDeckPos(int before, int after, bool newDeal);

// During trick play a playing seat holds four cards less those it played.
Problem CheckHandSizes(const Table &t, const std::vector<Play> &playedThisDeal);

// A card put to a trick follows the led suit, else is a trump, else anything.
Problem CheckFollowsSuit(const Play &play, const std::string &ledSuit, const std::string &trump);

// The card that takes the trick so far: the highest trump, else the highest
// card of the suit led. `trick` is not empty.
const Play &TrickWinner(const std::vector<Play> &trick, const std::string &trump);

// The seat that leads the first trick: the one seat that took five; with two
// such seats the seat after the declarer; else the declarer.
int FirstLeaderOf(const Table &t);

// The next seat that plays to a trick after `seat`: seats that are out are
// passed over.
int NextPlayingSeat(const Table &t, int seat);

// How a finished deal was scored: four tricks in all; those counted trick by
// trick when cards were played; else all four to the declarer when nobody
// played against it, or to the highest four of a kind; the declarer deals
// next.
Problem CheckSettledDeal(const Table &t, const std::array<int, 4> &countedTricks, bool cardsPlayed);

// The balances of seats 1..3 and the bank just before a settlement shares
// out the bank.
struct Purse {
    std::array<Currency, 4> balances{};
    Currency bank;
};

// How a settlement moved the money from `before` to the window `after`. The
// bank, rounded to a whole number (a half to the even neighbour), is shared
// by tricks: each trick of `t` earns a quarter. A seat that failed its
// undertaking then pays into the next bank: the declarer (status 6) with
// fewer than two tricks twice the bank, a seat that undertook one trick
// (status 4, 5 or 7) with none the bank; a seat that is out (8) never pays.
// The bank holds just those payments, and is the plain "0" when nobody paid.
// Meaningful while the amounts are far inside the currency's range.
Problem CheckSettlement(const Table &t, const Purse &before, const RecordingView &after);

// The cards one event takes from the stock, by the rules: five for each seat
// that takes five; for a going-for seat whose rank nobody else holds, five
// less the cards of that rank it keeps; for each seat whose exchange is done,
// four less the cards it keeps. `unseen` counts the seats of the computer
// that throw a card away at once, which may be a card just drawn.
struct StockDraws {
    int cards = 0;
    int unseen = 0;
};
// `start` is the table as the event found it (for an event that dealt, the
// table as the deal leaves it), `goingForResolved` whether the event was the
// press of Sled that settles a going-for declaration, and `playedThisEvent`
// the cards put on tricks during the event.
StockDraws DrawsOf(const Table &start, const Table &t, bool goingForResolved,
                   const std::vector<Play> &playedThisEvent);

// The stock is taken from the top, card by card: DeckPos stands one past the
// turned card and the `drawnThisDeal` cards drawn since; every card that came
// into a hand in this event (held at its end, or put on a trick) is one of
// the cards after `start`'s DeckPos; and each of those cards reached a hand,
// save at most `unseen` thrown away at once.
Problem CheckStock(const Table &start, const Table &t, int drawnThisDeal, int unseen,
                   const std::vector<Play> &playedThisEvent);

// Every hand holds its cards in the order they left the pack: the deal gives
// each seat four cards in a row, a draw puts the new cards after the kept
// ones, and a card leaves a hand without moving the others.
Problem CheckHandOrder(const Table &t);

// The table as a deal of `t`'s deck leaves it before anyone speaks.
Table FreshDeal(const Table &t);

// An amount on the table, or the three stakes a deal collects, is so close
// to the currency's limit that the next event could saturate a sum; from then
// on the total of the money is no longer an exact count.
bool NearCurrencyLimit(const RecordingView &view, Currency stake);

// Every amount is written in the game's number form and, when an expected
// total is given, the balances and the bank add up to it, read exactly: every
// payment goes from a seat to the bank or back, and only settlement, which
// shares out the bank rounded to a whole number, adds or takes away that
// rounding. The total means something while no sum has come near the
// currency's limit.
Problem CheckMoney(const RecordingView &view, std::optional<Currency> expected);

// Some control that moves the game on can be pressed.
Problem CheckSomethingPressable(const RecordingView &view);

// The first difference between two tables, or two windows, by name.
Problem CompareTables(const Table &before, const Table &after);
Problem CompareViews(const RecordingView &before, const RecordingView &after);

// What the checks count cards with, for the player that runs them event by
// event.

// "seat 2", to name a seat in a problem.
std::string SeatName(int seat);
// 0..35 for a card code, its place in the pack literal; -1 for anything else.
int CardNumber(std::string_view code);
// The places of the cards in a pack: card k (1..36) by its number and the
// number of card k; 0 and -1 for what the pack does not hold.
struct PackPlaces {
    std::array<int, 36> of{};
    std::array<int, 37> card{};
};
PackPlaces PlacesIn(std::string_view deck);
// CheckStock and CheckHandOrder on a pack whose places are known.
Problem CheckStock(const PackPlaces &pack, const Table &start, const Table &t, int drawnThisDeal,
                   int unseen, const std::vector<Play> &playedThisEvent);
Problem CheckHandOrder(const PackPlaces &pack, const Table &t);

} // namespace vurp::check
