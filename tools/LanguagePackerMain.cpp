// language_packer SOURCE OUTPUT: turns a language source (UTF-8 text) into
// the language file the program reads. Run by the build for every source.

#include <windows.h>

#include <cstdio>
#include <string>

#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "tools/LanguagePacker.h"
#include "tools/LanguageSource.h"

namespace {

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!Valid(file) || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20)) {
        return false;
    }
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size();
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

int Fail(const std::wstring& source, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", WideToUtf8(source).c_str(), message.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: language_packer SOURCE OUTPUT\n");
        return 2;
    }
    const std::wstring source = argv[1];
    const std::wstring output = argv[2];
    std::string text;
    if (!ReadWholeFile(source, text)) {
        return Fail(source, "can not be read");
    }
    const ParsedLanguageSource parsed = ParseLanguageSource(text);
    for (const std::string& error : parsed.errors) {
        Fail(source, error);
    }
    if (!parsed.errors.empty()) {
        return 1;
    }
    const std::wstring folder = FolderOf(output);
    if (!folder.empty()) {
        CreateFolderTree(folder);
    }
    std::string error;
    if (!WriteLanguageFile(output, parsed.source, error)) {
        return Fail(output, error);
    }
    return 0;
}
