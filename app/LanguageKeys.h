#pragma once

#include <string>

#include "app/LanguageFile.h"

// Every key the program looks up in a language file, in one list per section,
// each with the kinds of the arguments its text takes when it is used as a
// format: 'd' a number, 's' a text, nothing when it is not a format. The
// language sources must hold every key listed here with placeholders of
// exactly these kinds; a test checks both files against the lists.

// clang-format off
#define PIMLO_TEXT_KEYS(X)                                                            \
    /* output folders and progress of a run */                                        \
    X(OutFolderName, "") X(OCRScan, "dds") X(OCRScanXls, "dds") X(AddScreenCut, "")   \
    X(AddPic1, "s") X(AddPicM, "d") X(AddPic2, "") X(SizeBytes, "d") X(OCRNone, "")   \
    /* what the result list says a batch run wrote: texts or spreadsheets */          \
    X(BatchSavedTexts, "") X(BatchSavedSheets, "")                                    \
    /* page titles of the recognition kinds */                                        \
    X(LicenseTitlePic, "") X(LicenseTitleIdcard, "") X(LicenseTitleBankcard, "")      \
    X(LicenseTitleDriving, "") X(LicenseTitleVehicle, "") X(LicenseTitleReceipt, "")  \
    X(LicenseTitleBusiness, "") X(LicenseTitlePassport, "")                           \
    X(LicenseTitleBankLicense, "") X(LicenseTitleIdcardFront, "")                     \
    X(LicenseTitleIdcardBack, "")                                                     \
    /* table hints, service errors, invoice goods rows */                             \
    X(XLSTip, "") X(ScreencutXLSTip, "") X(DefaultError, "")                          \
    X(Commodity, "ssssssss")                                                          \
    /* update balloon */                                                              \
    X(DownloadingUpdate, "") X(ProductName, "")                                       \
    /* settings dialog: the prompt of the folder browser */                          \
    X(ChooseSaveFolder, "")                                                           \
    /* sign-in dialog */                                                              \
    X(CpatchaValidTime, "d") X(SendCpatchaAgain, "") X(WeChatLogin, "") X(QQLogin, "")\
    /* credentials of the cloud service and the signing text of the account service */\
    X(AAI, "") X(AAK, "") X(ASK, "") X(SK, "")

#define PIMLO_MESSAGE_KEYS(X)                                                         \
    X(Title, "")                                                                      \
    /* main window and batch runs */                                                  \
    X(NoIdcardFront, "") X(OCRNotResult, "") X(CannotBack, "")                        \
    X(MergeBatchCannotDiff, "") X(SavePathNotExist, "") X(CancelLed, "")              \
    X(LoginSuccess, "") X(UndoOCRText, "") X(InitNodeDllFailed, "")                   \
    X(CopyClipboard, "") X(ClipboardBusy, "") X(SaveTextFailed, "")                   \
    /* scanner */                                                                     \
    X(ScannerIsInvalid, "") X(NotFoundDSM, "") X(SelectDSM, "")                       \
    /* recognition failures */                                                        \
    X(ImageSizeIsZero, "") X(ImageTooLarge, "") X(CURL_TIMEOUT, "")                   \
    X(CURL_NONETWORK, "") X(CertificateErr, "")                                       \
    X(JsonFormatErr, "s") X(ExceptIdcardRS, "") X(ExceptIdcardNoIdcard, "")           \
    X(ExceptIdcardBlurred, "") X(ExceptIdcardOE, "") X(ExceptIdcardUnknow, "")        \
    /* updates */                                                                     \
    X(HasUpdate, "") X(Updating, "") X(NoVersion, "") X(NotUpdate, "")                \
    X(UpdateFail, "")                                                                 \
    /* sign-in: the program's own checks, then the account service's error keys */    \
    X(InvalidMobile, "") X(VerifySendByPhone, "") X(VerifyCodeIsEmpty, "")            \
    X(VerifyCodeIsError, "") X(CaptchaError, "") X(AuthorizationFailed, "")           \
    X(ErrNetworkLost, "") X(SignErr, "") X(UserNotExist, "") X(MobileIsExist, "")     \
    X(InvalidCaptcha, "") X(SMSSendFrequent30s, "") X(SMSSendFrequent5m, "")          \
    X(SMSSendFrequent1h, "") X(SMSSendFrequent24h, "") X(SMSSendBlacklist, "")        \
    X(SMSSendBusy, "")

