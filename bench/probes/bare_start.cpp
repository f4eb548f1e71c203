// The least a start can be: SDL's video with an OpenGL context and the audio device, nothing loaded,
// one cleared frame on screen. Prints "first-frame MICROSECONDS" like the start probe.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <time.h>

#include <cstdio>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0 ||
        SDL_SetVideoMode(800, 600, 32, SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT) == NULL) {
        std::fprintf(stderr, "bare start: no OpenGL window: %s\n", SDL_GetError());
        return 2;
    }
    // The same audio device as the game's.
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::fprintf(stderr, "bare start: no audio: %s\n", SDL_GetError());
        return 2;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glFinish();
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame %.0f\n", now.tv_sec * 1e6 + now.tv_nsec / 1e3);
    std::fflush(stdout);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
