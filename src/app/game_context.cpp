#include "app/game_context.h"

GameContext game;
