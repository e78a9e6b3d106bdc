#include "platform/servers/ocr/Recogniser.h"

#include <leptonica/allheaders.h>
#include <omp.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>

#include "platform/servers/ocr/LineText.h"

namespace pimlo::servers {

namespace {

// Pictures from the screen seldom say their resolution; Tesseract's own
// estimate is then noisy, so a screen's is assumed.
constexpr int kAssumedResolution = 96;

TextBox BoxAt(const tesseract::ResultIterator& it, tesseract::PageIteratorLevel level) {
    int left = 0, top = 0, right = 0, bottom = 0;
    it.BoundingBox(level, &left, &top, &right, &bottom);
    return TextBox{left, top, right - left, bottom - top};
}

std::unique_ptr<tesseract::TessBaseAPI> NewEngine(const std::string& languages) {
    auto engine = std::make_unique<tesseract::TessBaseAPI>();
    // Tesseract's remarks go to stderr unless sent elsewhere.
    engine->SetVariable("debug_file", "/dev/null");
    if (engine->Init(nullptr, languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0) return nullptr;
    return engine;
}

Recognition ReadResults(tesseract::TessBaseAPI& engine) {
    Recognition result;
    std::unique_ptr<tesseract::ResultIterator> it(engine.GetIterator());
    if (!it) return result;
    std::vector<std::string> lineWords;
    auto closeLine = [&] {
        if (!result.lines.empty()) result.lines.back().text = JoinWords(lineWords);
        lineWords.clear();
    };
    do {
        if (it->Empty(tesseract::RIL_WORD)) continue;
        std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
        if (!text || text[0] == '\0') continue;
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE) || result.lines.empty()) {
            closeLine();
            result.lines.push_back(RecognisedLine{{}, BoxAt(*it, tesseract::RIL_TEXTLINE), {}});
        }
        const double confidence = std::clamp(it->Confidence(tesseract::RIL_WORD) / 100.0, 0.0, 1.0);
        result.words.push_back(
            RecognisedWord{text.get(), BoxAt(*it, tesseract::RIL_WORD), confidence});
        result.lines.back().wordConfidences.push_back(confidence);
        lineWords.emplace_back(text.get());
    } while (it->Next(tesseract::RIL_WORD));
    closeLine();
    return result;
}

}  // namespace

Recogniser::Recogniser(size_t maxConcurrent) : maxConcurrent_(std::max<size_t>(1, maxConcurrent)) {}

Recogniser::~Recogniser() = default;

Recogniser::Engine Recogniser::Borrow(const std::string& languages) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        available_.wait(lock, [this] { return busy_ < maxConcurrent_; });
        ++busy_;
        auto& idle = idle_[languages];
        if (!idle.empty()) {
            Engine engine = std::move(idle.back());
            idle.pop_back();
            return engine;
        }
    }
    // Loading the language data takes a while; other requests go on meanwhile.
    Engine engine = NewEngine(languages);
    if (!engine) GiveBack(languages, nullptr);
    return engine;
}

void Recogniser::GiveBack(const std::string& languages, Engine engine) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        --busy_;
        auto& idle = idle_[languages];
        if (engine && idle.size() < maxConcurrent_) idle.push_back(std::move(engine));
    }
    available_.notify_one();
}

std::optional<Recognition> Recogniser::Recognise(Pix* picture, const std::string& languages) {
    Engine engine = Borrow(languages);
    if (!engine) return std::nullopt;
    // Tesseract splits its network's work over OpenMP threads; with several
    // recognitions at once on few cores the threads mostly wait for each
    // other (a line took 150 ms instead of 20 ms here). No parallel region is
    // made active on this thread: the pool is the parallelism.
    omp_set_max_active_levels(0);
    engine->SetImage(picture);
    if (pixGetXRes(picture) <= 0) engine->SetSourceResolution(kAssumedResolution);
    std::optional<Recognition> result;
    if (engine->Recognize(nullptr) == 0) result = ReadResults(*engine);
    engine->Clear();
    GiveBack(languages, std::move(engine));
    return result;
}

}  // namespace pimlo::servers
