// Game: the state record of the fight (game state and each player's state, move and signs).
#ifndef VANTORIX_GAME_H
#define VANTORIX_GAME_H

class Game {
public:
    int gameState = 0;
    int pstate1 = 0;
    int pmove1 = 0;
    int csign1 = 0;
    int lsign1 = 0;
    int pstate2 = 0;
    int pmove2 = 0;
    int csign2 = 0;
    int lsign2 = 0;

    Game();
    ~Game();

    void init();
    int getGameState() const;
    void setGameState(int value);
    int getPstate(int player) const;
    void setPstate(int player, int value);
    int getPmove(int player) const;
    void setPmove(int player, int value);
    int getCsign(int player) const;
    void setCsign(int player, int value);
    int getLsign(int player) const;
    void setLsign(int player, int value);
};

#endif
