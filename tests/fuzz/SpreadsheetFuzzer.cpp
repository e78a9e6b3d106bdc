// The table flow after a submitted table: the submit answer, then the
// answers to the polls, read as the flow reads them.
//
// Input: the submit answer, then the answers to the posts of the polls in
// order, separated by "\n----\n" lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ocr/JsonMembers.h"
#include "ocr/SpreadsheetRetrieval.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The flow asks for at most this many polls, each with a client of its own.
constexpr int kMaxPolls = 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> answers =
        SplitAnswers(std::string_view(reinterpret_cast<const char*>(data), size));
    const Json::Value submitAnswer = ParseJson(Json::CharReaderBuilder(), answers.front());
    answers.erase(answers.begin());
    const ScriptedService service(kTokenAnswer, std::move(answers));

    int clients = 0;
    const RecognitionServices scripted = ScriptedServices(true);
    SpreadsheetServices services;
    services.newClient = [&clients] {
        ++clients;
        return ScriptedClient();
    };
    services.wait = scripted.wait;
    services.download = scripted.download;

    RecognitionResult result;
    bool saved = false;
    try {
        saved = RetrieveSpreadsheet(submitAnswer, L"C:\\Results", services, result);
    } catch (const Json::Exception&) {
        // An answer of the wrong shape: the worker shows it as unreadable.
        return 0;
    }
    if (clients > kMaxPolls) std::abort();
    if (saved && (result.kind != RecognitionKind::FormTable || result.spreadsheetPath.empty())) {
        std::abort();
    }
    return 0;
}
