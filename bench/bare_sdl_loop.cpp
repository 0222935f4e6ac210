// The window system's own cost, for comparison with the game at full
// speed: a bare SDL2 loop that only puts a window surface on screen, as
// fast as it can, and handles its events. Prints frames per second.
//
//   bare_sdl_loop WIDTH HEIGHT SECONDS
#include <SDL.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        fputs("usage: bare_sdl_loop WIDTH HEIGHT SECONDS\n", stderr);
        return 2;
    }
    int width = atoi(argv[1]), height = atoi(argv[2]);
    double seconds = atof(argv[3]);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "bare_sdl_loop: %s\n", SDL_GetError());
        return 1;
    }
    // The game's window takes the same flags.
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, width, height, SDL_WINDOW_ALLOW_HIGHDPI);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) {
        fprintf(stderr, "bare_sdl_loop: %s\n", SDL_GetError());
        return 1;
    }
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    SDL_Event event;
    auto frame = [&](Uint32 n) {
        // One pixel changes, so every frame is a new picture.
        static_cast<Uint32*>(surface->pixels)[n % (surface->pitch / 4)] = n;
        SDL_UpdateWindowSurface(window);
        while (SDL_PollEvent(&event)) {
        }
    };
    // A short warm-up, as the game has before it is timed.
    Uint64 start = SDL_GetPerformanceCounter();
    for (Uint32 n = 0; SDL_GetPerformanceCounter() - start < frequency / 4; ++n)
        frame(n);
    Uint32 frames = 0;
    start = SDL_GetPerformanceCounter();
    Uint64 end = start + static_cast<Uint64>(seconds * frequency);
    Uint64 now = start;
    while (now < end) {
        frame(frames++);
        now = SDL_GetPerformanceCounter();
    }
    printf("%.1f\n", frames * static_cast<double>(frequency) / (now - start));
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
