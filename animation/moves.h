// Moves: the motion library, the game's twelve textures and the sparks.
#ifndef VANTORIX_MOVES_H
#define VANTORIX_MOVES_H

#include <vector>

#include "animation/Mesh.h"

// Number of texture slots that getText() hands out.
const int NB_TEXTURES = 12;

// A particle record, by position.
typedef std::vector<float> Record;
typedef std::vector<Record> RecordList;

// The fields of a spark: age in ticks, opacity, position (3), velocity (3), and 1 for a spark of
// player 1 (0 for player 2's).
const int SPARK_AGE = 0;
const int SPARK_OPACITY = 1;
const int SPARK_POSITION = 2;
const int SPARK_VELOCITY = 5;
const int SPARK_OF_PLAYER1 = 8;
const int SPARK_FIELDS = 9;

class Moves {
public:
    std::vector<std::vector<Mesh> > movePoses;
    std::vector<std::vector<int> > moveFrames;
    std::vector<std::vector<float> > moveDists;
    RecordList particles;
    unsigned int textures[NB_TEXTURES];

    Moves();
    ~Moves();

    void loadMoves();
    void loadTextures();
    void loadTexture(const char* fileName, int slot);
    unsigned int* getText();

    Mesh interpolate(int move, int clock) const;
    void interpolate(int move, int clock, Mesh& pose) const;
    float interpolateDist(int move, int clock) const;
    int getMoveLength(int move) const;

    void newBang(std::vector<float> burst, int count, int player);
    RecordList moveParticles(int step);
};

#endif
