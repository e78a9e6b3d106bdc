#pragma once

// Starts the program again without arguments for the signed-in user, the
// last step of the installer, which runs elevated.
void RelaunchForDesktopUser();
