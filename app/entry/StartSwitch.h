#pragma once

#include <string_view>

// What the command line asks the process to do. The switches are looked for
// as parts of the arguments (the command line after the program's path), in
// this order, so that "/uninstall" is never taken for "/install".
enum class StartSwitch {
    Uninstall,    // "/uninstall": report the uninstall, then end
    MakeMachine,  // "/makemachine": store the machine code, then end
    Install,      // "/install": start again as the desktop user, then end
    Autorun,      // "/autorun": run hidden in the tray
    None,         // run normally
};

StartSwitch FindStartSwitch(std::wstring_view commandLine);
