#pragma once

#include <array>
#include <cstddef>

// The cloud OCR service's endpoints, in the order of the client's table.
enum class OcrEndpoint {
    GeneralBasic,
    AccurateBasic,
    General,
    Accurate,
    GeneralEnhanced,
    WebImage,
    IdCard,
    BankCard,
    DrivingLicense,
    VehicleLicense,
    LicensePlate,
    BusinessLicense,
    Receipt,
    Form,
    FormOcrRequest,
    FormOcrGetResult,
    VatInvoice,
    QrCode,
    Numbers,
    Lottery,
    Passport,
    BusinessCard,
    Handwriting,
    IocrRecognise,
};

inline constexpr size_t kOcrEndpointCount = 24;

// Paths on the cloud OCR API host, indexed by OcrEndpoint.
inline constexpr std::array<const char*, kOcrEndpointCount> kOcrEndpointPaths = {
    "/rest/2.0/ocr/v1/general_basic",
    "/rest/2.0/ocr/v1/accurate_basic",
    "/rest/2.0/ocr/v1/general",
    "/rest/2.0/ocr/v1/accurate",
    "/rest/2.0/ocr/v1/general_enhanced",
    "/rest/2.0/ocr/v1/webimage",
    "/rest/2.0/ocr/v1/idcard",
    "/rest/2.0/ocr/v1/bankcard",
    "/rest/2.0/ocr/v1/driving_license",
    "/rest/2.0/ocr/v1/vehicle_license",
    "/rest/2.0/ocr/v1/license_plate",
    "/rest/2.0/ocr/v1/business_license",
    "/rest/2.0/ocr/v1/receipt",
    "/rest/2.0/ocr/v1/form",
    "/rest/2.0/solution/v1/form_ocr/request",
    "/rest/2.0/solution/v1/form_ocr/get_request_result",
    "/rest/2.0/ocr/v1/vat_invoice",
    "/rest/2.0/ocr/v1/qrcode",
    "/rest/2.0/ocr/v1/numbers",
    "/rest/2.0/ocr/v1/lottery",
    "/rest/2.0/ocr/v1/passport",
    "/rest/2.0/ocr/v1/business_card",
    "/rest/2.0/ocr/v1/handwriting",
    "/rest/2.0/solution/v1/iocr/recognise",
};

// Where the client gets its access tokens.
inline constexpr char kTokenPath[] = "/oauth/2.0/token";
