// The yardstick of tests/bench/engine-bench, built for Linux against the
// system's Tesseract: recognises a picture with the offline engine's
// settings (English and Simplified Chinese, LSTM only, automatic page layout,
// a stated resolution of 300 to 1200 dpi kept and 300 dpi otherwise) and
// measures loading the trained data apart from recognising:
//   native_ocr_bench TESSDATA PICTURE RUNS TEXT_FILE
// prints "load_ms=L median_ms=M runs=T1,T2,..." and writes the last run's
// lines to TEXT_FILE;
//   native_ocr_bench --agreement FILE_A FILE_B
// prints the share of characters on which two UTF-8 texts agree,
// 1 - edit distance / length of the longer, white space left out.
#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kLanguages[] = "chi_sim+eng";
constexpr int kLeastResolution = 300;
constexpr int kMostResolution = 1200;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lines of words in reading order, one line per text line.
std::string RecognisedText(tesseract::TessBaseAPI& api) {
    std::string text;
    std::unique_ptr<tesseract::ResultIterator> word(api.GetIterator());
    if (!word) return text;
    do {
        if (word->Empty(tesseract::RIL_WORD)) continue;
        if (word->IsAtBeginningOf(tesseract::RIL_TEXTLINE) && !text.empty()) text += '\n';
        std::unique_ptr<char[]> part(word->GetUTF8Text(tesseract::RIL_WORD));
        if (part) text += std::string(part.get()) + ' ';
    } while (word->Next(tesseract::RIL_WORD));
    return text;
}

int Measure(const char* dataFolder, const char* picturePath, int runs, const char* textPath) {
    Pix* picture = pixRead(picturePath);
    if (!picture) {
        std::fprintf(stderr, "native_ocr_bench: %s can not be read\n", picturePath);
        return 1;
    }
    const int stated = pixGetXRes(picture);
    const int resolution =
        stated >= kLeastResolution && stated <= kMostResolution ? stated : kLeastResolution;

    tesseract::TessBaseAPI api;
    api.SetVariable("debug_file", "/dev/null");
    const Clock::time_point loading = Clock::now();
    if (api.Init(dataFolder, kLanguages, tesseract::OEM_LSTM_ONLY) != 0) {
        std::fprintf(stderr, "native_ocr_bench: no trained data in %s\n", dataFolder);
        pixDestroy(&picture);
        return 1;
    }
    const double loadMs = MsSince(loading);

    std::vector<double> times;
    std::string list, text;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        api.SetPageSegMode(tesseract::PSM_AUTO);
        api.SetImage(picture);
        api.SetSourceResolution(resolution);
        if (api.Recognize(nullptr) != 0) {
            std::fprintf(stderr, "native_ocr_bench: recognition failed\n");
            pixDestroy(&picture);
            return 1;
        }
        text = RecognisedText(api);
        times.push_back(MsSince(start));
        list += (list.empty() ? "" : ",") + std::to_string(std::lround(times.back()));
        api.Clear();
    }
    pixDestroy(&picture);
    std::ofstream(textPath, std::ios::binary) << text;
    std::sort(times.begin(), times.end());
    std::printf("load_ms=%.0f median_ms=%.0f runs=%s\n", loadMs, times[times.size() / 2],
                list.c_str());
    return 0;
}

// The code points of UTF-8 text without its white space; a byte that starts
// no valid sequence stands for itself.
std::u32string CodePointsWithoutSpace(const std::string& text) {
    std::u32string points;
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : lead >> 5 == 0x6 ? 2 : lead >> 4 == 0xE ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = at + length <= text.size();
        for (size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            valid = (next & 0xC0) == 0x80;
            point = point << 6 | (next & 0x3F);
        }
        if (!valid) point = lead;
        at += valid ? length : 1;
        // ASCII and the ideographic space (U+3000) are the white space of
        // either text.
        if (point != ' ' && point != '\t' && point != '\n' && point != '\r' && point != 0x3000)
            points.push_back(point);
    }
    return points;
}

size_t EditDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<size_t> previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= b.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return previous[b.size()];
}

int Agreement(const char* pathA, const char* pathB) {
    std::ifstream fileA(pathA, std::ios::binary), fileB(pathB, std::ios::binary);
    if (!fileA || !fileB) {
        std::fprintf(stderr, "native_ocr_bench: a text file can not be read\n");
        return 1;
    }
    const std::u32string a = CodePointsWithoutSpace(
        {std::istreambuf_iterator<char>(fileA), std::istreambuf_iterator<char>()});
    const std::u32string b = CodePointsWithoutSpace(
        {std::istreambuf_iterator<char>(fileB), std::istreambuf_iterator<char>()});
    const size_t longer = std::max(a.size(), b.size());
    const double share = longer == 0 ? 1.0 : 1.0 - static_cast<double>(EditDistance(a, b)) / longer;
    std::printf("agreement=%.1f chars=%zu,%zu\n", share * 100, a.size(), b.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--agreement") return Agreement(argv[2], argv[3]);
    const int runs = argc == 5 ? std::atoi(argv[3]) : 0;
    if (runs < 1) {
        std::fprintf(stderr,
                     "usage: native_ocr_bench TESSDATA PICTURE RUNS TEXT_FILE\n"
                     "       native_ocr_bench --agreement FILE_A FILE_B\n");
        return 2;
    }
    return Measure(argv[1], argv[2], runs, argv[4]);
}
