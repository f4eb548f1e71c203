// The two ways of finding hands, run on frames from files through the game's own code.
#ifndef VANTORIX_HANDS_READ_HAND_WAYS_H
#define VANTORIX_HANDS_READ_HAND_WAYS_H

#include <string>
#include <vector>

#include "webcam/hand_reading.h"

// What a frame is for: learning the empty room, learning the players at rest, or play.
enum FrameRole { EMPTY_FRAME, STAND_FRAME, PLAY_FRAME };

// frames: 320 x 240 x 3 RGB each. One reading per frame; the room way's learning frames give
// a reading with no hand found.
std::vector<HandReading> readDesign(const std::vector<std::vector<unsigned char>>& frames);
// handModel: the hand landmark model reading the room way's signs; empty, or one that cannot be
// read (said in one line on standard error), leaves them to the hand's outline. secondHandModel:
// the model asked too where the first is unsure; empty, or one that cannot be read (said so), none.
std::vector<HandReading> readRoom(const std::vector<std::vector<unsigned char>>& frames,
                                  const std::vector<FrameRole>& roles, const std::string& handModel,
                                  const std::string& secondHandModel);

#endif
