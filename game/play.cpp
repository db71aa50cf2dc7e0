// Trick play: the first leader, four of a kind, the twelve card plays slot by
// slot, the winner of each trick and its collection with "Дальше".
//
// PlayMode holds the last slot filled, or the slot seat 1 is about to fill
// while the game waits for its click (slots: table.h).
#include <string>

#include "cards.h"
#include "computer_play.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

namespace {

std::string SeatDigit(int seat) {
    return std::to_string(seat);
}

// A computer seat puts its card on the table. A lead starts TrickBest; a
// later card of tricks 1-3 takes it when the choice says it wins; in trick 4
// there is no choice, so the winner rule decides.
void PlaceCard(Game &g, int slot, const CardChoice &choice) {
    const int seat = g.CurSeat;
    const int trick = TrickOf(slot);
    const std::string &card = choice.card;
    g.Played[slot] = card;
    g.Hands[seat] = HandWithout(g, seat, card);
    if (PositionOf(slot) == 1 || choice.wins) {
        g.TrickBest = card + SeatDigit(seat);
    } else if (trick == 4) {
        g.UpdateTrickBest(card);
    }
    g.ShowPicture(Control::Hod, seat, card);
    g.Show(Control::Hod, seat, true);
    g.Show(Game::HandBoxes(seat), 5 - trick, false);
    g.view().Tell(GameEvent::Of(EventKind::Card, seat).WithCard(card));
    // Nothing reads the trumps seen after the lead of trick 3.
    if (SuitOf(card) == g.Trump && slot <= 9) {
        g.TrumpsOut = Trim(g.TrumpsOut) + Trim(card);
    }
}

// After a card at the first or second position the next seat plays at once;
// after the third the trick waits for "Дальше".
void AfterCard(Game &g, int slot) {
    g.PlayMode = slot;
    if (PositionOf(slot) == 3) {
        g.Enable(Control::Sled, 0, true);
        return;
    }
    g.NextSeat();
    g.PlayStep();
}

// Seat 1 is to play: its boxes that may be played become clickable. With no
// suit to follow (a lead, or its last card) that is every box of its
// remaining hand: four in trick 1, three in tricks 2 and 3 alike (in trick 3
// the third is hidden), one in trick 4.
void AwaitHumanCard(Game &g, int slot) {
    const int trick = TrickOf(slot);
    if (PositionOf(slot) == 1 || trick == 4) {
        const int boxes = trick == 1 ? 4 : (trick == 4 ? 1 : 3);
        for (int b = 1; b <= boxes; ++b) {
            g.Enable(Control::Pict1, b, true);
        }
    } else {
        g.EnableLegalCards();
    }
    g.PlayMode = slot;
}

// One card of a trick: a seat that passed places none and the trick goes on
// without it (a leader has always played), seat 1 is given its choice, a
// computer seat plays at once.
void PlaySlot(Game &g, int slot) {
    if (PositionOf(slot) != 1 && g.Status[g.CurSeat] == Out) {
        AfterCard(g, slot);
        return;
    }
    if (g.CurSeat == HumanSeat) {
        AwaitHumanCard(g, slot);
        return;
    }
    PlaceCard(g, slot, ChooseCard(g, g.CurSeat, slot));
    AfterCard(g, slot);
}

} // namespace

void Game::BeginPlay() {
    FirstLeader();
    PlayPhase = true;
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] != DeclarerReady && Status[s] != Out) {
            StartPlay();
            return;
        }
    }
    SettleUncontested();
}

void Game::FirstLeader() {
    CurSeat = NoSeat;
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] == TookFive) {
            CurSeat = CurSeat == NoSeat ? s : SeveralSeats;
        }
    }
    if (CurSeat >= 1 && CurSeat <= 3) {
        return;
    }
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] == DeclarerReady) {
            // With two seats that took five, the seat after the declarer leads.
            const bool twoTookFive = CurSeat != NoSeat;
            CurSeat = s;
            if (twoTookFive) {
                NextSeat();
            }
        }
    }
    // Play never starts without a declarer; should it, seat 1 leads rather
    // than a seat that does not exist.
    if (CurSeat < 1 || CurSeat > 3) {
        CurSeat = HumanSeat;
    }
}

void Game::StartPlay() {
    // A Sled left enabled would collect a trick that has not been played.
    Enable(Control::Sled, 0, false);

    int best = 0;
    int holder = 0;
    for (int s = 1; s <= 3; ++s) {
        const int rank = FourOfAKindRank(*this, s);
        if (rank > best) {
            best = rank;
            holder = s;
        }
    }
    if (holder != 0) {
        if (holder != HumanSeat) {
            for (int b = 1; b <= 4; ++b) {
                ShowPicture(HandBoxes(holder), b, CardAt(Hands[holder], b));
            }
        }
        Tricks[holder] = 4;
        SetText(Control::KolVz, holder, "4");
        Tell(GameEvent::Of(EventKind::FourOfAKind, holder).WithRank(best).WithCount(4));
        TrickBest.clear();
        PlayMode = 12;
        PlayStep();
        return;
    }
    PlaySlot(*this, 1);
}

void Game::PlayStep() {
    // Slot 1 belongs to StartPlay; after slot 12, or from a PlayMode that
    // names no slot, the deal is over.
    if (PlayMode < 1 || PlayMode > 11) {
        SettleDeal();
        return;
    }
    const int slot = PlayMode + 1;
    if (TrickOf(slot) == 4) {
        PlayLastCards();
        return;
    }
    switch (PositionOf(slot)) {
    case 1:
        LeadTrick();
        break;
    case 2:
        PlaySecond();
        break;
    default:
        PlayThird();
        break;
    }
}

void Game::PlaySecond() {
    const int slot = PlayMode + 1;
    // The suit led is known before anything else, also when seat 1 is to play.
    LedSuit = SuitOf(Played[slot - 1]);
    PlaySlot(*this, slot);
}

void Game::PlayThird() {
    PlaySlot(*this, PlayMode + 1);
}

void Game::LeadTrick() {
    PlaySlot(*this, PlayMode + 1);
}

void Game::PlayLastCards() {
    PlaySlot(*this, PlayMode + 1);
}

void Game::UpdateTrickBest(const std::string &card) {
    const std::string suit = SuitOf(card);
    const std::string bestSuit = SuitOf(TrickBest);
    const bool lead = Trim(TrickBest).empty();
    const bool higherSameSuit = suit == bestSuit && RankOf(card) > RankOf(TrickBest);
    const bool trumpsPlainCard = suit == Trump && bestSuit != Trump;
    if (lead || higherSameSuit || trumpsPlainCard) {
        TrickBest = Mid(card, 1, 2) + SeatDigit(CurSeat);
    }
}

void Game::TakeTrick() {
    const std::string winner = Mid(Trim(TrickBest), 3, 1);
    // Without a card and its seat digit there is no trick to credit.
    if (winner != "1" && winner != "2" && winner != "3") {
        return;
    }
    const int w = winner[0] - '0';
    Tricks[w] += 1;
    CurSeat = w;
    SetText(Control::KolVz, w, WriteNumber(ReadCurrency(Control::KolVz, w) + Currency::FromInt(1)));
    Tell(GameEvent::Of(EventKind::Trick, w).WithCount(Tricks[w]));
    TrickBest.clear();
}

void Game::CollectTrick() {
    // With no card on the table a stray click must neither lead on nor
    // settle a deal that was never played.
    if (Trim(TrickBest).empty()) {
        return;
    }
    TakeTrick();
    for (int s = 1; s <= 3; ++s) {
        Show(Control::Hod, s, false);
    }
    PlayStep();
}

} // namespace vurp
