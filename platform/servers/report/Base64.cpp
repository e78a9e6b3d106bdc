#include "platform/servers/report/Base64.h"

#include <openssl/evp.h>

namespace pimlo::servers {

namespace {

bool IsAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

// Counts the trailing "=" (at most two) after checking that every other
// character belongs to the alphabet; -1 when the text is not well formed.
int PaddingLength(const std::string& text) {
    size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    for (size_t i = 0; i + padding < text.size(); ++i)
        if (!IsAlphabet(text[i])) return -1;
    return static_cast<int>(padding);
}

}  // namespace

std::optional<std::string> DecodeBase64(const std::string& text) {
    if (text.empty() || text.size() % 4 != 0) return std::nullopt;
    int padding = PaddingLength(text);
    if (padding < 0) return std::nullopt;

    std::string bytes(text.size() / 4 * 3, '\0');
    int written = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                  reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    if (written < 0) return std::nullopt;
    // EVP_DecodeBlock counts the bytes that the padding stands in for.
    bytes.resize(static_cast<size_t>(written) - static_cast<size_t>(padding));
    return bytes;
}

}  // namespace pimlo::servers
