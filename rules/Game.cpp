// Game: the state record of the fight; any player number other than 1 means player 2.
#include "rules/Game.h"

Game::Game() {}

Game::~Game() {}

void Game::init() {
    gameState = 1;
    pstate1 = pmove1 = csign1 = lsign1 = 0;
    pstate2 = pmove2 = csign2 = lsign2 = 0;
}

int Game::getGameState() const { return gameState; }

void Game::setGameState(int value) { gameState = value; }

int Game::getPstate(int player) const { return player == 1 ? pstate1 : pstate2; }

void Game::setPstate(int player, int value) { (player == 1 ? pstate1 : pstate2) = value; }

int Game::getPmove(int player) const { return player == 1 ? pmove1 : pmove2; }

void Game::setPmove(int player, int value) { (player == 1 ? pmove1 : pmove2) = value; }

int Game::getCsign(int player) const { return player == 1 ? csign1 : csign2; }

void Game::setCsign(int player, int value) { (player == 1 ? csign1 : csign2) = value; }

int Game::getLsign(int player) const { return player == 1 ? lsign1 : lsign2; }

void Game::setLsign(int player, int value) { (player == 1 ? lsign1 : lsign2) = value; }
