#include "app/LanguageFile.h"

#include <windows.h>
#include <objbase.h>

#include <mutex>

#include "app/LanguageEntries.h"
#include "app/LanguageScrambling.h"
#include "common/FileSystem.h"
#include "common/Win32Handles.h"

namespace {

// Far above any real section (a few tens of KiB); a larger size is taken for
// a damaged file rather than allocated.
constexpr uint64_t kMaxStreamBytes = 16u << 20;

std::mutex& PathMutex() {
    static std::mutex mutex;
    return mutex;
}

std::wstring& LanguagePath() {
    static std::wstring path;
    return path;
}

ComOwner<IStorage> OpenStorage(const std::wstring& file) {
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(file.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                              &storage))) {
        return nullptr;
    }
    return ComOwner<IStorage>(storage);
}

ComOwner<IStream> OpenStream(IStorage* storage, LanguageSection section) {
    IStream* stream = nullptr;
    if (FAILED(storage->OpenStream(SectionStreamName(section), nullptr,
                                   STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
        return nullptr;
    }
    return ComOwner<IStream>(stream);
}

std::optional<std::string> ReadWhole(IStream* stream) {
    STATSTG status = {};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) ||
        status.cbSize.QuadPart > kMaxStreamBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(status.cbSize.QuadPart), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        ULONG read = 0;
        const HRESULT result =
            stream->Read(bytes.data() + filled, static_cast<ULONG>(bytes.size() - filled), &read);
        if (FAILED(result)) {
            return std::nullopt;
        }
        if (read == 0) {
            // Fewer bytes than the stream claims: a cut file, whose last text
            // would end anywhere. It is taken for damaged rather than shown cut.
            return std::nullopt;
        }
        filled += read;
    }
    return bytes;
}

// At most maxCharacters of value, never ending in the first half of a
// surrogate pair.
std::wstring CutTo(std::wstring value, size_t maxCharacters) {
    if (value.size() <= maxCharacters) {
        return value;
    }
    value.resize(maxCharacters);
    if (!value.empty() && IS_HIGH_SURROGATE(value.back())) {
        value.pop_back();
    }
    return value;
}

}  // namespace

const wchar_t* SectionStreamName(LanguageSection section) {
    return section == LanguageSection::Text ? L"Text" : L"Message";
}

std::wstring LanguageFilePathFor(const std::wstring& installFolder) {
    const wchar_t* file = kLanguageCodePage == 950 ? L"tw.dat" : L"cn.dat";
    return JoinPath(JoinPath(installFolder, L"language"), file);
}

void SetLanguageFilePath(std::wstring path) {
    std::lock_guard<std::mutex> lock(PathMutex());
    LanguagePath() = std::move(path);
}

std::wstring CurrentLanguageFilePath() {
    std::lock_guard<std::mutex> lock(PathMutex());
    return LanguagePath();
}

std::optional<std::string> ReadLanguageStream(const std::wstring& file, LanguageSection section) {
    ComOwner<IStorage> storage = OpenStorage(file);
    if (!storage) {
        return std::nullopt;
    }
    ComOwner<IStream> stream = OpenStream(storage.get(), section);
    if (!stream) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWhole(stream.get());
    if (bytes) {
        ScrambleLanguageStream(*bytes);
    }
    return bytes;
}

std::wstring ReadLanguageValue(LanguageSection section, std::wstring_view key,
                               std::wstring_view defaultValue, size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    const std::wstring file = CurrentLanguageFilePath();
    if (file.empty()) {
        return CutTo(std::wstring(defaultValue), capacity - 1);
    }
    const std::optional<std::string> stream = ReadLanguageStream(file, section);
    std::optional<std::wstring> value;
    if (stream && !stream->empty()) {
        value = FindLanguageEntry(*stream, key);
    }
    return CutTo(value ? std::move(*value) : std::wstring(defaultValue), capacity - 1);
}
