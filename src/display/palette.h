// The fixed 16-colour table of the frame image.
#pragma once

#include <windows.h>

extern const RGBQUAD basePalette[16];
