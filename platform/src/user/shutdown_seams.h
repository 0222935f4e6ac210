// Test seam for ExitWindowsEx: the program it hands the power-off to.
#pragma once

// Makes ExitWindowsEx start `program` (a path, or a name looked up in PATH)
// with the argument "poweroff" instead of systemctl; null goes back to
// systemctl.
void UserShutdownUseProgram(const char* program);
