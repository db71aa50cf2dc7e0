// TEMPORARY: empty bodies while this subsystem is written; deleted by its owner.
#include "game.h"

namespace vurp {
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
} // namespace vurp
