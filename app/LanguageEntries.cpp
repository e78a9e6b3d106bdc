#include "app/LanguageEntries.h"

namespace {

wchar_t CharacterAt(std::string_view stream, size_t index) {
    const auto low = static_cast<unsigned char>(stream[2 * index]);
    const auto high = static_cast<unsigned char>(stream[2 * index + 1]);
    return static_cast<wchar_t>(low | (high << 8));
}

// The value of entry when its key is key.
std::optional<std::wstring> ValueIfKeyMatches(const std::wstring& entry, std::wstring_view key) {
    const size_t equals = entry.find(L'=');
    if (equals == std::wstring::npos || std::wstring_view(entry).substr(0, equals) != key) {
        return std::nullopt;
    }
    return entry.substr(equals + 1);
}

}  // namespace

std::optional<std::wstring> FindLanguageEntry(std::string_view stream, std::wstring_view key) {
    const size_t characters = stream.size() / 2;
    std::wstring entry;
    for (size_t index = 0; index <= characters; ++index) {
        const wchar_t character = index < characters ? CharacterAt(stream, index) : L'\0';
        if (character != L'\0') {
            entry += character;
            continue;
        }
        if (entry.empty()) {
            return std::nullopt;  // the empty string ends the run
        }
        if (auto value = ValueIfKeyMatches(entry, key)) {
            return value;
        }
        entry.clear();
    }
    return std::nullopt;
}
