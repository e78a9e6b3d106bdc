#pragma once

#include <json/json.h>

#include <functional>
#include <memory>
#include <string>

#include "ocr/OcrClient.h"
#include "ocr/RecognitionResult.h"

// What the table flow needs from its surroundings: a fresh client for every
// poll, a way to wait between polls and a way to fetch the finished file.
struct SpreadsheetServices {
    std::function<std::unique_ptr<OcrClient>()> newClient;
    std::function<void(unsigned milliseconds)> wait;
    // Saves what url serves at a UTF-8 path; false when that failed.
    std::function<bool(const std::string& url, const std::string& path)> download;
};

// The first free "识别结果N.xls" (N = 1, 2, ...) in folder, as a UTF-8 path;
// empty when folder is.
std::string NewSpreadsheetPath(const std::wstring& folder);

// Follows a submitted table until the service has built it, then downloads
// the spreadsheet into folder. Polls at most ten times, the first after a
// second and each later one half a second after a not-ready answer. True when
// the file was saved: result then has kind FormTable and the file's path.
// A refused poll, a missing request id, ten polls without a table and a failed
// download all give false, with no file left behind. An answer with a member
// of the wrong shape throws the JSON library's exception, as the readers of
// the other answers do.
bool RetrieveSpreadsheet(const Json::Value& submitAnswer, const std::wstring& folder,
                         const SpreadsheetServices& services, RecognitionResult& result);
