// The one font description every text of the game is made from; users set
// only lfHeight before CreateFontIndirectA, and the height stays as set.
#pragma once

#include <windows.h>

extern LOGFONTA fontTemplate;
