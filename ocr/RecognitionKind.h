#pragma once

#include <cstdint>

// What a picture is recognised as. The numbers are stored in results and
// compared by the main window, so they never change; 2 to 4 are unused.
enum class RecognitionKind : int32_t {
    LocalText = 0,    // general text: the local engine, the cloud as fallback
    GeneralText = 1,  // general text by the cloud service
    IdCardPair = 5,   // both sides of an identity card (the worker sends 6, then 7)
    IdCardFront = 6,  // the portrait side
    IdCardBack = 7,   // the emblem side
    BankCard = 8,
    DrivingLicense = 9,
    VehicleLicense = 10,
    VatInvoice = 11,
    BusinessLicense = 12,
    Passport = 13,
    AccountPermit = 14,  // bank account-opening permit, read as accurate plain text
    FormTable = 15,      // a table, returned as a spreadsheet file
};
