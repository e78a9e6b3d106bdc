#pragma once

#include <cstdint>

#include "app/LanguageKeys.h"
#include "ocr/RecognitionKind.h"

// The main window's work mode, chosen by the last page button. The numbers
// are compared by the batch run and never change.
enum class OcrMode : int32_t {
    None = 0,         // nothing chosen yet
    PictureText = 1,  // "Pic-OCR", or pictures dropped on the home page
    Screenshot = 2,   // "Screenshot-OCR" and the capture hot key
    CardChooser = 3,  // "Licensen-OCR": the page of card kinds
    IdCard = 4,
    BankCard = 5,
    DrivingLicense = 6,
    VehicleLicense = 7,
    Receipt = 8,  // VAT invoices
    BusinessLicense = 9,
    Scanner = 10,
    Passport = 11,
    BankLicense = 12,          // bank account-opening permits
    TableFromScreenshot = 13,  // mode 2 with the Tab key held at the start of a run
    TableFromPictures = 14,    // mode 1 with the Tab key held at the start of a run
};

// What a mode recognises pictures as.
RecognitionKind KindOf(OcrMode mode);

// The add-picture page's title text and icon ("pic_icon.png" ...) of a mode;
// null for the modes without an add-picture page of their own.
const TextKey* PageTitleOf(OcrMode mode);
const wchar_t* PageIconOf(OcrMode mode);

// The identity card and the other cards of the card chooser page.
bool IsCardMode(OcrMode mode);

// The table modes go back to the mode they were started from.
OcrMode WithoutTable(OcrMode mode);
