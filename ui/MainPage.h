#pragma once

#include "ui/OcrMode.h"

// The pages of the main window's tab layout "tabMain", by index.
enum class MainPage : int {
    Home = 0,
    AddPictures = 1,
    CardChooser = 2,
    AppPage = 3,
    TextResult = 4,
    BatchResult = 5,
};

// Where "Back" leads from page in mode (the result pages lead back to the
// add-picture page).
MainPage BackTarget(MainPage page, OcrMode mode);

// Where leaving the result pages leads in mode.
MainPage ResultExitTarget(OcrMode mode);
