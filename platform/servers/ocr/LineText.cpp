#include "platform/servers/ocr/LineText.h"

#include <cstdint>

namespace pimlo::servers {

namespace {

bool IsWide(uint32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

// The code point of the UTF-8 sequence that starts at `at`; 0 for a broken one.
uint32_t CodePointAt(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 4;
    if (at + length > text.size()) return 0;
    if (length == 1) return lead;
    uint32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    return c;
}

}  // namespace

bool StartsWide(const std::string& text) { return !text.empty() && IsWide(CodePointAt(text, 0)); }

bool EndsWide(const std::string& text) {
    if (text.empty()) return false;
    size_t at = text.size() - 1;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    return IsWide(CodePointAt(text, at));
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (word.empty()) continue;
        if (!line.empty() && !EndsWide(line) && !StartsWide(word)) line += ' ';
        line += word;
    }
    return line;
}

}  // namespace pimlo::servers