// Invoice fields of the cloud service whose labels the "Text" section holds;
// a field without a label is left out of the result.
#define PIMLO_INVOICE_FIELD_KEYS(X)                                                   \
    X(InvoiceType) X(InvoiceTypeOrg) X(InvoiceCode) X(InvoiceNum) X(InvoiceDate)      \
    X(MachineCode) X(CheckCode) X(Password) X(PurchaserName) X(PurchaserRegisterNum)  \
    X(PurchaserAddress) X(PurchaserBank) X(SellerName) X(SellerRegisterNum)           \
    X(SellerAddress) X(SellerBank) X(TotalAmount) X(TotalTax) X(AmountInWords)        \
    X(AmountInFiguers) X(Payee) X(Checker) X(NoteDrawer) X(Remarks) X(Province)       \
    X(City) X(SheetNum) X(Agent) X(ServiceType)

// Error codes of the cloud service that the "Message" section explains with a
// text of its own (key "AIPError" + code); the others show "DefaultError".
#define PIMLO_SERVICE_ERROR_CODES(X)                                                  \
    X(1) X(2) X(3) X(4) X(6) X(13) X(14) X(15) X(17) X(18) X(19) X(100) X(110) X(111) \
    X(216100) X(216101) X(216102) X(216103) X(216110) X(216200) X(216201) X(216202)   \
    X(216203) X(216630) X(216631) X(216632) X(216633) X(216634) X(282000) X(282003)   \
    X(282004) X(282005) X(282006) X(282100) X(282102) X(282103) X(282110) X(282111)   \
    X(282112) X(282113) X(282114) X(282808) X(282809) X(282810)
// clang-format on

// A key of one section, with the argument kinds of its text (see above).
template <LanguageSection kSection>
struct SectionKey {
    const wchar_t* name;
    const char* arguments;
};
using TextKey = SectionKey<LanguageSection::Text>;
using MessageKeyConstant = SectionKey<LanguageSection::Message>;

#define PIMLO_DEFINE_TEXT_KEY(name, arguments) inline constexpr TextKey name{L"" #name, arguments};
#define PIMLO_DEFINE_MESSAGE_KEY(name, arguments) \
    inline constexpr MessageKeyConstant name{L"" #name, arguments};
namespace TextKeys {
PIMLO_TEXT_KEYS(PIMLO_DEFINE_TEXT_KEY)
}
namespace MessageKeys {
PIMLO_MESSAGE_KEYS(PIMLO_DEFINE_MESSAGE_KEY)
}
#undef PIMLO_DEFINE_TEXT_KEY
#undef PIMLO_DEFINE_MESSAGE_KEY

#define PIMLO_LIST_KEY(name, arguments) {L"" #name, arguments},
#define PIMLO_LIST_FIELD(name) {L"" #name, ""},
#define PIMLO_LIST_CODE(code) code,
inline constexpr TextKey kAllTextKeys[] = {PIMLO_TEXT_KEYS(PIMLO_LIST_KEY)};
inline constexpr MessageKeyConstant kAllMessageKeys[] = {PIMLO_MESSAGE_KEYS(PIMLO_LIST_KEY)};
inline constexpr TextKey kInvoiceFieldKeys[] = {PIMLO_INVOICE_FIELD_KEYS(PIMLO_LIST_FIELD)};
inline constexpr int kExplainedServiceErrors[] = {PIMLO_SERVICE_ERROR_CODES(PIMLO_LIST_CODE)};
#undef PIMLO_LIST_KEY
#undef PIMLO_LIST_FIELD
#undef PIMLO_LIST_CODE
