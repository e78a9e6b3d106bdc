#include "ui/MainPage.h"

MainPage BackTarget(MainPage page, OcrMode mode) {
    if (page == MainPage::TextResult || page == MainPage::BatchResult) return MainPage::AddPictures;
    // A card's add-picture page and the app page belong to the card chooser.
    if (IsCardMode(mode) && page != MainPage::CardChooser) return MainPage::CardChooser;
    return MainPage::Home;
}

MainPage ResultExitTarget(OcrMode mode) {
    switch (mode) {
        case OcrMode::Screenshot:
        case OcrMode::Scanner:
        case OcrMode::TableFromScreenshot:
            return MainPage::Home;
        case OcrMode::CardChooser:
            return MainPage::CardChooser;
        default:
            return MainPage::AddPictures;
    }
}
