// Checks the language files the build ships against the keys the program
// uses: every key in both files, the same keys in both, and format texts
// whose placeholders fit the arguments the program passes.

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/LanguageEntries.h"
#include "app/LanguageFile.h"
#include "app/LanguageKeys.h"
#include "app/MessageKey.h"
#include "app/TextFormat.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"

namespace {

const wchar_t* const kShippedFiles[] = {PIMLO_DIST_LANGUAGE_DIR L"/cn.dat",
                                        PIMLO_DIST_LANGUAGE_DIR L"/tw.dat"};

std::set<std::wstring> KeysOf(const std::wstring& file, LanguageSection section) {
    std::set<std::wstring> keys;
    const std::string stream = ReadLanguageStream(file, section).value_or("");
    std::wstring entry;
    for (size_t at = 0; at + 1 < stream.size(); at += 2) {
        const wchar_t c = static_cast<unsigned char>(stream[at]) |
                          (static_cast<unsigned char>(stream[at + 1]) << 8);
        if (c != L'\0') {
            entry += c;
        } else if (entry.empty()) {
            break;
        } else {
            keys.insert(entry.substr(0, entry.find(L'=')));
            entry.clear();
        }
    }
    return keys;
}

std::wstring ValueOf(const std::wstring& file, LanguageSection section, const std::wstring& key) {
    return FindLanguageEntry(ReadLanguageStream(file, section).value_or(""), key).value_or(L"");
}

// Every key of a section the program looks up, with its argument kinds.
std::vector<std::pair<std::wstring, std::string>> ListedKeys(LanguageSection section) {
    std::vector<std::pair<std::wstring, std::string>> keys;
    if (section == LanguageSection::Text) {
        for (const TextKey& key : kAllTextKeys) keys.emplace_back(key.name, key.arguments);
        for (const TextKey& key : kInvoiceFieldKeys) keys.emplace_back(key.name, key.arguments);
    } else {
        for (const auto& key : kAllMessageKeys) keys.emplace_back(key.name, key.arguments);
        for (int code : kExplainedServiceErrors)
            keys.emplace_back(ServiceErrorKey(code).Name(), "");
    }
    return keys;
}

// Key literals that product code passes to a lookup instead of a listed key.
std::vector<std::pair<LanguageSection, std::wstring>> KeyLiteralsIn(const std::wstring& folder) {
    static const std::regex literal(
        R"re((MessageKey::FromName\(|ReadLanguageValue\(LanguageSection::(Text|Message),)\s*L"([^"]*)"\s*[,)])re");
    std::vector<std::pair<LanguageSection, std::wstring>> found;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        const std::wstring name = entry.cFileName;
        const std::wstring path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            auto inner = KeyLiteralsIn(path);
            found.insert(found.end(), inner.begin(), inner.end());
            continue;
        }
        const std::string text = ReadFileBytes(path);
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
            const bool inText = (*it)[2] == "Text";
            found.emplace_back(inText ? LanguageSection::Text : LanguageSection::Message,
                               Utf8ToWide((*it)[3].str()));
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

}  // namespace

TEST(ShippedLanguageFiles, HoldEveryKeyTheProgramUses) {
    for (const wchar_t* file : kShippedFiles) {
        for (LanguageSection section : {LanguageSection::Text, LanguageSection::Message}) {
            const std::set<std::wstring> keys = KeysOf(file, section);
            for (const auto& [key, arguments] : ListedKeys(section)) {
                EXPECT_EQ(keys.count(key), 1u) << WideToUtf8(file) << " lacks " << WideToUtf8(key);
            }
        }
    }
}

TEST(ShippedLanguageFiles, HoldTheSameKeys) {
    for (LanguageSection section : {LanguageSection::Text, LanguageSection::Message}) {
        EXPECT_EQ(KeysOf(kShippedFiles[0], section), KeysOf(kShippedFiles[1], section));
        EXPECT_FALSE(KeysOf(kShippedFiles[0], section).empty());
    }
}

TEST(ShippedLanguageFiles, FormatTextsTakeExactlyTheirArguments) {
    for (const wchar_t* file : kShippedFiles) {
        for (LanguageSection section : {LanguageSection::Text, LanguageSection::Message}) {
            for (const auto& [key, arguments] : ListedKeys(section)) {
                std::string kinds = PlaceholderKinds(ValueOf(file, section, key));
                if (arguments.empty()) {
                    // A text that is not a format shows a stray placeholder as it is.
                    kinds.erase(std::remove(kinds.begin(), kinds.end(), '?'), kinds.end());
                }
                EXPECT_EQ(kinds, arguments) << WideToUtf8(file) << " " << WideToUtf8(key);
            }
        }
    }
}

TEST(ShippedLanguageFiles, HoldTheKeysThatProductCodeSpellsOut) {
    for (const wchar_t* folder :
         {L"app", L"ui", L"ocr", L"capture", L"views", L"engine", L"net", L"services", L"common"}) {
        for (const auto& [section, key] :
             KeyLiteralsIn(PIMLO_SOURCE_DIR L"\\" + std::wstring(folder))) {
            for (const wchar_t* file : kShippedFiles) {
                EXPECT_EQ(KeysOf(file, section).count(key), 1u)
                    << WideToUtf8(file) << " lacks " << WideToUtf8(key);
            }
        }
    }
}

TEST(ShippedLanguageFiles, HoldTheStandInCredentials) {
    for (const wchar_t* file : kShippedFiles) {
        EXPECT_EQ(ValueOf(file, LanguageSection::Text, L"AAI"), L"pimlo-app-1");
        EXPECT_EQ(ValueOf(file, LanguageSection::Text, L"SK"), L"pimlo-stand-in-sign-key");
    }
}
