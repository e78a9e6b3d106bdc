#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/LanguageEntries.h"
#include "app/LanguageFile.h"
#include "app/LanguageScrambling.h"
#include "app/LanguageText.h"
#include "tests/app/AppTestSupport.h"

namespace {

// A language file whose "Text" stream holds exactly these (unscrambled) bytes.
class RawStreamFile {
public:
    explicit RawStreamFile(std::string plain) {
        ScrambleLanguageStream(plain);
        std::string error;
        WriteLanguageStreams(folder_.File(L"raw.dat"), {{L"Text", plain}}, error);
    }
    std::wstring Lookup(const std::wstring& key) const {
        ScopedLanguageFile file(folder_.File(L"raw.dat"));
        return ReadLanguageValue(LanguageSection::Text, key, L"default", 1024);
    }

private:
    TempFolder folder_;
};

std::string Utf16(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Entry(const std::wstring& text) { return Utf16(text) + std::string(2, '\0'); }

}  // namespace

TEST(LanguageFile, FirstOfTwoEqualKeysWinsAndKeysCompareExactly) {
    RawStreamFile file(Entry(L"Key=first") + Entry(L"Key=second") + Entry(L"key=lower") +
                       Entry(L"Ke=short") + Entry(L"Empty=") + Entry(L""));
    EXPECT_EQ(file.Lookup(L"Key"), L"first");
    EXPECT_EQ(file.Lookup(L"key"), L"lower");
    EXPECT_EQ(file.Lookup(L"K"), L"default");
    EXPECT_EQ(file.Lookup(L"Empty"), L"");
    EXPECT_EQ(file.Lookup(L"Missing"), L"default");
}

TEST(LanguageFile, NothingAfterTheEmptyStringIsRead) {
    RawStreamFile file(Entry(L"A=1") + Entry(L"") + Entry(L"B=2"));
    EXPECT_EQ(file.Lookup(L"A"), L"1");
    EXPECT_EQ(file.Lookup(L"B"), L"default");
}

TEST(LanguageFile, OddBytesAfterTheLastWholeWordAreHarmless) {
    // An unterminated last string ends with the stream; a lone byte is ignored,
    // two bytes make one more character.
    for (size_t extra = 0; extra < 4; ++extra) {
        RawStreamFile file(Entry(L"A=1") + Utf16(L"Last=value") + std::string(extra, 'x'));
        EXPECT_EQ(file.Lookup(L"A"), L"1") << extra;
        EXPECT_EQ(file.Lookup(L"Last"), extra < 2 ? L"value" : L"value\x7878") << extra;
    }
}

TEST(LanguageFile, StreamsOf128KiBAndMoreAreReadWhole) {
    for (size_t size : {131070u, 131072u, 300000u}) {
        std::string plain = Entry(L"First=1");
        const std::string last = Entry(L"Last=found") + Entry(L"");
        plain +=
            Entry(L"Filler=" + std::wstring((size - plain.size() - last.size()) / 2 - 8, L'x'));
        plain += last;
        RawStreamFile file(plain);
        EXPECT_EQ(file.Lookup(L"Last"), L"found") << size;
        EXPECT_EQ(file.Lookup(L"First"), L"1") << size;
    }
}

TEST(LanguageFile, TextIsCutTo259CharactersWithoutSplittingAPair) {
    TempFolder folder;
    const std::wstring pair = L"\U0001F600";  // one character, two UTF-16 units
    WriteLanguageFileOf(folder.File(L"cn.dat"),
                        {{L"AAI", std::wstring(300, L'a')},
                         {L"AAK", std::wstring(258, L'b') + pair},
                         {L"ASK", std::wstring(257, L'c') + pair}},
                        {});
    ScopedLanguageFile file(folder.File(L"cn.dat"));
    EXPECT_EQ(Text(TextKeys::AAI), std::wstring(259, L'a'));
    EXPECT_EQ(Text(TextKeys::AAK), std::wstring(258, L'b'));
    EXPECT_EQ(Text(TextKeys::ASK), std::wstring(257, L'c') + pair);
    EXPECT_EQ(ByteText(TextKeys::SK), "");
}

TEST(LanguageFile, MissingOrDamagedFilesGiveDefaults) {
    TempFolder folder;
    WriteFileBytes(folder.File(L"garbage.dat"), std::string(4096, '\x5A'));
    std::string error;
    WriteLanguageStreams(folder.File(L"empty.dat"), {{L"Text", ""}}, error);
    for (const wchar_t* name : {L"missing.dat", L"garbage.dat", L"empty.dat"}) {
        ScopedLanguageFile file(folder.File(name));
        EXPECT_EQ(ReadLanguageValue(LanguageSection::Text, L"AAI", L"fallback", 260), L"fallback")
            << name;
        EXPECT_EQ(ReadLanguageValue(LanguageSection::Message, L"Title", L"", 260), L"") << name;
    }

    // A file cut anywhere gives the whole value or the default, never a part.
    const std::wstring value(3000, L'z');
    WriteLanguageFileOf(folder.File(L"whole.dat"), {{L"AAI", value}}, {});
    const std::string whole = ReadFileBytes(folder.File(L"whole.dat"));
    ScopedLanguageFile file(folder.File(L"cut.dat"));
    for (size_t cut = 0; cut < whole.size(); cut += 512) {
        WriteFileBytes(folder.File(L"cut.dat"), whole.substr(0, cut));
        const std::wstring read = ReadLanguageValue(LanguageSection::Text, L"AAI", L"-", 4000);
        EXPECT_TRUE(read == L"-" || read == value) << cut << ": " << read.size();
    }
}

TEST(LanguageFile, StreamsAreStoredScrambled) {
    TempFolder folder;
    WriteLanguageFileOf(folder.File(L"cn.dat"), {{L"AAK", L"secret-key-text"}}, {});
    const std::string file = ReadFileBytes(folder.File(L"cn.dat"));
    EXPECT_EQ(file.find(Utf16(L"secret")), std::string::npos);
    EXPECT_EQ(file.find(Utf16(L"AAK=")), std::string::npos);

    // Only words followed by another byte change, and only in their low half.
    std::string bytes = "ABCDEFGH";
    ScrambleLanguageStream(bytes);
    EXPECT_NE(bytes.substr(0, 2), "AB");
    EXPECT_EQ(bytes.substr(2), "CDEFGH");
    ScrambleLanguageStream(bytes);
    EXPECT_EQ(bytes, "ABCDEFGH");
}

TEST(LanguageFile, ThreadsLookUpAtTheSameTime) {
    TempFolder folder;
    WriteLanguageFileOf(folder.File(L"cn.dat"), {{L"AAI", L"app"}}, {{L"Title", L"caption"}});
    ScopedLanguageFile file(folder.File(L"cn.dat"));
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&wrong] {
            for (int i = 0; i < 50; ++i) {
                wrong += Text(TextKeys::AAI) != L"app";
                wrong +=
                    ReadLanguageValue(LanguageSection::Message, L"Title", L"", 260) != L"caption";
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}
