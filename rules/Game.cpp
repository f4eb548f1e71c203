// Game: the state record of the fight; any player number other than 1 means player 2.
#include "rules/Game.h"

Game::Game() {}

Game::~Game() {}

int Game::getGameState() const { return gameState; }

void Game::setGameState(int value) { gameState = value; }

int Game::getPstate(int player) const { return player == 1 ? pstate1 : pstate2; }

void Game::setPstate(int player, int value) { (player == 1 ? pstate1 : pstate2) = value; }

int Game::getPmove(int player) const { return player == 1 ? pmove1 : pmove2; }

void Game::setPmove(int player, int value) { (player == 1 ? pmove1 : pmove2) = value; }
