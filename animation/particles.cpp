// Moves: bursts of sparks thrown at a hit robot and their straight, fading flight.
#include <cstdlib>

#include "animation/moves.h"

// One of -4.00, -3.99, ..., 3.99.
static float spreadDraw() { return (float)((rand() % 800) / 100.0 - 4); }

// Sparks that fly too slowly get a push along the axis, or are sped up.
static void boost(float velocity[3], const float axis[3]) {
    float q = velocity[0] * velocity[0] + velocity[1] * velocity[1] + velocity[2] * velocity[2];
    if (q < 4) {
        for (int j = 0; j < 3; j++) {
            velocity[j] = (float)(velocity[j] + ((rand() % 80) / 10.0 + 2) * axis[j]);
        }
    } else if (q < 9) {
        for (int j = 0; j < 3; j++) {
            velocity[j] += 6 * velocity[j];
        }
    } else if (q < 16) {
        for (int j = 0; j < 3; j++) {
            velocity[j] += 4 * velocity[j];
        }
    }
}

void Moves::newBang(std::vector<float> burst, int count, int player) {
    // A short description reads as zeros rather than past its end.
    if (burst.size() < 6) {
        burst.resize(6, 0.0f);
    }
    const float* origin = &burst[0];
    const float* axis = &burst[3];
    for (int n = 0; n < count; n++) {
        float r1 = spreadDraw();
        float r2 = spreadDraw();
        float r3 = spreadDraw();
        float s = (float)((rand() % 100) / 100.0 - 0.5);
        // Across the axis, with a little spread along it.
        float velocity[3] = {r2 * axis[2] - r3 * axis[1] + s * axis[0],
                             r3 * axis[0] - r1 * axis[2] + s * axis[1],
                             r1 * axis[1] - r2 * axis[0] + s * axis[2]};
        boost(velocity, axis);
        Record spark;
        spark.push_back(0);
        spark.push_back(1.0f);
        spark.insert(spark.end(), origin, origin + 3);
        spark.insert(spark.end(), velocity, velocity + 3);
        spark.push_back(player == 1 ? 1.0f : 0.0f);
        particles.push_back(spark);
    }
}

RecordList Moves::moveParticles(int step) {
    // The only way sparks ever leave: all at once when there are too many.
    if (particles.size() > 1000) {
        particles.clear();
    }
    for (Record& spark : particles) {
        spark[SPARK_AGE] += step;
        spark[SPARK_OPACITY] = (float)(spark[SPARK_OPACITY] * 0.98);
        for (int j = 0; j < 3; j++) {
            float& position = spark[SPARK_POSITION + j];
            position = (float)(position + spark[SPARK_VELOCITY + j] * 0.001 * step);
        }
    }
    return particles;
}
