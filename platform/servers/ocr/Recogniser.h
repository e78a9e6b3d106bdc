#pragma once
// Text recognition with Tesseract. A TessBaseAPI serves one picture at a
// time, so the recogniser keeps a pool of them per language list and lends
// one to each request; at most `maxConcurrent` recognitions run at once
// (each one keeps a processor core busy).

#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct Pix;
namespace tesseract {
class TessBaseAPI;
}

namespace pimlo::servers {

struct TextBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct RecognisedWord {
    std::string text;  // UTF-8
    TextBox box;
    double confidence = 0;  // 0 to 1
};

struct RecognisedLine {
    std::string text;  // UTF-8, words joined by JoinWords
    TextBox box;
    std::vector<double> wordConfidences;  // 0 to 1, one per word
};

struct Recognition {
    std::vector<RecognisedLine> lines;  // in reading order
    std::vector<RecognisedWord> words;  // every word of every line, in reading order
};

class Recogniser {
public:
    explicit Recogniser(size_t maxConcurrent);
    ~Recogniser();

    // `languages` is a Tesseract language list such as "eng" or "chi_sim+eng".
    // nullopt when Tesseract can not be set up for them or fails on the picture.
    std::optional<Recognition> Recognise(Pix* picture, const std::string& languages);

private:
    using Engine = std::unique_ptr<tesseract::TessBaseAPI>;
    Engine Borrow(const std::string& languages);
    void GiveBack(const std::string& languages, Engine engine);

    size_t maxConcurrent_;
    std::mutex mutex_;
    std::condition_variable available_;
    size_t busy_ = 0;
    std::map<std::string, std::vector<Engine>> idle_;
};

}  // namespace pimlo::servers
