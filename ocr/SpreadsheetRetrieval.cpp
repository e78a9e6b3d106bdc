#include "ocr/SpreadsheetRetrieval.h"

#include <windows.h>

#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"

namespace {

constexpr int kMaxPolls = 10;
constexpr unsigned kFirstPollDelayMs = 1000;
constexpr unsigned kNotReadyDelayMs = 500;
// Values of "ret_code" in a poll answer.
constexpr int kQueued = 1;
constexpr int kProcessing = 2;
constexpr int kFinished = 3;

std::string RequestIdOf(const Json::Value& submitAnswer) {
    const Json::Value& requests = submitAnswer["result"];
    if (requests.empty()) return {};
    return requests[Json::ArrayIndex(0)]["request_id"].asString();
}

// Downloads the finished table; a partial file would look like a result in
// the output folder, so a failed download removes what it wrote.
bool SaveSpreadsheet(const std::string& url, const std::wstring& folder,
                     const SpreadsheetServices& services, RecognitionResult& result) {
    const std::string path = NewSpreadsheetPath(folder);
    if (!services.download(url, path)) {
        if (!path.empty()) DeleteFileW(Utf8ToWide(path).c_str());
        return false;
    }
    result.kind = RecognitionKind::FormTable;
    result.spreadsheetPath = path;
    return true;
}

}  // namespace

std::string NewSpreadsheetPath(const std::wstring& folder) {
    if (folder.empty()) return {};
    for (int number = 1;; ++number) {
        std::wstring candidate = JoinPath(folder, L"识别结果" + std::to_wstring(number) + L".xls");
        if (!PathExists(candidate)) return WideToUtf8(candidate);
    }
}

bool RetrieveSpreadsheet(const Json::Value& submitAnswer, const std::wstring& folder,
                         const SpreadsheetServices& services, RecognitionResult& result) {
    const std::string requestId = RequestIdOf(submitAnswer);
    if (requestId.empty()) return false;

    services.wait(kFirstPollDelayMs);
    for (int attempt = 0; attempt < kMaxPolls; ++attempt) {
        Json::Value poll;
        {
            std::unique_ptr<OcrClient> client = services.newClient();
            poll = client->FormOcrGetResult(requestId, {{"result_type", "excel"}});
        }
        if (poll["error_code"].asInt() != 0) {
            DebugTrace(L"[table] poll %d refused with %d", attempt, poll["error_code"].asInt());
            return false;
        }
        const Json::Value& state = poll["result"];
        const int code = state["ret_code"].asInt();
        if (code == kQueued || code == kProcessing) {
            services.wait(kNotReadyDelayMs);
            continue;
        }
        if (code != kFinished) continue;
        const std::string url = state["result_data"].asString();
        if (!url.empty()) return SaveSpreadsheet(url, folder, services, result);
    }
    return false;
}
