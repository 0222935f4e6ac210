// The title screen: the name, the settings that differ from the defaults,
// and the prompt to start.
#pragma once

// Draws the title into the compose picture, shows it, and makes it the
// current screen.
void ShowTitle();
