#include <gtest/gtest.h>

#include <string>

#include "app/LanguageEntries.h"
#include "app/LanguageFile.h"
#include "tests/app/AppTestSupport.h"
#include "tools/LanguagePacker.h"
#include "tools/LanguageSource.h"

namespace {

std::string FirstError(const std::string& source) {
    const ParsedLanguageSource parsed = ParseLanguageSource(source);
    return parsed.errors.empty() ? std::string() : parsed.errors.front();
}

}  // namespace

TEST(LanguageSource, ReadsSectionsEntriesAndEscapes) {
    const ParsedLanguageSource parsed = ParseLanguageSource(
        "\xEF\xBB\xBF# comment\r\n[Text]\r\n  AAI = pimlo-app-1\r\n\r\n; note\r\n[Message]\n"
        "Title=\xE6\x8F\x90\xE7\xA4\xBA\nBody=a\\nb\\t\\\\c= d \nEmpty=");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    ASSERT_EQ(parsed.source.sections.size(), 2u);
    const auto& text = parsed.source.sections[0];
    EXPECT_EQ(text.name, L"Text");
    ASSERT_EQ(text.entries.size(), 1u);
    EXPECT_EQ(text.entries[0].key, L"AAI");
    EXPECT_EQ(text.entries[0].value, L" pimlo-app-1");
    const auto& message = parsed.source.sections[1].entries;
    ASSERT_EQ(message.size(), 3u);
    EXPECT_EQ(message[0].value, L"提示");
    EXPECT_EQ(message[1].value, L"a\nb\t\\c= d ");
    EXPECT_EQ(message[2].value, L"");
}

TEST(LanguageSource, RefusesWhatWouldPackWrongly) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Text]\nA=1\nA=2\n", "line 3: key A appears twice"},
        {"[Text]\n[Message]\n[Text]\n", "line 3: section [Text] appears twice"},
        {"A=1\n", "line 1: key=value before the first [Section]"},
        {"[Text]\njust words\n", "line 2: expected [Section] or key=value"},
        {"[Text]\n=value\n", "line 2: empty key"},
        {"[Text]\nA=\\x\n", "line 2: unknown escape"},
        {"[Text]\nA=\xC3\x28\n", "line 2: not UTF-8"},
        {"[Te:xt]\n", "line 1: a section name"},
        {"[0123456789012345678901234567890123]\n", "line 1: a section name"},
    };
    for (const auto& [source, error] : cases) {
        EXPECT_EQ(FirstError(source).rfind(error, 0), 0u) << source << " -> " << FirstError(source);
    }
    // The same key in two sections is two keys.
    EXPECT_EQ(FirstError("[Text]\nA=1\n[Message]\nA=2\n"), "");
}

TEST(LanguagePacker, FilesReadBackThroughTheProgramsReader) {
    TempFolder folder;
    const std::wstring path = folder.File(L"cn.dat");
    WriteFileBytes(path, "an older file");
    const ParsedLanguageSource parsed =
        ParseLanguageSource("[Text]\nAAI=app\nOCRScan=%d/%d %s\n[Message]\nTitle=Caption\n");
    std::string error;
    ASSERT_TRUE(WriteLanguageFile(path, parsed.source, error)) << error;

    const auto text = ReadLanguageStream(path, LanguageSection::Text);
    ASSERT_TRUE(text);
    EXPECT_EQ(FindLanguageEntry(*text, L"AAI"), L"app");
    EXPECT_EQ(FindLanguageEntry(*text, L"OCRScan"), L"%d/%d %s");
    EXPECT_EQ(FindLanguageEntry(*ReadLanguageStream(path, LanguageSection::Message), L"Title"),
              L"Caption");
    EXPECT_FALSE(PathExists(path + L".part"));
}

TEST(LanguagePacker, AFailedWriteLeavesTheOldFile) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(WriteLanguageFile(folder.File(L"missing\\cn.dat"), {}, error));
    EXPECT_FALSE(error.empty());
    // A file that can not be replaced (the program has it open) stays as it was.
    WriteFileBytes(folder.File(L"cn.dat"), "old");
    HANDLE open = CreateFileW(folder.File(L"cn.dat").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(WriteLanguageStreams(folder.File(L"cn.dat"), {{L"Text", "x"}}, error));
    CloseHandle(open);
    EXPECT_EQ(ReadFileBytes(folder.File(L"cn.dat")), "old");
    EXPECT_FALSE(PathExists(folder.File(L"cn.dat.part")));
}
