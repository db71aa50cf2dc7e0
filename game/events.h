// What happens at the table, told to the view as it happens: one event per
// thing done, with the seat that did it and what it concerns. The events
// change nothing; the table and the controls stay the game's record. An event
// is told once its move shows on the controls, so that a window pacing the
// moves can show the table as it stood at each event.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "money.h"

namespace vurp {

enum class EventKind {
    Stakes,      // every seat paid `amount` into the bank
    Turned,      // `card` is turned as the trump candidate
    Redeal,      // the third candidate was refused: the cards are dealt again
    Vurp,        // `seat` accepts the candidate; `words` as said
    Pass,        // `seat` refuses the candidate; `words` as said
    Helicopter,  // `seat` says the helicopter; `words` as said
    Help,        // `seat` helps the declarer; `words` as said
    Out,         // `seat` passes out of the deal; `words` as said
    GoingFor,    // `seat` goes for four of `rank`; `words` as said
    Answer,      // `seat` says whether it `holds` a card of `rank`; `words` as said
    Draw,        // going for `rank`, `seat` draws `count` cards from the stock
    TakeFive,    // `seat` takes five new cards; `words` as said
    Discard,     // `seat` throws away `card`, the fifth of its cards
    Exchange,    // `seat` exchanges `count` cards with the stock
    Card,        // `seat` plays `card`
    Trick,       // `seat` takes a trick and holds `count` tricks now
    FourOfAKind, // `seat` shows four of `rank` and takes all four tricks
    Settlement,  // `seat`'s balance changes by `amount` for `reason`
};

enum class SettlementReason {
    None,
    Share,         // a share of the bank for `count` tricks
    DeclarerShort, // twice the bank: the declarer took fewer than two tricks
    HelperNoTrick, // the bank: a helper took no trick
};

struct GameEvent {
    EventKind kind = EventKind::Stakes;
    int seat = 0; // 1..3; 0 where no seat acts
    std::string card;
    std::string words;
    int rank = 0; // 1..9, six to ace
    int count = 0;
    bool holds = false;
    Currency amount;
    SettlementReason reason = SettlementReason::None;

    static GameEvent Of(EventKind kind, int seat = 0) {
        GameEvent event;
        event.kind = kind;
        event.seat = seat;
        return event;
    }
    GameEvent WithCard(std::string value) const {
        GameEvent event = *this;
        event.card = std::move(value);
        return event;
    }
    GameEvent WithWords(std::string value) const {
        GameEvent event = *this;
        event.words = std::move(value);
        return event;
    }
    GameEvent WithRank(int value) const {
        GameEvent event = *this;
        event.rank = value;
        return event;
    }
    GameEvent WithCount(int value) const {
        GameEvent event = *this;
        event.count = value;
        return event;
    }
    GameEvent WithHolds(bool value) const {
        GameEvent event = *this;
        event.holds = value;
        return event;
    }
    GameEvent WithAmount(Currency value, SettlementReason why = SettlementReason::None) const {
        GameEvent event = *this;
        event.amount = value;
        event.reason = why;
        return event;
    }

    friend bool operator==(const GameEvent &, const GameEvent &) = default;
};

// Whether `event` is the first of a new deal: the first after a settlement.
inline bool StartsDeal(const GameEvent &previous, const GameEvent &event) {
    return previous.kind == EventKind::Settlement && event.kind != EventKind::Settlement;
}

// The events a log of the table shows: those of the deal under way, after
// the settlement of the deal before it.
class DealStory {
public:
    void Add(const GameEvent &event) {
        if (!events_.empty() && StartsDeal(events_.back(), event)) {
            // Only the settlement of the deal just over stays.
            std::size_t first = events_.size();
            while (first > 0 && events_[first - 1].kind == EventKind::Settlement) {
                --first;
            }
            events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(first));
        }
        events_.push_back(event);
    }
    const std::vector<GameEvent> &Events() const { return events_; }
    void Clear() { events_.clear(); }

private:
    std::vector<GameEvent> events_;
};

} // namespace vurp
