#pragma once
// The cloud OCR API stand-in: the token path, the recognition endpoints
// (Tesseract reads the pictures), the asynchronous table flow with its
// spreadsheet downloads, and the provider's error answers.

#include <httplib.h>

#include <memory>
#include <string>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

struct OcrApiSettings {
    std::string apiKey;     // the client_id the token path accepts
    std::string secretKey;  // the client_secret the token path accepts
    std::string origin;     // "https://127.0.0.1:PORT": where result_data addresses point
    std::string dataDir;    // a writable folder of this server instance (spreadsheets etc.)
};

class OcrApiHost {
public:
    OcrApiHost(OcrApiSettings settings, ControlBoard& board);
    ~OcrApiHost();

    // Registers every route, and bounds request bodies. The host must outlive
    // the server's listening.
    void Mount(httplib::Server& server);

    // Requests answered per day before error 17.
    static constexpr int64_t kDailyRequestLimit = 50000;
    // Largest request body taken: a 4 MiB picture limit in Base64, escaped,
    // with room to spare; larger bodies are refused with error 216202.
    static constexpr size_t kMaxBodyBytes = 10 * 1024 * 1024;

private:
    struct State;
    std::unique_ptr<State> state_;
    ControlBoard& board_;
};

}  // namespace pimlo::servers
