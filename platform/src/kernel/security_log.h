// The log of scripted token calls (a test seam), shared with CloseHandle
// and ExitWindowsEx so a test sees the whole order of a shutdown request.
#pragma once

#include <windows.h>

// Appends a call's letter while a script runs.
void SecurityNote(char call);
// Is this the token a script handed out?
bool SecurityIsScriptedToken(HANDLE handle);
