#include "common/Base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPadding = '=';

// Every 12-bit value mapped to its two output characters, so that one group of three input
// bytes (24 bits) takes two table reads instead of four shifts, masks and look-ups. 8 KiB.
constexpr size_t kPairCount = 4096;

constexpr std::array<char, 2 * kPairCount> MakePairTable() {
    std::array<char, 2 * kPairCount> pairs{};
    for (size_t value = 0; value < kPairCount; ++value) {
        pairs[2 * value] = kAlphabet[value >> 6];
        pairs[2 * value + 1] = kAlphabet[value & 0x3F];
    }
    return pairs;
}

constexpr std::array<char, 2 * kPairCount> kPairs = MakePairTable();

void WritePair(char* out, uint32_t twelveBits) { std::memcpy(out, &kPairs[2 * twelveBits], 2); }

size_t EncodedLength(size_t byteCount) { return byteCount / 3 * 4 + (byteCount % 3 == 0 ? 0 : 4); }

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string encoded(EncodedLength(bytes.size()), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    char* out = encoded.data();

    const size_t wholeGroupBytes = bytes.size() / 3 * 3;
    for (size_t i = 0; i < wholeGroupBytes; i += 3) {
        const uint32_t group = uint32_t{in[i]} << 16 | uint32_t{in[i + 1]} << 8 | in[i + 2];
        WritePair(out, group >> 12);
        WritePair(out + 2, group & 0xFFF);
        out += 4;
    }

    // One or two bytes remain: the missing bits are zero and "=" stands for each missing byte.
    switch (bytes.size() - wholeGroupBytes) {
        case 1: {
            const uint32_t group = uint32_t{in[wholeGroupBytes]} << 16;
            WritePair(out, group >> 12);
            out[2] = kPadding;
            out[3] = kPadding;
            break;
        }
        case 2: {
            const uint32_t group =
                uint32_t{in[wholeGroupBytes]} << 16 | uint32_t{in[wholeGroupBytes + 1]} << 8;
            WritePair(out, group >> 12);
            out[2] = kAlphabet[(group >> 6) & 0x3F];
            out[3] = kPadding;
            break;
        }
        default:
            break;
    }
    return encoded;
}
