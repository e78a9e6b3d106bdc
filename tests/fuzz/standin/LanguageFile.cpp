#include "app/LanguageFile.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "app/LanguageEntries.h"
#include "tools/LanguageSource.h"

// The native build reads the program's texts from the language source the
// packed file is made of, so answers are formatted with the real formats.
#ifndef PIMLO_LANGUAGE_SOURCE
#error "PIMLO_LANGUAGE_SOURCE names the language source the texts come from"
#endif

namespace {

std::string ReadSourceFile(const char* path) {
    std::string bytes;
    if (FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, read);
        std::fclose(file);
    }
    return bytes;
}

// A section's entries as the packed file holds them, unscrambled: each
// "key=value" a zero-terminated run of UTF-16LE units, then an empty one.
std::string EncodeSection(const std::vector<LanguageEntry>& entries) {
    std::string stream;
    const auto appendUnit = [&stream](wchar_t unit) {
        stream += static_cast<char>(unit & 0xFF);
        stream += static_cast<char>((unit >> 8) & 0xFF);
    };
    for (const LanguageEntry& entry : entries) {
        for (const wchar_t unit : entry.key + L"=" + entry.value) appendUnit(unit);
        appendUnit(L'\0');
    }
    appendUnit(L'\0');
    return stream;
}

const std::map<std::wstring, std::string>& Streams() {
    static const std::map<std::wstring, std::string> streams = [] {
        const ParsedLanguageSource parsed =
            ParseLanguageSource(ReadSourceFile(PIMLO_LANGUAGE_SOURCE));
        if (!parsed.errors.empty() || parsed.source.sections.empty()) {
            std::fprintf(stderr, "the language source %s can not be read\n", PIMLO_LANGUAGE_SOURCE);
            std::abort();
        }
        std::map<std::wstring, std::string> byName;
        for (const LanguageSourceSection& section : parsed.source.sections) {
            byName[section.name] = EncodeSection(section.entries);
        }
        return byName;
    }();
    return streams;
}

}  // namespace

const wchar_t* SectionStreamName(LanguageSection section) {
    return section == LanguageSection::Text ? L"Text" : L"Message";
}

std::optional<std::string> ReadLanguageStream(const std::wstring&, LanguageSection section) {
    const auto found = Streams().find(SectionStreamName(section));
    if (found == Streams().end()) return std::nullopt;
    return found->second;
}

std::wstring ReadLanguageValue(LanguageSection section, std::wstring_view key,
                               std::wstring_view defaultValue, size_t capacity) {
    if (capacity == 0) return {};
    const std::optional<std::string> stream = ReadLanguageStream({}, section);
    std::optional<std::wstring> value;
    if (stream) value = FindLanguageEntry(*stream, key);
    std::wstring text = value ? std::move(*value) : std::wstring(defaultValue);
    if (text.size() > capacity - 1) text.resize(capacity - 1);
    return text;
}
