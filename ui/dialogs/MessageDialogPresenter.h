#pragma once

// Makes the message dialog the presenter of every message of the process
// (ShowMessage and ShowFormattedMessage). Call it on the UI thread once the
// layouts are handed to the UI library: the dialogs of every thread are run
// on that thread, so a worker thread's message is modal over the main window
// like any other and the worker waits until it is closed.
void InstallMessageDialogPresenter();
