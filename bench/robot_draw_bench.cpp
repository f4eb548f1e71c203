// Speed of drawing both robots: from two arrays in one call, beside one call a vertex as before.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "animation/filreader.h"
#include "bench/robot_reference.h"
#include "render/Moteur3d.h"

namespace {

// The game's window, projection and lights, opened once, and a punch pose from the game's data.
const Mesh& punchPose() {
    static Mesh pose;
    if (pose.empty()) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(800, 600, 32, SDL_OPENGL) == NULL) {
            std::fprintf(stderr, "robot bench: no OpenGL window: %s\n", SDL_GetError());
            std::exit(1);
        }
        setProjection();
        setLightingAndBlending();
        if (chdir(VANTORIX_DATA_DIR) != 0) {
            std::exit(1);
        }
        FileReader reader("Punch02.txt");
        pose = reader.getAll();
    }
    return pose;
}

// Both robots placed as in a fight, drawn and finished by the GL; the time is the GL's too.
void timeRobots(benchmark::State& state, bool arrays) {
    const Mesh& pose = punchPose();
    Moteur3d moteur;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        auto start = std::chrono::steady_clock::now();
        for (int player = 1; player <= 2; player++) {
            glLoadIdentity();
            moteur.placeJoueur(player, -1.0f, 1.0f, 30.0f);
            arrays ? moteur.draw(pose) : drawOneCallPerVertex(pose);
        }
        glFinish();
        std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
    }
}

void BM_RobotsFromArrays(benchmark::State& state) { timeRobots(state, true); }
void BM_RobotsOneCallAVertex(benchmark::State& state) { timeRobots(state, false); }

}  // namespace

BENCHMARK(BM_RobotsFromArrays)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RobotsOneCallAVertex)->UseManualTime()->Unit(benchmark::kMicrosecond);
