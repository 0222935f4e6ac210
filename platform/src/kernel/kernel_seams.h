// What the kernel calls ask of the test seams (kernel_seams.cpp). In the
// game nothing is scripted: no allocation fails on purpose and every token
// call is not implemented.
#pragma once

#include "win32_private.h"

#include <stddef.h>

// True when the test seams want this HeapAlloc to fail.
bool HeapFailureDue(void);

// Logs a token call's letter (O, L, A for the steps) and, while a script
// runs, gives the answer it scripts for the step (the last error set);
// false when no script runs.
bool TokenScriptAnswer(size_t step, char call, BOOL* answer);
// The token a script hands out.
HANDLE TokenScripted(void);
// Logs C (a token closed) or X (a recorded ExitWindowsEx) while a script
// runs.
void TokenNote(char call);
