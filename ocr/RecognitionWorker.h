#pragma once

#include <windows.h>

#include <json/json.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MessageKey.h"
#include "engine/LocalEngineBridge.h"
#include "ocr/OcrClient.h"
#include "ocr/RecognitionKind.h"
#include "ocr/RecognitionResult.h"
#include "ocr/SpreadsheetRetrieval.h"

// What recognition needs from the rest of the program; the defaults use the
// start-up data, the settings and the real clock, tests replace them.
struct RecognitionServices {
    // A client with the service credentials, for one picture or one poll.
    std::function<std::unique_ptr<OcrClient>()> newClient;
    // The local engine bridge of the installation.
    std::function<std::unique_ptr<LocalEngineBridge>()> newLocalEngine;
    // The "UseHighQuality" setting: general text always by the cloud service.
    std::function<bool()> useHighQuality;
    std::function<void(unsigned milliseconds)> wait;
    std::function<bool(const std::string& url, const std::string& path)> download;
};

RecognitionServices DefaultRecognitionServices();

// Recognises pictures one at a time for a batch run of the main window. Every
// failure either has been shown to the user (owner: the main window) or is
// left in the error key for the main window to show.
class RecognitionWorker {
public:
    explicit RecognitionWorker(RecognitionServices services = DefaultRecognitionServices());

    // The pictures of the run, as UTF-8 paths.
    std::vector<std::string> pictureQueue;
    // Owner of every message shown during recognition.
    HWND mainWindow = nullptr;
    // Why the last Recognise gave no result, when nobody has said so yet.
    MessageKey errorKey;
    // Where the spreadsheets of a table run go.
    std::wstring spreadsheetFolder;
    // The kind of the whole run; an identity-card pair runs as IdCardPair
    // while its two requests are IdCardFront and IdCardBack.
    RecognitionKind runKind = RecognitionKind::LocalText;
    // Options of general-text requests.
    std::string languageCode = "CHN_ENG";
    bool detectDirection = true;
    bool detectLanguage = true;
    bool probability = true;

    // Recognises the picture at a UTF-8 path as kind. Null on failure.
    std::unique_ptr<RecognitionResult> Recognise(const std::string& picturePath,
                                                 RecognitionKind kind);

    // Turns the service's answer to a request of kind into a result, or shows
    // why there is none and returns null.
    std::unique_ptr<RecognitionResult> Parse(const Json::Value& answer, RecognitionKind kind);

private:
    RecognitionServices services_;

    std::unique_ptr<RecognitionResult> RecogniseLocally(const std::string& picturePath);
    Json::Value SendToService(const std::string& picture, RecognitionKind kind);
    FormMap OptionsFor(RecognitionKind kind) const;
    // False when the answer reports a failure, which has then been shown.
    bool AcceptAnswer(const Json::Value& answer, RecognitionKind kind);
    // Fills result by the run's layout; false when a table could not be fetched.
    bool ReadAnswer(const Json::Value& answer, RecognitionResult& result);
};
