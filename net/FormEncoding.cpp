#include "net/FormEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// For every byte: the text it becomes (the byte itself, or "%" and two
// upper-case hexadecimal digits) packed into 4 bytes, and that text's length.
struct EscapeTable {
    std::array<uint32_t, 256> text{};
    std::array<uint8_t, 256> length{};
};

constexpr bool IsUnreserved(int c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

constexpr EscapeTable MakeEscapeTable() {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    EscapeTable table;
    for (int c = 0; c < 256; ++c) {
        if (IsUnreserved(c)) {
            table.text[c] = static_cast<uint32_t>(c);
            table.length[c] = 1;
        } else {
            table.text[c] = '%' | static_cast<uint32_t>(kHexDigits[c >> 4]) << 8 |
                            static_cast<uint32_t>(kHexDigits[c & 0x0F]) << 16;
            table.length[c] = 3;
        }
    }
    return table;
}

constexpr EscapeTable kEscape = MakeEscapeTable();

// Every escaped byte is written as four bytes, of which the next write keeps
// only the first one or three: the target needs this much room at its end.
constexpr size_t kWriteSlack = 3;

size_t EscapedLength(std::string_view bytes) {
    size_t length = 0;
    for (unsigned char c : bytes) length += kEscape.length[c];
    return length;
}

// Writes the escaped bytes at out and returns the position after them,
// without a branch per byte, so that a picture's Base64 text of many
// megabytes is escaped at memory speed. The target is sized beforehand
// (EscapedLength plus kWriteSlack), so nothing is reallocated.
char* EscapeInto(char* out, std::string_view bytes) {
    for (unsigned char c : bytes) {
        std::memcpy(out, &kEscape.text[c], sizeof(uint32_t));
        out += kEscape.length[c];
    }
    return out;
}

}  // namespace

std::string FormEscape(std::string_view bytes) {
    size_t length = EscapedLength(bytes);
    std::string escaped(length + kWriteSlack, '\0');
    EscapeInto(escaped.data(), bytes);
    escaped.resize(length);
    return escaped;
}

std::string FormEncode(const FormMap& pairs) {
    size_t length = 0;
    for (const auto& [key, value] : pairs) length += EscapedLength(key) + EscapedLength(value) + 2;
    std::string encoded(length + kWriteSlack, '\0');
    char* out = encoded.data();
    for (const auto& [key, value] : pairs) {
        out = EscapeInto(out, key);
        *out++ = '=';
        out = EscapeInto(out, value);
        *out++ = '&';
    }
    encoded.resize(length);
    return encoded;
}
