#include "LineText.h"

namespace {

// The code point of the UTF-8 sequence starting at text[at], or 0 when it is
// not a valid sequence (such a byte never counts as wide).
char32_t CodePointAt(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 0;
    if (length == 0 || at + length > text.size()) return 0;
    if (length == 1) return lead;
    char32_t point = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    return point;
}

// Chinese, Japanese and Korean characters and punctuation, and the
// full-width forms, which East Asian text writes without spaces.
bool IsWide(char32_t point) {
    return (point >= 0x1100 && point <= 0x115F) || (point >= 0x2E80 && point <= 0xA4CF) ||
           (point >= 0xAC00 && point <= 0xD7A3) || (point >= 0xF900 && point <= 0xFAFF) ||
           (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFF60) ||
           (point >= 0xFFE0 && point <= 0xFFE6) || (point >= 0x20000 && point <= 0x3FFFD);
}

bool StartsWide(const std::string& text) { return !text.empty() && IsWide(CodePointAt(text, 0)); }

bool EndsWide(const std::string& text) {
    if (text.empty()) return false;
    size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    return IsWide(CodePointAt(text, start));
}

// The text without the spaces and line breaks around it.
std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string JoinWords(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& spaced : words) {
        const std::string word = Trimmed(spaced);
        if (word.empty()) continue;
        if (!line.empty() && !EndsWide(line) && !StartsWide(word)) line += ' ';
        line += word;
    }
    return line;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}
