// Trick play: the first leader, four of a kind, the twelve card plays slot by
// slot, the winner of each trick and its collection with "Дальше".
//
// Slot = 3 x (trick - 1) + position; PlayMode holds the last slot filled, or
// the slot seat 1 is about to fill while the game waits for its click.
#include <string>

#include "cards.h"
#include "computer_play.h"
#include "game.h"
#include "hand_queries.h"

namespace vurp {

namespace {

int TrickOf(int slot) {
    return (slot - 1) / 3 + 1;
}
int PositionOf(int slot) {
    return (slot - 1) % 3 + 1;
}

std::string SeatDigit(int seat) {
    return std::to_string(seat);
}

// A computer seat puts its card on the table. A lead starts TrickBest; a
// later card of tricks 1-3 takes it when the choice says it wins; in trick 4
// there is no choice, so the winner rule decides.
void PlaceCard(Game &g, int slot, const std::string &card, bool wins) {
    const int seat = g.CurSeat;
    const int trick = TrickOf(slot);
    g.Played[slot] = card;
    g.Hands[seat] = HandWithout(g, seat, card);
    if (PositionOf(slot) == 1 || wins) {
        g.TrickBest = card + SeatDigit(seat);
    } else if (trick == 4) {
        g.UpdateTrickBest(card);
    }
    g.ShowPicture(Control::Hod, seat, card);
    g.Show(Control::Hod, seat, true);
    g.Show(Game::HandBoxes(seat), 5 - trick, false);
    // Nothing reads the trumps seen after the lead of trick 3.
    if (Mid(card, 2, 1) == g.Trump && slot <= 9) {
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

// Seat 1 is to play with no suit to follow (a lead, or its last card): the
// boxes of its remaining hand become clickable.
void AwaitHumanCard(Game &g, int slot, int boxes) {
    for (int b = 1; b <= boxes; ++b) {
        g.Enable(Control::Pict1, b, true);
    }
    g.PlayMode = slot;
}

// A seat that passed places no card: the trick goes on without it.
bool SkipIfOut(Game &g, int slot) {
    if (g.Status[g.CurSeat] != Out) {
        return false;
    }
    AfterCard(g, slot);
    return true;
}

} // namespace

void Game::FirstLeader() {
    CurSeat = 0;
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] == TookFive) {
            // 4 marks more than one seat that took five.
            CurSeat = CurSeat == 0 ? s : 4;
        }
    }
    if (CurSeat >= 1 && CurSeat <= 3) {
        return;
    }
    for (int s = 1; s <= 3; ++s) {
        if (Status[s] == DeclarerReady) {
            // With two seats that took five, the seat after the declarer leads.
            const bool two_took_five = CurSeat != 0;
            CurSeat = s;
            if (two_took_five) {
                NextSeat();
            }
        }
    }
    // Play never starts without a declarer; should it, seat 1 leads rather
    // than a seat that does not exist.
    if (CurSeat < 1 || CurSeat > 3) {
        CurSeat = 1;
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
        if (holder != 1) {
            for (int b = 1; b <= 4; ++b) {
                ShowPicture(HandBoxes(holder), b, CardAt(Hands[holder], b));
            }
        }
        Tricks[holder] = 4;
        SetText(Control::KolVz, holder, "4");
        TrickBest.clear();
        PlayMode = 12;
        PlayStep();
        return;
    }

    if (CurSeat == 1) {
        AwaitHumanCard(*this, 1, 4);
        return;
    }
    PlaceCard(*this, 1, ChooseFirstLead(*this, CurSeat), true);
    AfterCard(*this, 1);
}

void Game::PlayStep() {
    switch (PlayMode) {
    case 1:
    case 4:
    case 7:
        PlaySecond();
        break;
    case 2:
    case 5:
    case 8:
        PlayThird();
        break;
    case 3:
    case 6:
        LeadTrick();
        break;
    case 9:
    case 10:
    case 11:
        PlayLastCards();
        break;
    default:
        SettleDeal();
        break;
    }
}

void Game::PlaySecond() {
    const int slot = PlayMode + 1;
    const std::string lead = Played[slot - 1];
    LedSuit = Mid(lead, 2, 1);
    if (SkipIfOut(*this, slot)) {
        return;
    }
    if (CurSeat == 1) {
        EnableLegalCards();
        PlayMode = slot;
        return;
    }
    const CardChoice choice = ChooseSecond(*this, CurSeat, lead);
    PlaceCard(*this, slot, choice.card, choice.wins);
    AfterCard(*this, slot);
}

void Game::PlayThird() {
    const int slot = PlayMode + 1;
    if (SkipIfOut(*this, slot)) {
        return;
    }
    if (CurSeat == 1) {
        EnableLegalCards();
        PlayMode = slot;
        return;
    }
    const CardChoice choice = ChooseThird(*this, CurSeat);
    PlaceCard(*this, slot, choice.card, choice.wins);
    AfterCard(*this, slot);
}

void Game::LeadTrick() {
    const int slot = PlayMode + 1;
    const int trick = TrickOf(slot);
    if (CurSeat == 1) {
        // Boxes 1..3 in tricks 2 and 3 alike; in trick 3 box 3 is hidden.
        AwaitHumanCard(*this, slot, 3);
        return;
    }
    PlaceCard(*this, slot, ChooseLead(*this, CurSeat, trick), true);
    AfterCard(*this, slot);
}

void Game::PlayLastCards() {
    const int slot = PlayMode + 1;
    if (PositionOf(slot) != 1 && SkipIfOut(*this, slot)) {
        return;
    }
    if (CurSeat == 1) {
        AwaitHumanCard(*this, slot, 1);
        return;
    }
    // The last card is the whole hand: there is nothing to choose.
    PlaceCard(*this, slot, Trim(Hands[CurSeat]), false);
    AfterCard(*this, slot);
}

void Game::UpdateTrickBest(const std::string &card) {
    const std::string suit = Mid(card, 2, 1);
    const std::string best_suit = Mid(TrickBest, 2, 1);
    const bool lead = Trim(TrickBest).empty();
    const bool higher_same_suit = suit == best_suit && Mid(card, 1, 1) > Mid(TrickBest, 1, 1);
    const bool trumps_plain_card = suit == Trump && best_suit != Trump;
    if (lead || higher_same_suit || trumps_plain_card) {
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
