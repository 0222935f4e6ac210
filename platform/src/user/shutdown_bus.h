// Test seam for ExitWindowsEx: the bus it asks logind on.
#pragma once

#include <windows.h>

// Points ExitWindowsEx at the bus listening at `address` instead of the
// system bus, waiting at most `timeoutMs` for it to answer. A null address
// goes back to the system bus and the usual timeout.
void UserShutdownUseBus(const char* address, DWORD timeoutMs);
