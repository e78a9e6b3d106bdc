#include "tools/LanguagePacker.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "app/LanguageScrambling.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"

namespace {

void AppendString(std::string& bytes, const std::wstring& text) {
    for (wchar_t character : text) {
        bytes += static_cast<char>(character & 0xFF);
        bytes += static_cast<char>((character >> 8) & 0xFF);
    }
    bytes.append(2, '\0');
}

std::string Describe(const char* step, HRESULT result) {
    char text[96];
    std::snprintf(text, sizeof(text), "%s failed (0x%08lX)", step,
                  static_cast<unsigned long>(result));
    return text;
}

bool WriteStream(IStorage* storage, const LanguageStream& stream, std::string& error) {
    IStream* created = nullptr;
    HRESULT result = storage->CreateStream(
        stream.first.c_str(), STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &created);
    if (FAILED(result)) {
        error = Describe("creating stream", result) + " " + WideToUtf8(stream.first);
        return false;
    }
    ComOwner<IStream> owned(created);
    ULONG written = 0;
    result = owned->Write(stream.second.data(), static_cast<ULONG>(stream.second.size()), &written);
    if (FAILED(result) || written != stream.second.size()) {
        error = Describe("writing stream", result) + " " + WideToUtf8(stream.first);
        return false;
    }
    return true;
}

bool WriteStorage(const std::wstring& path, const std::vector<LanguageStream>& streams,
                  std::string& error) {
    IStorage* created = nullptr;
    HRESULT result = StgCreateDocfile(
        path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &created);
    if (FAILED(result)) {
        error = Describe("creating the compound file", result);
        return false;
    }
    ComOwner<IStorage> storage(created);
    for (const LanguageStream& stream : streams) {
        if (!WriteStream(storage.get(), stream, error)) {
            return false;
        }
    }
    result = storage->Commit(STGC_DEFAULT);
    if (FAILED(result)) {
        error = Describe("committing the compound file", result);
        return false;
    }
    return true;
}

}  // namespace

std::string EncodeLanguageSection(const std::vector<LanguageEntry>& entries) {
    std::string bytes;
    for (const LanguageEntry& entry : entries) {
        AppendString(bytes, entry.key + L"=" + entry.value);
    }
    AppendString(bytes, L"");
    ScrambleLanguageStream(bytes);
    return bytes;
}

bool WriteLanguageStreams(const std::wstring& path, const std::vector<LanguageStream>& streams,
                          std::string& error) {
    const std::wstring building = path + L".part";
    if (!WriteStorage(building, streams, error)) {
        DeleteFileW(building.c_str());
        return false;
    }
    if (!MoveFileExW(building.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = "replacing " + WideToUtf8(path) + " failed (error " +
                std::to_string(GetLastError()) + ")";
        DeleteFileW(building.c_str());
        return false;
    }
    return true;
}

bool WriteLanguageFile(const std::wstring& path, const LanguageSource& source, std::string& error) {
    std::vector<LanguageStream> streams;
    for (const LanguageSourceSection& section : source.sections) {
        streams.emplace_back(section.name, EncodeLanguageSection(section.entries));
    }
    return WriteLanguageStreams(path, streams, error);
}
