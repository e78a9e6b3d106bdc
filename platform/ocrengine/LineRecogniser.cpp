#include "LineRecogniser.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <memory>

#include "LineText.h"
#include "PictureFile.h"
#include "TextConversion.h"

namespace {

// The layout analysis reads text sizes in points from the resolution. Many
// pictures state none or a screen's 72 or 96 dpi, with which it takes the
// strokes of large text for rules and loses those lines; at 300 dpi it finds
// the lines of screenshots, pages and headings alike.
constexpr int kLeastResolution = 300;
constexpr int kMostResolution = 1200;

// A trained-data file is a few megabytes; this bounds a damaged one.
constexpr size_t kMaxTrainedDataBytes = 64u * 1024 * 1024;

// Tesseract names its files in UTF-8; reading them through the wide file API
// keeps an install folder whose name the ANSI code page can not spell usable.
bool ReadTrainedData(const char* path, std::vector<char>* bytes) {
    return ReadWholeFile(Utf8ToWide(path), kMaxTrainedDataBytes, *bytes);
}

std::unique_ptr<tesseract::TessBaseAPI> LoadRecogniser(const std::wstring& dataFolder,
                                                       const char* languages) {
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    // The engine has no console: Tesseract's notes (such as a picture without
    // a resolution) go nowhere.
    api->SetVariable("debug_file", "NUL");
    const std::string folder = WideToUtf8(dataFolder);
    if (api->Init(folder.c_str(), 0, languages, tesseract::OEM_LSTM_ONLY, nullptr, 0, nullptr,
                  nullptr, false, ReadTrainedData) != 0)
        return nullptr;
    return api;
}

int ResolutionFor(Pix* picture) {
    const int stated = pixGetXRes(picture);
    return stated >= kLeastResolution && stated <= kMostResolution ? stated : kLeastResolution;
}

std::string WordText(const tesseract::ResultIterator& word) {
    std::unique_ptr<char[]> text(word.GetUTF8Text(tesseract::RIL_WORD));
    return text ? text.get() : "";
}

}  // namespace

std::vector<std::string> RecogniseLines(Pix* picture, const std::wstring& dataFolder,
                                        const char* languages, int budgetMs) {
    std::unique_ptr<tesseract::TessBaseAPI> api = LoadRecogniser(dataFolder, languages);
    if (!api || budgetMs <= 0) return {};
    api->SetPageSegMode(tesseract::PSM_AUTO);
    api->SetImage(picture);
    api->SetSourceResolution(ResolutionFor(picture));
    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(budgetMs);
    if (api->Recognize(&monitor) != 0 || monitor.deadline_exceeded()) return {};
    std::unique_ptr<tesseract::ResultIterator> word(api->GetIterator());
    if (!word) return {};

    // The iterator walks blocks, paragraphs and lines in reading order.
    std::vector<std::string> lines;
    std::vector<std::string> words;
    do {
        if (word->Empty(tesseract::RIL_WORD)) continue;
        if (word->IsAtBeginningOf(tesseract::RIL_TEXTLINE) && !words.empty()) {
            lines.push_back(JoinWords(words));
            words.clear();
        }
        words.push_back(WordText(*word));
    } while (word->Next(tesseract::RIL_WORD));
    if (!words.empty()) lines.push_back(JoinWords(words));
    return lines;
}
