#include "ui/ResultText.h"

#include <windows.h>

#include <cstdio>

#include "app/LanguageText.h"
#include "app/TraceLog.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "ocr/PermitParser.h"

namespace {

constexpr char kByteOrderMark[] = "\xFF\xFE";

std::wstring FormatSize(const wchar_t* format, float size) {
    wchar_t text[64] = {};
    std::swprintf(text, std::size(text), format, size);
    return text;
}

}  // namespace

std::wstring DisplayText(const RecognitionResult& result, RecognitionKind runKind) {
    if (runKind == RecognitionKind::BankCard) {
        // The number came in the service's UTF-8 and is kept as sent.
        return result.bankName + L"\r\n" + Utf8ToWide(result.bankCardNumber);
    }
    std::wstring text;
    if (runKind == RecognitionKind::AccountPermit) {
        for (const std::wstring& line : result.lines) text += line;
        return ParsePermit(text, runKind);
    }
    for (const std::wstring& line : result.lines) text += line + L"\r\n";
    return text;
}

std::wstring TakeResultText(const RecognitionResult& result, RecognitionKind runKind,
                            std::wstring& currentText) {
    std::wstring text = DisplayText(result, runKind);
    if (text.empty()) return Text(TextKeys::OCRNone);
    currentText = text;
    return text;
}

bool SaveTextFile(const std::wstring& path, const std::wstring& text) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Valid(file)) {
        LogTrace(L"SaveTextToFile fail,err=%d", static_cast<int>(GetLastError()));
        return false;
    }
    std::string bytes(kByteOrderMark, 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        LogTrace(L"SaveTextToFile fail,err=%d", static_cast<int>(GetLastError()));
        return false;
    }
    return true;
}

bool ReplaceTextFile(const std::wstring& path, const std::wstring& text) {
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    wchar_t whole[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"pim", 0, whole)) {
        LogTrace(L"SaveTextToFile fail,err=%d", static_cast<int>(GetLastError()));
        return false;
    }
    if (SaveTextFile(whole, text) &&
        MoveFileExW(whole, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    LogTrace(L"SaveTextToFile fail,err=%d", static_cast<int>(GetLastError()));
    DeleteFileW(whole);
    return false;
}

std::wstring ReadTextFile(const std::wstring& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return {};
    size_t start = bytes.compare(0, 2, kByteOrderMark, 2) == 0 ? 2 : 0;
    std::wstring text((bytes.size() - start) / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(text.data(), bytes.data() + start, text.size() * sizeof(wchar_t));
    return text;
}

std::wstring FileSizeText(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) return {};
    const unsigned long long bytes =
        (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    if (bytes == 0) return {};
    if (bytes < 1024) return FormattedText(TextKeys::SizeBytes, {static_cast<int>(bytes)});
    const float kilobytes = static_cast<float>(bytes) / 1024.0f;
    if (kilobytes < 1024.0f) return FormatSize(L"%.2f K", kilobytes);
    return FormatSize(L"%.2f M", kilobytes / 1024.0f);
}
