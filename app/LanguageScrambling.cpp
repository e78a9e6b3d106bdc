#include "app/LanguageScrambling.h"

void ScrambleLanguageStream(std::string& bytes) {
    // The low half of a little-endian word is its first two bytes.
    for (size_t word = 0; word + 4 < bytes.size(); word += 4) {
        bytes[word] = static_cast<char>(bytes[word] ^ (kLanguageMask & 0xFF));
        bytes[word + 1] = static_cast<char>(bytes[word + 1] ^ (kLanguageMask >> 8));
    }
}
