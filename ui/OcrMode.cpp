#include "ui/OcrMode.h"

namespace {

struct ModeRow {
    OcrMode mode;
    RecognitionKind kind;
    const TextKey* title;
    const wchar_t* icon;
};

const ModeRow kModes[] = {
    {OcrMode::PictureText, RecognitionKind::LocalText, &TextKeys::LicenseTitlePic, L"pic_icon.png"},
    {OcrMode::Screenshot, RecognitionKind::LocalText, nullptr, nullptr},
    {OcrMode::CardChooser, RecognitionKind::LocalText, nullptr, nullptr},
    {OcrMode::IdCard, RecognitionKind::IdCardPair, &TextKeys::LicenseTitleIdcard,
     L"idcard_icon.png"},
    {OcrMode::BankCard, RecognitionKind::BankCard, &TextKeys::LicenseTitleBankcard,
     L"bankcard_icon.png"},
    {OcrMode::DrivingLicense, RecognitionKind::DrivingLicense, &TextKeys::LicenseTitleDriving,
     L"driving_icon.png"},
    {OcrMode::VehicleLicense, RecognitionKind::VehicleLicense, &TextKeys::LicenseTitleVehicle,
     L"vehicle_icon.png"},
    {OcrMode::Receipt, RecognitionKind::VatInvoice, &TextKeys::LicenseTitleReceipt,
     L"receipt_icon.png"},
    {OcrMode::BusinessLicense, RecognitionKind::BusinessLicense, &TextKeys::LicenseTitleBusiness,
     L"business_icon.png"},
    {OcrMode::Scanner, RecognitionKind::LocalText, nullptr, nullptr},
    {OcrMode::Passport, RecognitionKind::Passport, &TextKeys::LicenseTitlePassport,
     L"passport_icon.png"},
    {OcrMode::BankLicense, RecognitionKind::AccountPermit, &TextKeys::LicenseTitleBankLicense,
     L"banklicense_icon.png"},
    {OcrMode::TableFromScreenshot, RecognitionKind::FormTable, nullptr, nullptr},
    {OcrMode::TableFromPictures, RecognitionKind::FormTable, nullptr, nullptr},
};

const ModeRow* RowOf(OcrMode mode) {
    for (const ModeRow& row : kModes) {
        if (row.mode == mode) return &row;
    }
    return nullptr;
}

}  // namespace

RecognitionKind KindOf(OcrMode mode) {
    const ModeRow* row = RowOf(mode);
    return row ? row->kind : RecognitionKind::LocalText;
}

const TextKey* PageTitleOf(OcrMode mode) {
    const ModeRow* row = RowOf(mode);
    return row ? row->title : nullptr;
}

const wchar_t* PageIconOf(OcrMode mode) {
    const ModeRow* row = RowOf(mode);
    return row ? row->icon : nullptr;
}

bool IsCardMode(OcrMode mode) {
    const int32_t value = static_cast<int32_t>(mode);
    return (value >= 4 && value <= 9) || mode == OcrMode::Passport || mode == OcrMode::BankLicense;
}

OcrMode WithoutTable(OcrMode mode) {
    if (mode == OcrMode::TableFromScreenshot) return OcrMode::Screenshot;
    if (mode == OcrMode::TableFromPictures) return OcrMode::PictureText;
    return mode;
}
