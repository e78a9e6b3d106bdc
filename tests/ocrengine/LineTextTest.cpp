// How the engine writes the recogniser's words and lines as text.
#include <gtest/gtest.h>

#include "platform/ocrengine/LineText.h"

namespace {

struct WordsCase {
    const char* name;
    std::vector<std::string> words;
    std::string line;
};

const WordsCase kWordsCases[] = {
    {"latin words get one space", {"Offline", "text", "2026"}, "Offline text 2026"},
    {"chinese characters none", {"本地", "识", "别"}, "本地识别"},
    {"none between chinese and latin", {"中文和", "English", "混合"}, "中文和English混合"},
    {"full-width punctuation none", {"Hello", "，", "世界", "！"}, "Hello，世界！"},
    {"latin punctuation as a word", {"A", ",", "B"}, "A , B"},
    {"empty and blank words left out", {"", "a", " ", "b\n", ""}, "a b"},
    // A cut or invalid UTF-8 sequence is never taken for a Chinese character.
    {"invalid bytes count as narrow", {"\xE4\xB8", "x", "\xFF"}, "\xE4\xB8 x \xFF"},
};

TEST(LineTextTest, JoinsWordsWithSpacesOnlyBetweenNarrowText) {
    for (const WordsCase& c : kWordsCases) EXPECT_EQ(JoinWords(c.words), c.line) << c.name;
}

TEST(LineTextTest, JoinsNonEmptyLinesWithCarriageReturnLineFeed) {
    EXPECT_EQ(JoinLines({"第一行", "", "second", ""}), "第一行\r\nsecond");
    EXPECT_EQ(JoinLines({"", ""}), "");
}

}  // namespace
