// One game step: the frame that the loop produces while a run is played.
#pragma once

// Draws one frame into the frame buffer and shows it; ends the run once
// the explosion has played out.
void GameStep();
// Shows the frame in the current screen mode; with the strip composed,
// the top 16 lines come from the compose picture.
void PresentFrame(bool stripComposed);
