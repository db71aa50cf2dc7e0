// TEMPORARY: empty bodies while this subsystem is written; deleted by its owner.
#include "game.h"

namespace vurp {
void Game::SettleDeal() {}
void Game::SettleUncontested() {}
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
