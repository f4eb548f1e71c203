// The seam where a hand's sign is read: the reader in use is a plain struct of one function.
#ifndef VANTORIX_SIGN_READER_H
#define VANTORIX_SIGN_READER_H

#include <vector>

#include "webcam/room_hands.h"

// One found hand, handed to a sign reader with no OpenCV type: the whole frame for a reader
// that looks at the pixels, and the hand's own pixels, already cut to the palm and fingers.
struct HandPatch {
    const unsigned char* rgb = nullptr;  // 320 x 240 x 3, red green blue, top row first
    ImageBox box;                        // where the hand lies in the frame
    // box-sized, top row first: 255 on the hand, 0 elsewhere.
    std::vector<unsigned char> mask;
    // The palm's centre (image coordinates) and the radius of the widest disc inside it.
    int palmX = 0;
    int palmY = 0;
    float palmRadius = 0;
    // 160 x 120, top row first: 255 where the picture differs from the room and the players at
    // rest; null when the finder keeps no such picture.
    const unsigned char* moving = nullptr;
};

// What a reader gives for a patch it is sure shows no hand (a knee, a chair, a second face):
// the room way then tries the player's next skin region, and reads NO_SIGN if none is a hand.
const int NOT_A_HAND = -1;

// A sign reader: its name for the notes and its function, which gives a sign code of
// game/codes.h (NO_SIGN when it cannot tell) or NOT_A_HAND, handed the reader's own state (a
// learned model, the hands it follows), null for a reader that keeps none.
struct SignReader {
    const char* name;
    int (*readWith)(void* self, const HandPatch& hand);
    void* self;

    int read(const HandPatch& hand) const { return readWith(self, hand); }
};

// The reader of the hand's outline: fingers told from the gaps between them.
const SignReader& shapeSignReader();

#endif
