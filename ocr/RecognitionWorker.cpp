#include "ocr/RecognitionWorker.h"

#include <new>

#include "app/AppSettings.h"
#include "app/LanguageText.h"
#include "app/ShowMessage.h"
#include "app/StartupData.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "net/CurlByteClient.h"
#include "ocr/CStautsException.h"
#include "ocr/CardAnswers.h"
#include "ocr/GeneralTextAnswer.h"
#include "ocr/JsonMembers.h"
#include "ocr/UsageCounter.h"

namespace {

// libcurl's codes for a transfer that timed out, for memory that ran out
// while the request was built, and for a peer whose certificate or host name
// did not check out.
constexpr int kCurlTimeout = 28;
constexpr int kCurlOutOfMemory = 27;
constexpr int kCurlPeerFailedVerification = 60;

OcrEndpoint EndpointOf(RecognitionKind kind) {
    switch (kind) {
        case RecognitionKind::IdCardFront:
        case RecognitionKind::IdCardBack:
            return OcrEndpoint::IdCard;
        case RecognitionKind::BankCard:
            return OcrEndpoint::BankCard;
        case RecognitionKind::DrivingLicense:
            return OcrEndpoint::DrivingLicense;
        case RecognitionKind::VehicleLicense:
            return OcrEndpoint::VehicleLicense;
        case RecognitionKind::VatInvoice:
            return OcrEndpoint::VatInvoice;
        case RecognitionKind::BusinessLicense:
            return OcrEndpoint::BusinessLicense;
        case RecognitionKind::Passport:
            return OcrEndpoint::Passport;
        case RecognitionKind::AccountPermit:
            return OcrEndpoint::AccurateBasic;
        case RecognitionKind::FormTable:
            return OcrEndpoint::FormOcrRequest;
        default:
            return OcrEndpoint::GeneralBasic;
    }
}

const char* Flag(bool on) { return on ? "true" : "false"; }

}  // namespace

RecognitionServices DefaultRecognitionServices() {
    RecognitionServices services;
    services.newClient = [] {
        const ServiceCredentials& credentials = CurrentStartupData().credentials;
        return std::make_unique<OcrClient>(credentials.appId, credentials.apiKey,
                                           credentials.secretKey);
    };
    services.newLocalEngine = [] {
        const AppFolders& folders = CurrentStartupData().folders;
        return std::make_unique<LocalEngineBridge>(folders.installFolder, folders.dataFolder);
    };
    services.useHighQuality = [] { return CurrentSettings().Get(Setting::UseHighQuality) != 0; };
    services.wait = [](unsigned milliseconds) { Sleep(milliseconds); };
    services.download = [](const std::string& url, const std::string& path) {
        return CurlByteClient().Download(url, path);
    };
    return services;
}

RecognitionWorker::RecognitionWorker(RecognitionServices services)
    : services_(std::move(services)) {}

std::unique_ptr<RecognitionResult> RecognitionWorker::Recognise(const std::string& picturePath,
                                                                RecognitionKind kind) {
    if (kind == RecognitionKind::LocalText && services_.useHighQuality()) {
        kind = RecognitionKind::GeneralText;
    }
    if (kind == RecognitionKind::LocalText) {
        if (auto result = RecogniseLocally(picturePath)) return result;
    }
    try {
        std::string picture;
        if (!ReadFileBytes(Utf8ToWide(picturePath), picture) || picture.empty()) {
            errorKey = MessageKeys::ImageSizeIsZero;
            return nullptr;
        }
        const Json::Value answer = SendToService(picture, kind);
        picture = std::string();  // the picture may be large; the answer is read without it
        return Parse(answer, kind);
    } catch (const std::bad_alloc&) {
        // The picture, its Base64 text and the request are held at once: a
        // very large one can exhaust the 32-bit program's memory. Only this
        // picture fails; what it took is freed on the way out.
        errorKey = MessageKeys::ImageTooLarge;
        return nullptr;
    }
}

std::unique_ptr<RecognitionResult> RecognitionWorker::RecogniseLocally(
    const std::string& picturePath) {
    std::unique_ptr<LocalEngineBridge> engine = services_.newLocalEngine();
    std::wstring text;
    if (!engine || !engine->EngineAvailable() || !engine->Recognise(Utf8ToWide(picturePath), text))
        return nullptr;
    auto result = std::make_unique<RecognitionResult>();
    result->lines.push_back(std::move(text));
    return result;
}

