#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "app/FolderCleanup.h"
#include "app/LanguageFile.h"
#include "app/MessagePresenter.h"
#include "common/FileSystem.h"
#include "tools/LanguagePacker.h"

// The Unicode text on the clipboard, or empty.
inline std::wstring ClipboardUnicodeText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A fresh folder under the temporary folder, deleted with everything in it
// when the test ends.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ =
            JoinPath(temp, L"pimlo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++));
        CreateFolderTree(path_);
    }
    ~TempFolder() { EmptyFolder(path_, {}, true); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return JoinPath(path_, name); }

private:
    std::wstring path_;
};

// Points the language lookups at a file while it lives.
class ScopedLanguageFile {
public:
    explicit ScopedLanguageFile(const std::wstring& path) : previous_(CurrentLanguageFilePath()) {
        SetLanguageFilePath(path);
    }
    ~ScopedLanguageFile() { SetLanguageFilePath(previous_); }

private:
    std::wstring previous_;
};

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// A file's bytes for the life of this object, put back afterwards; a file
// that did not exist is removed again. A program that still holds the file
// (a library it loaded) gets up to 5 s to let go.
class SavedFile {
public:
    explicit SavedFile(std::wstring path) : path_(std::move(path)) {
        existed_ = ReadFileBytes(path_, bytes_);
    }
    ~SavedFile() {
        for (int tries = 0; tries < 50 && !PutBack(); ++tries) Sleep(100);
    }
    SavedFile(const SavedFile&) = delete;
    SavedFile& operator=(const SavedFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    bool PutBack() const {
        if (!existed_) return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
        WriteFileBytes(path_, bytes_);
        std::string now;
        return ReadFileBytes(path_, now) && now == bytes_;
    }

    std::wstring path_;
    std::string bytes_;
    bool existed_ = false;
};

inline std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// A UTF-16 text file the program wrote, without its byte-order mark.
inline std::wstring TextFileContent(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 2) return {};
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

// Writes a language file with the two sections of the program.
inline void WriteLanguageFileOf(const std::wstring& path, std::vector<LanguageEntry> text,
                                std::vector<LanguageEntry> message) {
    std::string error;
    WriteLanguageFile(path, {{{L"Text", std::move(text)}, {L"Message", std::move(message)}}},
                      error);
}

// A language file in folder with one message, the lookups pointed at it
// while this lives.
class ScopedOneMessage {
public:
    ScopedOneMessage(const TempFolder& folder, const wchar_t* key, const wchar_t* text)
        : language_(Written(folder.File(L"cn.dat"), key, text)) {}

private:
    ScopedLanguageFile language_;

    static std::wstring Written(const std::wstring& path, const wchar_t* key, const wchar_t* text) {
        WriteLanguageFileOf(path, {}, {{key, text}});
        return path;
    }
};

// Records what would have been shown, answers IDYES.
class MessageRecorder {
public:
    MessageRecorder() {
        SetMessagePresenter([this](const MessageRequest& request) {
            std::lock_guard<std::mutex> lock(mutex_);
            shown_.push_back(request);
            return IDYES;
        });
    }
    ~MessageRecorder() { SetMessagePresenter(nullptr); }
    std::vector<MessageRequest> Shown() {
        std::lock_guard<std::mutex> lock(mutex_);
        return shown_;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        shown_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<MessageRequest> shown_;
};
