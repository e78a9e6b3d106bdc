#pragma once

// Starts the program again without arguments for the signed-in user, the
// last step of the installer, which runs elevated: with the desktop shell's
// token when this run is elevated (Vista and later), else, or when that
// fails, through the shell's "open".
void RelaunchForDesktopUser();
