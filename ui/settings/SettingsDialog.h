#pragma once

#include <windows.h>

#include <string>

#include "app/AppSettings.h"
#include "app/ProductRegistry.h"

// What the settings dialog changes: the settings record, the registry's Run
// value (start with Windows, naming executable) and the capture hot key
// registered on the main window.
struct SettingsDialogContext {
    HWND mainWindow = nullptr;
    AppSettings& settings;
    ProductRegistry registry;
    std::wstring executable;
};

// The dialog's owner: the main window, or the desktop window while the main
// window is hidden in the tray or minimised, so the dialog is centred where
// the user can see it.
HWND SettingsDialogOwner(HWND mainWindow);

// Runs the settings dialog modally over SettingsDialogOwner(mainWindow) and
// returns once it is closed.
void RunSettingsDialog(const SettingsDialogContext& context);

// The settings dialog of the running program: its settings, registry values
// and executable, the capture hot key moved on mainWindow.
void ShowSettingsDialog(HWND mainWindow);
