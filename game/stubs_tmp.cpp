// TEMPORARY: empty bodies while the subsystems are written. Each owner removes
// its functions from here as it implements them in its own file.
#include "game.h"

namespace vurp {
// settlement
void Game::SettleDeal() {}
void Game::SettleUncontested() {}
// declarations
void Game::NextSeat() {}
bool Game::AllDeclared() const { return false; }
bool Game::AllExchanged() const { return false; }
void Game::FirstRoundTurn() {}
void Game::SecondRoundTurn() {}
void Game::vurp_Click() {}
void Game::PasVurp_Click() {}
void Game::VurpGo_Click() {}
void Game::Vert_Click() {}
void Game::five_Click() {}
void Game::PasHelp_Click() {}
void Game::Help_Click() {}
void Game::HelpGo_Click() {}
void Game::DiscardFifth(int) {}
void Game::ComputerFirstRound() {}
void Game::ComputerSecondRound() {}
void Game::ComputerDiscard() {}
void Game::GoKats_Click(int) {}
bool Game::AskForRank(int) { return false; }
void Game::ResolveGoingFor() {}
void Game::GoForDraw(int) {}
// exchange and play
void Game::ExchangeStep() {}
void Game::ThrowAwayCard(int) {}
void Game::Change_Click() {}
void Game::FirstLeader() {}
void Game::StartPlay() {}
void Game::PlayStep() {}
void Game::PlaySecond() {}
void Game::PlayThird() {}
void Game::LeadTrick() {}
void Game::PlayLastCards() {}
void Game::UpdateTrickBest(const std::string &) {}
void Game::TakeTrick() {}
void Game::CollectTrick() {}
void Game::EnableLegalCards() {}
void Game::PlayCard(int) {}
} // namespace vurp
