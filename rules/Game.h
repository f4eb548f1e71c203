// Game: the state record of the fight (game state and each player's state, move and signs).
#ifndef VANTORIX_GAME_H
#define VANTORIX_GAME_H

class Game {
public:
    int gameState = 0;
    int pstate1 = 0;
    int pmove1 = 0;
    // The current and last signs of the record: never set by the rules, always 0, but part of
    // the fight's fingerprint, so that recordings and online peers keep matching.
    int csign1 = 0;
    int lsign1 = 0;
    int pstate2 = 0;
    int pmove2 = 0;
    int csign2 = 0;
    int lsign2 = 0;

    Game();
    ~Game();

    int getGameState() const;
    void setGameState(int value);
    int getPstate(int player) const;
    void setPstate(int player, int value);
    int getPmove(int player) const;
    void setPmove(int player, int value);
};

#endif