FormMap RecognitionWorker::OptionsFor(RecognitionKind kind) const {
    switch (kind) {
        case RecognitionKind::LocalText:
        case RecognitionKind::GeneralText:
            return {{"language_type", languageCode},
                    {"detect_direction", Flag(detectDirection)},
                    {"detect_language", Flag(detectLanguage)},
                    {"probability", Flag(probability)}};
        case RecognitionKind::IdCardFront:
        case RecognitionKind::IdCardBack:
            return {{"detect_direction", "true"}, {"detect_risk", "false"}};
        case RecognitionKind::DrivingLicense:
            return {{"detect_direction", "true"}};
        case RecognitionKind::VehicleLicense:
            return {{"detect_direction", "true"}, {"accuracy", "normal"}};
        default:
            return {};
    }
}

Json::Value RecognitionWorker::SendToService(const std::string& picture, RecognitionKind kind) {
    std::unique_ptr<OcrClient> client = services_.newClient();
    const FormMap options = OptionsFor(kind);
    if (kind == RecognitionKind::IdCardFront || kind == RecognitionKind::IdCardBack) {
        return client->IdCard(picture, kind == RecognitionKind::IdCardFront, options);
    }
    return client->Recognize(EndpointOf(kind), picture, options);
}

std::unique_ptr<RecognitionResult> RecognitionWorker::Parse(const Json::Value& answer,
                                                            RecognitionKind kind) {
    try {
        if (!AcceptAnswer(answer, kind)) return nullptr;
        CurrentUsageCounter().Add();
        auto result = std::make_unique<RecognitionResult>();
        // The log id is never shown, so an answer is not refused for it.
        result->logId = UInt64OrDigitsMember(answer, "log_id");
        result->kind = kind;
        if (!ReadAnswer(answer, *result)) return nullptr;
        if (runKind != RecognitionKind::FormTable) {
            result->wordCount = answer["words_result_num"].asInt();
        }
        return result;
    } catch (const CStautsException& refused) {
        ShowMessage(refused.Key(), mainWindow, MB_ICONINFORMATION);
    } catch (const Json::Exception& malformed) {
        ShowFormattedMessage(MessageKeys::JsonFormatErr, Utf8ToWide(malformed.what()), mainWindow,
                             MB_ICONINFORMATION);
    }
    return nullptr;
}

bool RecognitionWorker::AcceptAnswer(const Json::Value& answer, RecognitionKind kind) {
    const int transportError = answer["curl_error_code"].asInt();
    if (transportError == kCurlTimeout) {
        ShowMessage(MessageKeys::CURL_TIMEOUT, mainWindow, MB_ICONINFORMATION);
        return false;
    }
    if (transportError == kCurlOutOfMemory) {
        ShowMessage(MessageKeys::ImageTooLarge, mainWindow, MB_ICONINFORMATION);
        return false;
    }
    if (transportError == kCurlPeerFailedVerification) {
        // Reached, but not proven to be the service: not a missing network.
        ShowMessage(MessageKeys::CertificateErr, mainWindow, MB_ICONINFORMATION);
        return false;
    }
    if (transportError != 0) {
        // Any other transport failure (refused connection, TLS failure ...)
        // also means the service could not be asked: it is reported like an
        // unresolved host rather than as a picture without text. General text
        // that fell back from the local engine was not asked of the service
        // by the user, so its failure is only "no result".
        const bool askedOfService = services_.useHighQuality() || static_cast<int32_t>(kind) > 4;
        ShowMessage(askedOfService ? MessageKey(MessageKeys::CURL_NONETWORK)
                                   : MessageKey(MessageKeys::OCRNotResult),
                    mainWindow, MB_ICONINFORMATION);
        return false;
    }
    const int serviceError = answer["error_code"].asInt();
    if (serviceError != 0) {
        ShowMessage(ServiceErrorKey(serviceError), mainWindow, MB_ICONERROR,
                    Text(TextKeys::DefaultError));
        return false;
    }
    return true;
}

bool RecognitionWorker::ReadAnswer(const Json::Value& answer, RecognitionResult& result) {
    switch (runKind) {
        case RecognitionKind::IdCardPair:
            CheckIdCardPicture(answer, result);
            ReadFieldLines(answer, result);
            return true;
        case RecognitionKind::DrivingLicense:
        case RecognitionKind::VehicleLicense:
        case RecognitionKind::BusinessLicense:
        case RecognitionKind::Passport:
            ReadFieldLines(answer, result);
            return true;
        case RecognitionKind::BankCard:
            ReadBankCard(answer, result);
            return true;
        case RecognitionKind::VatInvoice:
            ReadInvoice(answer, result);
            return true;
        case RecognitionKind::FormTable:
            return RetrieveSpreadsheet(answer, spreadsheetFolder,
                                       {services_.newClient, services_.wait, services_.download},
                                       result);
        default:
            ReadGeneralText(answer, result);
            return true;
    }
}
