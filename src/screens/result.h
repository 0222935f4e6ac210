// The result screen: "失格" and the run's figures over its last picture.
#pragma once

#include <windows.h>

// Shows the result of a run that survived `survivalMs` milliseconds.
void ShowResult(DWORD survivalMs);
