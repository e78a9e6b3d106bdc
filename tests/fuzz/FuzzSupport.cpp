#include "tests/fuzz/FuzzSupport.h"

#include "app/MessagePresenter.h"
#include "common/DebugTrace.h"

namespace {

constexpr int64_t kNow = 1700000000;

}  // namespace

// Called by libFuzzer once before the first input: messages are answered at
// once instead of waiting for a click, and traces go nowhere.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetMessagePresenter([](const MessageRequest&) { return IDOK; });
    SetDebugTraceSink([](const std::wstring&) {});
    return 0;
}

std::vector<std::string> SplitAnswers(std::string_view input) {
    std::vector<std::string> answers;
    for (;;) {
        const size_t end = input.find(kAnswerSeparator);
        answers.emplace_back(input.substr(0, end));
        if (end == std::string_view::npos) return answers;
        input.remove_prefix(end + kAnswerSeparator.size());
    }
}

std::unique_ptr<OcrClient> ScriptedClient() {
    auto client =
        std::make_unique<OcrClient>("APPID", "AK", "SK", CloudSite::AtHost("ocr.fuzz.invalid"));
    client->SetClock([] { return kNow; });
    return client;
}

RecognitionServices ScriptedServices(bool useHighQuality) {
    RecognitionServices services;
    services.newClient = ScriptedClient;
    services.newLocalEngine = [] { return std::unique_ptr<LocalEngineBridge>(); };
    services.useHighQuality = [useHighQuality] { return useHighQuality; };
    services.wait = [](unsigned) {};
    services.download = [](const std::string& url, const std::string&) {
        return url.size() % 2 == 0;
    };
    return services;
}

std::wstring Utf16Units(std::string_view bytes) {
    std::wstring units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return units;
}
