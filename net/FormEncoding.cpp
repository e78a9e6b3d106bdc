#include "net/FormEncoding.h"

#include <array>

namespace {

constexpr std::array<bool, 256> MakeUnreservedTable() {
    std::array<bool, 256> table{};
    for (int c = '0'; c <= '9'; ++c) table[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
    table['-'] = table['.'] = table['_'] = table['~'] = true;
    return table;
}

constexpr std::array<bool, 256> kUnreserved = MakeUnreservedTable();
constexpr char kHexDigits[] = "0123456789ABCDEF";

size_t EscapedLength(std::string_view bytes) {
    size_t length = bytes.size();
    for (unsigned char c : bytes) length += kUnreserved[c] ? 0 : 2;
    return length;
}

// Writes the escaped bytes at out and returns the position after them. The
// caller has sized the target with EscapedLength, so a picture of many
// megabytes is escaped without any reallocation.
char* EscapeInto(char* out, std::string_view bytes) {
    for (unsigned char c : bytes) {
        if (kUnreserved[c]) {
            *out++ = static_cast<char>(c);
        } else {
            out[0] = '%';
            out[1] = kHexDigits[c >> 4];
            out[2] = kHexDigits[c & 0x0F];
            out += 3;
        }
    }
    return out;
}

}  // namespace

std::string FormEscape(std::string_view bytes) {
    std::string escaped(EscapedLength(bytes), '\0');
    EscapeInto(escaped.data(), bytes);
    return escaped;
}

std::string FormEncode(const FormMap& pairs) {
    size_t length = 0;
    for (const auto& [key, value] : pairs) length += EscapedLength(key) + EscapedLength(value) + 2;
    std::string encoded(length, '\0');
    char* out = encoded.data();
    for (const auto& [key, value] : pairs) {
        out = EscapeInto(out, key);
        *out++ = '=';
        out = EscapeInto(out, value);
        *out++ = '&';
    }
    return encoded;
}
