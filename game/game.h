// The game: the table state, the view it shows itself through, the random
// source, and every handler and routine of the game by its name.
//
// One user action is one call of Click (or TextChanged): the handler and the
// routines it calls run the computer seats at once and return where the human
// must act next.
#pragma once

#include <string>
#include <string_view>

#include "money.h"
#include "random.h"
#include "table.h"
#include "view.h"

namespace vurp {

class Game : public Table {
public:
    Game(View &view, Random &random);
    Game(const Game &) = delete;
    Game &operator=(const Game &) = delete;

    View &view() { return view_; }

    // The window opened.
    void Form_Load();
    // A click on a control (index 0) or on element `index` of a control
    // array. A click on a hidden or disabled control, or on a control that
    // does not exist, is not delivered: the result is false and nothing
    // happens. A delivered click on a control without a handler does nothing.
    bool Click(Control control, int index = 0);
    // The text of an editable control changed.
    void TextChanged(Control control, int index = 0);

    // Deal and money.
    void Razd_Click();
    void Stavk_Change();
    void CollectStakes();
    void SettleDeal();
    void SettleUncontested();

    // Declaration order.
    void NextSeat();
    bool AllDeclared() const;
    bool AllExchanged() const;
    void FirstRoundTurn();
    void SecondRoundTurn();

    // Declaration commands; each acts for CurSeat.
    void vurp_Click();
    void PasVurp_Click();
    void VurpGo_Click();
    void Vert_Click();
    void five_Click();
    void PasHelp_Click();
    void Help_Click();
    void HelpGo_Click();
    // Seat 1 throws away card k of five after take five or a going-for draw.
    void DiscardFifth(int k);

    // Computer seats' declarations.
    void ComputerFirstRound();
    void ComputerSecondRound();
    void ComputerDiscard();

    // Going for four of a kind.
    void GoKats_Click(int k);
    bool AskForRank(int r);
    void ResolveGoingFor();
    void GoForDraw(int r);

    // Exchange.
    void ExchangeStep();
    void ThrowAwayCard(int i);
    void Change_Click();

    // Trick play.
    // Play begins once the declarations, and the exchange if any, are over:
    // the first leader is chosen and the tricks are played, or, when nobody
    // is left to play against the declarer, the deal is settled at once.
    void BeginPlay();
    void FirstLeader();
    void StartPlay();
    void PlayStep();
    void PlaySecond();
    void PlayThird();
    void LeadTrick();
    void PlayLastCards();
    void UpdateTrickBest(const std::string &card);
    void TakeTrick();
    void CollectTrick();
    void EnableLegalCards();
    void PlayCard(int i);

    // Branching handlers: by the phase of the game.
    void Sled_Click();
    void Pict1_Click(int n);

    // Panels.
    void Pravila_Click();
    void Game_Click();

    // View helpers used by every part.
    std::string TextOf(Control control, int index = 0) const;
    void SetText(Control control, int index, const std::string &text);
    void Show(Control control, int index, bool visible);
    void Enable(Control control, int index, bool enabled);
    // Loads the picture of a card code (or CardBack) into CardPicture and
    // shows it in the box.
    void ShowPicture(Control control, int index, std::string_view name);
    // Cuts card i out of seat 1's hand (no trimming: a trailing blank stays)
    // and lays the rest out again from the left, clickable or not.
    void CutFromHumanHand(int i, bool clickable);
    // Shows seat 1's cards in boxes 1.. from the left, clickable or not.
    void LayOutHumanHand(bool clickable);
    // Writes a balance or the bank and, for a balance, colours it by sign.
    void WriteBalance(int seat, Currency value);
    Currency ReadCurrency(Control control, int index = 0) const;
    // The card boxes of a seat: Pict1, Pict2 or Pict3.
    static Control HandBoxes(int seat);

private:
    // Tells the view what happened; nothing else changes.
    void Tell(const GameEvent &event) { view_.Tell(event); }
    // CurSeat has said its words, now in its speech line.
    void TellSaid(EventKind kind);
    // CurSeat says "Вурп " or "Помогу " to go for four of a rank it names
    // next.
    void SayVurpGoingFor();
    void SayHelpGoingFor();
    // CurSeat, having said "Вурп " or "Помогу ", goes for four of rank r: it
    // names the rank, the other seats answer and "Дальше" waits to settle it.
    void DeclareGoingFor(int r);
    // The human's declaration buttons, by round, and the rank buttons.
    void EnableFirstRoundButtons(bool enabled);
    void EnableSecondRoundButtons(bool enabled);
    void EnableRankButtons(bool enabled);
    // Card `card` of the pack becomes the trump candidate.
    void TurnCandidate(int card);
    // The next n cards of the stock, in pack order; a draw past the last
    // card yields fewer.
    std::string DrawFromStock(int n);
    // Seat 1 holds five cards to choose its discard from.
    void ShowFiveClickableCards();
    // A computer seat keeps its trumps and aces and replaces the rest.
    void ComputerExchange();
    // A seat that has thrown away its fifth card has its final hand.
    void AfterDiscard();
    // A final second-round answer hands the word on; the declarations are
    // over once every seat has spoken.
    void AfterFinalAnswer();

    View &view_;
    Random &random_;
};

} // namespace vurp
