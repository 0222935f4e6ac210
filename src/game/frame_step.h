// One game step: the frame that the loop produces while a run is played.
#pragma once

// Draws one frame into the frame buffer and shows it.
void GameStep();
