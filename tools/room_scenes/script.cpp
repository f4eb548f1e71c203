// Scene scripts: signs held a few frames at a time across each player's half, hands lowered or by the face.
#include "script.h"

#include <algorithm>
#include <cmath>

#include "canvas.h"

int halfStart(int playerIndex) {
    return playerIndex == 0 ? 160 : 0;
}

// The game walks a player when the hand is 15 columns or more from the half's middle: the places
// are drawn evenly from the left, the middle and the right of the half.
static float handColumn(cv::RNG& rng) {
    switch (rng.uniform(0, 3)) {
    case 0:
        return (float)rng.uniform(24.0, 60.0);
    case 1:
        return (float)rng.uniform(66.0, 94.0);
    default:
        return (float)rng.uniform(100.0, 136.0);
    }
}

// One held gesture: a sign somewhere in the half, a sign by the face, or the hand down.
static HandPose heldPose(cv::RNG& rng, const Person& player, int start) {
    HandPose pose;
    int kind = rng.uniform(0, 100);
    if (kind < 12) {
        return pose;
    }
    pose.raised = true;
    pose.sign = rng.uniform(1, 4);
    pose.tilt = (float)rng.uniform(-25.0, 25.0);
    pose.turn = (float)rng.uniform(0.72, 1.0);
    pose.palmWidth = std::clamp(player.faceWidth * 0.58f * (float)rng.uniform(0.92, 1.1), 20.0f, 28.0f);
    if (kind < 24) {
        float side = rng.uniform(0, 2) ? 1.0f : -1.0f;
        float x = player.centreX + side * player.faceWidth * (float)rng.uniform(0.75, 0.95);
        pose.centre = cv::Point2f(std::clamp(x, start + 24.0f, start + 136.0f),
                                  player.headY + player.faceWidth * (float)rng.uniform(-0.2, 0.3));
    } else {
        pose.centre = cv::Point2f(start + handColumn(rng), (float)rng.uniform(72.0, 165.0));
    }
    return pose;
}

// A held hand still moves a little from frame to frame.
static HandPose trembling(HandPose pose, cv::RNG& rng) {
    if (pose.raised) {
        pose.centre += cv::Point2f((float)rng.gaussian(1.2), (float)rng.gaussian(1.2));
        pose.tilt += (float)rng.gaussian(2.5);
    }
    return pose;
}

static std::vector<HandPose> playerHands(cv::RNG& rng, const Person& player, int start, int frames) {
    std::vector<HandPose> hands;
    while ((int)hands.size() < frames) {
        HandPose held = heldPose(rng, player, start);
        int hold = rng.uniform(2, 6);
        for (int i = 0; i < hold && (int)hands.size() < frames; ++i) {
            hands.push_back(trembling(held, rng));
        }
    }
    return hands;
}

// Frames into play before a player steps aside, and the frames the step takes.
static const int STEP_START = 8, STEP_FRAMES = 4;

// Players sway a little while they stand, and in play drift up to a few pixels from where they
// stood, and step aside by step pixels if asked.
static Person swaying(Person person, int frame, int playFirst, float phase, float step) {
    person.centreX += 2.5f * std::sin(frame * 0.23f + phase);
    person.headY += 1.0f * std::sin(frame * 0.31f + phase * 2);
    if (frame > playFirst + STEP_START) {
        float part = std::min(1.0f, (frame - playFirst - STEP_START) / (float)STEP_FRAMES);
        person.centreX += (phase > 3.15f ? 1.0f : -1.0f) * step * part;
    }
    if (frame > playFirst) {
        person.centreX += 6.0f * std::sin((frame - playFirst) * 0.08f) * (phase > 3.15f ? 1.0f : -1.0f);
    }
    return person;
}

static void addPasserby(SceneScript& script, cv::RNG& rng) {
    Person walker = randomPerson(rng, rng.uniform(0, 6), false);
    walker.faceWidth = (float)rng.uniform(15.0, 19.0);
    walker.headY = (float)rng.uniform(38.0, 56.0);
    float direction = rng.uniform(0, 2) ? 1.0f : -1.0f, speed = (float)rng.uniform(10.0, 16.0);
    int first = script.emptyFrames + script.standFrames + rng.uniform(0, script.playFrames / 2);
    float x = direction > 0 ? -30.0f : FRAME_WIDTH + 30.0f;
    for (int frame = first; frame < script.emptyFrames + script.standFrames + script.playFrames; ++frame) {
        walker.centreX = x;
        script.frames[frame].passerbyIn = x > -30 && x < FRAME_WIDTH + 30;
        script.frames[frame].passerby = walker;
        x += direction * speed;
    }
}

SceneScript writeScript(const Condition& condition, cv::RNG& rng, const int skinTones[2], float step) {
    SceneScript script;
    script.emptyFrames = rng.uniform(9, 12);
    script.standFrames = rng.uniform(5, 8);
    script.playFrames = rng.uniform(38, 43);
    script.goneFrames = rng.uniform(4, 6);
    int total = script.emptyFrames + script.standFrames + script.playFrames + script.goneFrames;
    script.frames.resize(total);
    int playFirst = script.emptyFrames + script.standFrames;
    for (int p = 0; p < 2; ++p) {
        Person player = randomPerson(rng, skinTones[p], condition.darkClothes);
        player.centreX = halfStart(p) + 80 + (float)rng.uniform(-14.0, 14.0);
        player.headY = (float)rng.uniform(50.0, 70.0);
        std::vector<HandPose> hands = playerHands(rng, player, halfStart(p), script.playFrames);
        float phase = (float)rng.uniform(0.0, 6.3);
        for (int frame = script.emptyFrames; frame < playFirst + script.playFrames; ++frame) {
            script.frames[frame].playersIn = true;
            Person& standing = script.frames[frame].players[p];
            standing = swaying(player, frame, playFirst, phase, step);
            if (frame >= playFirst) {
                const HandPose& hand = hands[frame - playFirst];
                script.frames[frame].hands[p] = hand;
                // Raising a hand, a player leans a little towards it.
                if (hand.raised) {
                    standing.centreX += (hand.centre.x < standing.centreX ? -0.08f : 0.08f) * standing.faceWidth;
                }
            }
        }
    }
    if (rng.uniform(0.0, 1.0) < condition.passerby) {
        addPasserby(script, rng);
    }
    return script;
}
